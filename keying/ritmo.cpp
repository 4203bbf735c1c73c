#include "keying/ritmo.h"

#include <algorithm>
#include <cmath>

#include "platform/ascii.h"

namespace kelu {
namespace {

// Each press moves its estimate this fraction of the way, in the log
// domain, so that one odd press counts for little and a drifting hand is
// followed within a few letters; each pause moves its own half as far, as
// the pause also follows the presses' tempo. Keyed through the engine with
// ±40 % jitter, 0.15 for both put 1.4 % of the characters wrong, these 0.4 %.
constexpr double kPaso = 0.1, kPasoHueco = 0.05;
// What one letter may move any estimate, up or down: a factor of 1.15.
const double kPasoMaximo = std::log(1.15);
// Presses outside [0.4 dots, 2.5 dashes] are bounces or spasms: nothing.
constexpr double kPulsacionCorta = 0.4, kPulsacionLarga = 2.5;
const double kRazonMinima = std::log(2.0), kRazonMaxima = std::log(5.0);
// Letter gaps are taken as three inner gaps and word gaps as seven; each
// closes at the geometric mean of the silences on either side of it.
const double kHuecosLetra = std::sqrt(3.0), kHuecosPalabra = std::sqrt(21.0);
// How far the pace may wander from the settings it started from.
constexpr double kDesvioMaximo = 4;
constexpr double kMinimoAbsoluto = 40;  // ms: no estimate goes shorter

int Redondear(double ms) { return static_cast<int>(std::lround(std::min(ms, 1e9))); }

bool EsBorrado(std::string_view texto) {
  for (std::string_view nombre : {"{BACKSPACE}", "{BS}", "{BKSP}"})
    if (IgualesSinMayusculas(texto, nombre)) return true;
  return false;
}

}  // namespace

bool NadaLaExtiende(const TablaCodigo& tabla, std::string_view codigo) {
  if (codigo.empty() || codigo == kSeparadorPalabra) return false;
  // An entry without text looks like no entry at all to every lookup.
  return std::none_of(tabla.entradas.begin(), tabla.entradas.end(), [&](const EntradaCodigo& e) {
    return !e.Texto.empty() && e.Secuencia.size() > codigo.size() && e.Secuencia.starts_with(codigo);
  });
}

// The shortest press the person counts as a dot, and never under a tenth of
// a second: no decision comes sooner than the person's quickest deliberate act.
int SilencioMinimo(const Configuracion& c) {
  return std::max(100, (c.DuracionPunto - c.ToleranciaPunto) * 10);
}

void Ritmo::Empezar(const Configuracion& c, int punto, int raya, int hueco) {
  const double punto0 = std::max(kMinimoAbsoluto, c.DuracionPunto * 10.0);
  const double raya0 = c.DuracionRaya > 0 ? c.DuracionRaya * 10.0 : 3 * punto0;
  // The inner gap starts where fixed timing closes letters, and the pace
  // learns it downwards from there: a gap is only ever seen when it is
  // shorter than the letter close, so starting short could never recover.
  const double letra = (c.TiempoEntreLetras - c.ToleranciaEntreLetras) * 10.0;
  const double hueco0 = std::max(punto0, letra / kHuecosLetra);
  puntoMinimo_ = huecoMinimo_ = std::log(std::max(kMinimoAbsoluto, punto0 / kDesvioMaximo));
  puntoMaximo_ = std::log(punto0 * kDesvioMaximo);
  huecoMaximo_ = std::log(hueco0 * kDesvioMaximo);
  silencioMinimo_ = SilencioMinimo(c);
  estado_ = {std::log(punto > 0 ? punto : punto0), std::log(raya > 0 ? raya : raya0),
             std::log(hueco > 0 ? hueco : hueco0)};
  Acotar(estado_);
  letra_.clear();
  silencio_.reset();
  deshacer_.reset();
}

double Ritmo::Punto() const { return std::exp(estado_.punto); }
double Ritmo::Raya() const { return std::exp(estado_.raya); }
double Ritmo::Hueco() const { return std::exp(estado_.hueco); }

// In ticks of 10 ms: the dot band from 0.4 dots up to the geometric mean of
// dot and dash, the dash band from there to 2.5 dashes; they never overlap.
BandaPulsacion Ritmo::BandaPunto() const {
  const double umbral = std::exp((estado_.punto + estado_.raya) / 2) / 10;
  return {static_cast<int>(std::ceil(kPulsacionCorta * Punto() / 10)) - 1, static_cast<int>(std::ceil(umbral))};
}
BandaPulsacion Ritmo::BandaRaya() const {
  const double umbral = std::exp((estado_.punto + estado_.raya) / 2) / 10;
  return {static_cast<int>(std::ceil(umbral)) - 1, static_cast<int>(std::floor(kPulsacionLarga * Raya() / 10)) + 1};
}

int Ritmo::CierreLetra() const { return std::max(silencioMinimo_, Redondear(kHuecosLetra * Hueco())); }
int Ritmo::CierrePalabra() const { return std::max(silencioMinimo_, Redondear(kHuecosPalabra * Hueco())); }
int Ritmo::CierreTemprano() const { return std::max(silencioMinimo_, Redondear(kHuecosCierreTemprano * Hueco())); }

char Ritmo::Pulsacion(int cuenta) {
  const char simbolo = BandaPunto().Contiene(cuenta) ? '.' : BandaRaya().Contiene(cuenta) ? '-' : 0;
  // A silence counts only between two presses that both gave something.
  if (simbolo) {
    if (silencio_) letra_.push_back({Tipo::Hueco, *silencio_});
    letra_.push_back({simbolo == '.' ? Tipo::Punto : Tipo::Raya, std::log(cuenta * 10.0)});
  }
  silencio_.reset();
  return simbolo;
}

// A silence under 0.4 dots is a bounce of the switch; one the letter close
// would have ended was no inner gap (and a pause to think never teaches).
void Ritmo::Silencio(int ms) {
  silencio_.reset();
  if (letra_.empty() || ms < kPulsacionCorta * Punto() || ms >= CierreLetra()) return;
  silencio_ = std::log(static_cast<double>(ms));
}

bool Ritmo::FinDeLetra(std::string_view texto) {
  std::vector<Muestra> muestras;
  muestras.swap(letra_);
  silencio_.reset();
  if (texto.empty() || muestras.empty()) return false;
  // The letter deleted at once was a mistake: what it taught goes too.
  Estado desde = estado_;
  if (EsBorrado(texto) && deshacer_) desde = *deshacer_;
  if (EsBorrado(texto)) deshacer_.reset();
  else deshacer_ = estado_;

  Estado e = desde;
  for (const Muestra& m : muestras) {
    if (m.tipo == Tipo::Punto) e.punto += kPaso * (m.valor - e.punto);
    if (m.tipo == Tipo::Raya) e.raya += kPaso * (m.valor - e.raya);
  }
  // A hand that slows down slows its pauses too, even those it no longer
  // shows as inner gaps because they now close the letter.
  e.hueco += (e.punto + e.raya - desde.punto - desde.raya) / 2;
  for (const Muestra& m : muestras)
    if (m.tipo == Tipo::Hueco) e.hueco += kPasoHueco * (m.valor - e.hueco);
  auto limitar = [](double& v, double antes) { v = std::clamp(v, antes - kPasoMaximo, antes + kPasoMaximo); };
  limitar(e.punto, desde.punto);
  limitar(e.raya, desde.raya);
  limitar(e.hueco, desde.hueco);
  Acotar(e);
  estado_ = e;
  return true;
}

// The dash follows the dot into the ratio, so that it moves no more than
// the dot moved in the same letter.
void Ritmo::Acotar(Estado& e) const {
  e.punto = std::clamp(e.punto, puntoMinimo_, puntoMaximo_);
  e.raya = std::clamp(e.raya, e.punto + kRazonMinima, e.punto + kRazonMaxima);
  e.hueco = std::clamp(e.hueco, huecoMinimo_, huecoMaximo_);
}

}  // namespace kelu
