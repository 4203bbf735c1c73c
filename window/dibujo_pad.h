// The keying pad's view laid out as marks: the pending code in large glyphs
// with what it gives, below it the press meter or the gap countdown, and at
// the bottom a line of the code chart. Whatever does not fit is left out
// whole; nothing overlaps and no text is cut.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "keying/vista_pad.h"
#include "platform/toolkit.h"

namespace kelu {

struct PartesPad {
  bool codigo = true;  // code, meter and countdown
  bool tabla = true;   // the chart line
};

// The width, in twips, of a line of text in a font.
using MedidaTexto = std::function<int(const std::string& texto, const Fuente& fuente)>;

// Marks for a pad `ancho` × `alto` twips; `twipsPorPixel` keeps thin lines visible.
std::vector<Trazo> DibujarPad(const VistaPad& vista, int ancho, int alto, PartesPad partes,
                              const MedidaTexto& medir, double twipsPorPixel);

}  // namespace kelu
