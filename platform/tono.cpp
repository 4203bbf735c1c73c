#include "platform/tono.h"

#include <algorithm>
#include <cmath>

namespace kelu {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Half of full scale is loud enough at the top setting, and leaves the
// samples far from clipping whatever the ramps do.
constexpr double kAmplitudMaxima = 16384;
// Settings 1 to 100 span 30 dB in equal steps of loudness (10 dB sounds
// twice as loud), so that the lowest is still plainly audible.
constexpr double kGamaDecibelios = 30;

constexpr double kRampa = 0.005;           // s, the tone's rise and fall
constexpr double kSostenidoMinimo = 0.010; // s: the loop's length is also how late the release may start
constexpr double kTramoMaximo = 0.010;     // s: the search for whole periods looks no further

int Muestras(double segundos, int porSegundo) {
  return std::max(1, static_cast<int>(std::lround(segundos * porSegundo)));
}

// A raised cosine from 0 at i = 0 to 1 at i = largo and beyond.
double Subida(int i, int largo) {
  return i >= largo ? 1.0 : 0.5 - 0.5 * std::cos(kPi * i / largo);
}

int16_t Muestra(double valor) { return static_cast<int16_t>(std::lround(valor)); }

// A stretch of `muestras` samples holding exactly `periodos` periods.
struct Tramo {
  int muestras = 1;
  int periodos = 1;
};

// The shortest stretch of whole periods whose frequency comes closest to the
// asked one: a block made of such stretches starts and ends at phase 0.
Tramo TramoDe(double frecuencia, int porSegundo) {
  const int maximo = std::max(1, Muestras(kTramoMaximo, porSegundo));
  Tramo mejor;
  double error = INFINITY;
  for (int n = 1; n <= maximo; ++n) {
    const int p = static_cast<int>(std::lround(frecuencia * n / porSegundo));
    if (p < 1) continue;
    const double e = std::fabs(static_cast<double>(p) * porSegundo / n - frecuencia);
    if (e < error) {
      mejor = {n, p};
      error = e;
    }
  }
  return mejor;
}

int EnTramos(int muestras, const Tramo& tramo) {
  return (muestras + tramo.muestras - 1) / tramo.muestras * tramo.muestras;
}

// A tone of `segundos` rising over `subida` and falling over `bajada`, from
// and to silence, appended to `destino`.
void Agregar(std::vector<int16_t>& destino, double frecuencia, double segundos, double subida, double bajada,
             double amplitud, int porSegundo) {
  const int n = Muestras(segundos, porSegundo);
  const int s = Muestras(subida, porSegundo), b = Muestras(bajada, porSegundo);
  const double omega = 2 * kPi * frecuencia / porSegundo;
  for (int i = 0; i < n; ++i)
    destino.push_back(Muestra(amplitud * Subida(i, s) * Subida(n - 1 - i, b) * std::sin(omega * i)));
}

}  // namespace

int Amplitud(int volumen) {
  volumen = std::clamp(volumen, 0, 100);
  if (volumen == 0) return 0;
  const double decibelios = -kGamaDecibelios * (100 - volumen) / 99.0;
  return static_cast<int>(std::lround(kAmplitudMaxima * std::pow(10.0, decibelios / 20)));
}

BloquesTono GenerarTono(int frecuencia, int volumen, int muestrasPorSegundo) {
  const int porSegundo = std::max(muestrasPorSegundo, 8000);
  // Below 100 Hz no period fits the search; near the sampling limit a sine
  // is no longer a sine.
  const double pedida = std::clamp(static_cast<double>(frecuencia), 100.0, std::min(4000.0, porSegundo / 4.0));
  const Tramo tramo = TramoDe(pedida, porSegundo);
  const double omega = 2 * kPi * tramo.periodos / tramo.muestras;
  const double a = Amplitud(volumen);
  const int rampa = Muestras(kRampa, porSegundo);

  BloquesTono bloques;
  bloques.frecuencia = static_cast<double>(tramo.periodos) * porSegundo / tramo.muestras;
  const int largoRampa = EnTramos(rampa, tramo);
  const int largoSostenido = EnTramos(Muestras(kSostenidoMinimo, porSegundo), tramo);
  for (int i = 0; i < largoRampa; ++i) {
    const double onda = a * std::sin(omega * i);
    bloques.ataque.push_back(Muestra(Subida(i, rampa) * onda));
    // The fall starts at once and is silence after it, so that the sound
    // stops as soon as the release begins.
    bloques.caida.push_back(Muestra((1 - Subida(i, rampa)) * onda));
  }
  for (int i = 0; i < largoSostenido; ++i) bloques.sostenido.push_back(Muestra(a * std::sin(omega * i)));
  return bloques;
}

std::vector<int16_t> GenerarAviso(AvisoSonoro aviso, int volumen, int muestrasPorSegundo) {
  const int porSegundo = std::max(muestrasPorSegundo, 8000);
  const double a = Amplitud(volumen);
  std::vector<int16_t> muestras;
  if (aviso == AvisoSonoro::Letra) {
    // A soft high tick: a quick rise and a longer fade, below the tone's loudness.
    Agregar(muestras, 1800, 0.025, 0.002, 0.020, a / 2, porSegundo);
  } else if (aviso == AvisoSonoro::Pausa) {
    // Three rising notes, long enough to hear while still holding the switch.
    Agregar(muestras, 523, 0.090, 0.005, 0.015, a, porSegundo);
    Agregar(muestras, 659, 0.090, 0.005, 0.015, a, porSegundo);
    Agregar(muestras, 784, 0.120, 0.005, 0.040, a, porSegundo);
  } else {
    // Two falling low notes, unlike any tick or the tone.
    Agregar(muestras, 392, 0.070, 0.005, 0.010, a, porSegundo);
    Agregar(muestras, 262, 0.080, 0.005, 0.030, a, porSegundo);
  }
  return muestras;
}

}  // namespace kelu
