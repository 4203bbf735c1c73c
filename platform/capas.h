// The order in which a window draws its windowless controls (labels, frames,
// images) and finds the one under the pointer. The toolkit keeps controls in
// tab order, which says nothing about which lies on top, so larger ones are
// drawn first: a label drawn over a larger one is taken to be inside it, as
// the keying pad's centre label is inside the pad. Portable, for the tests.
#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/toolkit.h"

namespace kelu {

// Indices into `areas`, bottom first; equal sizes keep their given order.
inline std::vector<size_t> OrdenDeDibujo(const std::vector<Rectangulo>& areas) {
  std::vector<size_t> orden(areas.size());
  for (size_t i = 0; i < orden.size(); ++i) orden[i] = i;
  auto superficie = [&](size_t i) {
    return static_cast<long long>(std::max(areas[i].ancho, 0)) * std::max(areas[i].alto, 0);
  };
  std::stable_sort(orden.begin(), orden.end(), [&](size_t a, size_t b) { return superficie(a) > superficie(b); });
  return orden;
}

inline bool Contiene(const Rectangulo& r, int x, int y) {
  return x >= r.izquierda && x < r.izquierda + r.ancho && y >= r.arriba && y < r.arriba + r.alto;
}

// The topmost of `areas` (indices bottom first, as OrdenDeDibujo gives
// them) that holds the point, or -1.
inline int AreaEn(const std::vector<Rectangulo>& areas, const std::vector<size_t>& orden, int x, int y) {
  for (size_t k = orden.size(); k-- > 0;)
    if (Contiene(areas[orden[k]], x, y)) return static_cast<int>(orden[k]);
  return -1;
}

}  // namespace kelu
