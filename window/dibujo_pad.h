// The keying pad's view laid out as marks: the pending code in large glyphs
// with what it gives, below it the press meter or the gap countdown, and at
// the bottom a line of the code chart, or of practice. Whatever does not
// fit is left out whole; nothing overlaps and no text is cut.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "keying/vista_pad.h"
#include "platform/medida_texto.h"
#include "platform/toolkit.h"

namespace kelu {

struct PartesPad {
  bool codigo = true;  // code, meter and countdown
  bool tabla = true;   // the chart line
};

// Practice mode's line, drawn in the chart's row instead of the chart: at
// the left what to key next, at the right how the last letter went and
// what each of its presses measured.
struct LineaPractica {
  std::string marque;          // "Marque: sol"
  EntradaTablaPad siguiente;   // the letter to key now, written with its code
  std::string resultado;       // "¡Bien!", "Era s"; empty before a letter closes
  bool acierto = false;
  std::vector<std::string> medidas;  // one per press: "raya: 24 cs, umbral 26 cs"
};

// Marks for a pad `ancho` × `alto` twips; `twipsPorPixel` keeps thin lines
// visible. With a practice line, it takes the chart's place.
std::vector<Trazo> DibujarPad(const VistaPad& vista, int ancho, int alto, PartesPad partes,
                              const MedidaTexto& medir, double twipsPorPixel,
                              const LineaPractica* practica = nullptr);

}  // namespace kelu
