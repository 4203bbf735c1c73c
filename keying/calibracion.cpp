#include "keying/calibracion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelu {

int Mediana(std::vector<int> v) {
  if (v.empty()) return 0;
  const size_t m = v.size() / 2;
  std::nth_element(v.begin(), v.begin() + static_cast<long>(m), v.end());
  const int alto = v[m];
  if (v.size() % 2) return alto;
  const int bajo = *std::max_element(v.begin(), v.begin() + static_cast<long>(m));
  return (alto + bajo) / 2;
}

std::vector<int> SinAtipicos(std::vector<int> valores) {
  const int mediana = Mediana(valores);
  std::vector<int> desvios;
  for (int v : valores) desvios.push_back(std::abs(v - mediana));
  // At least one 10 ms tick, the engine's measure: ten presses of equal
  // ticks have no deviation, and one a tick longer is no outlier.
  const int mad = std::max(Mediana(desvios), 10);
  std::erase_if(valores, [&](int v) { return std::abs(v - mediana) > 3 * mad; });
  return valores;
}

namespace {
constexpr int kMinimoMuestras = 3;

int16_t Centesimas(double ms) { return static_cast<int16_t>(std::clamp(std::lround(ms / 10.0), 0L, 32767L)); }
}  // namespace

PropuestaCalibracion ProponerTiempos(const MuestrasCalibracion& m) {
  PropuestaCalibracion p;
  const std::vector<int> puntos = SinAtipicos(m.puntos), rayas = SinAtipicos(m.rayas);
  if (static_cast<int>(puntos.size()) < kMinimoMuestras || static_cast<int>(rayas.size()) < kMinimoMuestras)
    return p;
  const int16_t punto = std::max<int16_t>(Centesimas(Mediana(puntos)), 1);
  const int16_t raya = std::max<int16_t>(Centesimas(Mediana(rayas)), 1);
  p.solapados = *std::max_element(puntos.begin(), puntos.end()) >= *std::min_element(rayas.begin(), rayas.end()) ||
                raya <= punto + 1;
  if (p.solapados) return p;
  // Where the bands meet: dot + its tolerance = dash − its tolerance. Each
  // band reaches as far out as the pace allows: a dot down to 0.4 of the
  // person's dot (shorter is a bounce), a dash up to 2.5 of their dash
  // (longer is a spasm), so that an unlucky median does not cut off the
  // person's own long dashes.
  const int umbral = static_cast<int>(std::lround(std::sqrt(static_cast<double>(punto) * raya)));
  const int bajo = static_cast<int>(std::lround(0.4 * punto));
  const int alto = std::min(static_cast<int>(std::lround(2.5 * raya)), 32767);
  const auto duracionPunto = static_cast<int16_t>(std::max((bajo + umbral + 1) / 2, 1));
  const auto tolPunto = static_cast<int16_t>(umbral - duracionPunto);
  const auto duracionRaya = static_cast<int16_t>((umbral + alto) / 2);
  const auto tolRaya = static_cast<int16_t>(duracionRaya - umbral);
  // A cloud spread wide can still reach past the threshold though it does
  // not touch the other: bands that would misread a press kept are no
  // proposal.
  auto dentro = [](const std::vector<int>& ms, int duracion, int tolerancia) {
    return std::all_of(ms.begin(), ms.end(), [&](int v) {
      return (duracion - tolerancia) * 10 < v && v < (duracion + tolerancia) * 10;
    });
  };
  if (!dentro(puntos, duracionPunto, tolPunto) || !dentro(rayas, duracionRaya, tolRaya)) {
    p.solapados = true;
    return p;
  }
  p.DuracionPunto = duracionPunto;
  p.ToleranciaPunto = tolPunto;
  p.DuracionRaya = duracionRaya;
  p.ToleranciaRaya = tolRaya;
  const int interna = Mediana(SinAtipicos(m.pausasInternas)), letra = Mediana(SinAtipicos(m.pausasLetras));
  if (interna > 0 && letra > interna)
    p.TiempoEntreLetras = Centesimas(std::sqrt(static_cast<double>(interna) * letra));
  else  // no pauses to go by: eight dots, as the times derived from the dot
    p.TiempoEntreLetras = static_cast<int16_t>(std::min(8 * punto, 32767));
  p.valida = true;
  return p;
}

}  // namespace kelu
