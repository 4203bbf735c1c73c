// Twips, pixels and points. The forms measure in twips; the screen in pixels
// at the DPI of the window. Every conversion rounds to nearest, halves to
// even, as the program's number rules do. Portable, for the native tests.
#pragma once
#include <cmath>

#include "platform/toolkit.h"

namespace kelu {

inline constexpr unsigned kDpiNormal = 96;

inline double TwipsPorPixel(unsigned dpi) { return 1440.0 / (dpi ? dpi : kDpiNormal); }

// twips × dpi / 1440 rather than twips / (1440 / dpi): the product of two
// integers is exact, the quotient 1440 / 144 is not always.
inline int TwipsAPixeles(double twips, unsigned dpi) {
  return static_cast<int>(std::nearbyint(twips * (dpi ? dpi : kDpiNormal) / 1440.0));
}

inline int PixelesATwips(double pixeles, unsigned dpi) {
  return static_cast<int>(std::nearbyint(pixeles * 1440.0 / (dpi ? dpi : kDpiNormal)));
}

// A font's height for CreateFont: negative, so that it is the character's
// height rather than the cell's.
inline int AlturaFuente(double puntos, unsigned dpi) {
  return -static_cast<int>(std::nearbyint(puntos * (dpi ? dpi : kDpiNormal) / 72.0));
}

// A label that sizes itself to its text keeps the edge its text is aligned
// to: the left one, the right one, or its centre.
inline Rectangulo AjustarAlTexto(const Rectangulo& actual, int anchoTexto, int altoTexto, Alineacion alineacion) {
  Rectangulo r = actual;
  r.ancho = anchoTexto;
  r.alto = altoTexto;
  if (alineacion == Alineacion::Derecha) r.izquierda = actual.izquierda + actual.ancho - anchoTexto;
  if (alineacion == Alineacion::Centro) r.izquierda = actual.izquierda + (actual.ancho - anchoTexto) / 2;
  return r;
}

}  // namespace kelu
