// Which colours paint each part of KELU's forms. By design a white ground
// with the window-text colour; with high contrast on, the pairs of system
// colours that the person's contrast theme makes readable together.
#pragma once

namespace kelu {

// The colours a part may take: the designed white, or a system colour.
enum class ColorSistema {
  Blanco, Ventana, TextoVentana, TextoGris, CaraBoton, TextoBoton, Sombra,
  Resaltado, TextoResaltado,  // a selection's ground and its text: a readable pair in every theme
};

enum class ParteFormulario {
  Fondo,            // the window, under its labels and the keying pad; labels' text
  EtiquetaInactiva, // a disabled label's text
  Borde,            // the line around the keying pad (texto is the line)
  Boton,            // the ground around a push button and its text
  Casilla,          // check boxes and read-only text boxes
};

struct ParColores {
  ColorSistema fondo, texto;
  bool operator==(const ParColores&) const = default;
};

ParColores ColoresDe(ParteFormulario parte, bool altoContraste);

}  // namespace kelu
