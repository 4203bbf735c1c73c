#include "platform/colores.h"

namespace kelu {

// High contrast themes are made of these pairs, each readable by itself:
// text on the window ground, disabled text on the same ground, button text
// on the button face.
// https://learn.microsoft.com/windows/win32/winauto/high-contrast-parameter
ParColores ColoresDe(ParteFormulario parte, bool altoContraste) {
  using enum ColorSistema;
  if (!altoContraste) {
    switch (parte) {
      case ParteFormulario::EtiquetaInactiva: return {Blanco, TextoGris};
      case ParteFormulario::Borde: return {Blanco, Sombra};
      default: return {Blanco, TextoVentana};
    }
  }
  switch (parte) {
    case ParteFormulario::EtiquetaInactiva: return {Ventana, TextoGris};
    case ParteFormulario::Boton: return {CaraBoton, TextoBoton};
    // The button shadow may be as dark as a dark theme's ground.
    default: return {Ventana, TextoVentana};
  }
}

}  // namespace kelu
