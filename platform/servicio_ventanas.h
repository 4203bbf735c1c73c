// KELU's own windows on screen: making and showing them, the focus, how
// they take presses, and the screen and pointer around them.
#pragma once
#include <functional>
#include <string>
#include <utility>

#include "platform/control.h"

namespace kelu {

// The screen of a window, in twips, and the twips in one pixel.
struct Pantalla {
  int ancho = 0, alto = 0;  // the whole monitor
  double twipsPorPixelX = 15, twipsPorPixelY = 15;
  // What the taskbar and docked bars leave of it, in screen twips; empty
  // when unknown.
  Rectangulo trabajo;
};

// Where windows may go: the work area, or the whole screen when it is unknown.
Rectangulo AreaDeTrabajo(const Pantalla& pantalla);

// The calls that run the forms' handlers (Crear a Resize, MostrarVentana
// an Activate and a modal loop, Enfocar a GotFocus) are not noexcept: what
// a handler throws goes up to the guard of the event being handled.
class ServicioVentanas {
 public:
  virtual ~ServicioVentanas() = default;

  // Crear builds the native window with its controls.
  virtual void Crear(Ventana& ventana) = 0;
  virtual void Destruir(Ventana& ventana) noexcept = 0;
  virtual void MostrarVentana(Ventana& ventana, bool modal) = 0;
  virtual void OcultarVentana(Ventana& ventana) noexcept = 0;
  virtual void Enfocar(Control& control) = 0;
  virtual void SiempreEncima(Ventana& ventana, bool encima) noexcept = 0;
  // A press on the window's own ground no longer brings it to the front, as
  // with an on-screen keyboard; its controls still do, so they stay usable.
  // It keeps its taskbar button and its place in Alt+Tab either way.
  virtual void SinActivar(Ventana& ventana, bool sinActivar) noexcept = 0;
  // The left-button presses of a window, before its own handling of them.
  // A window not in front keeps the mouse only over itself: a release off
  // it goes to another window and `arriba` never comes (VigiaBoton ends it).
  virtual void CapturarClics(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba) noexcept = 0;
  // The primary button is up and the pointer is off the window: its last
  // release went elsewhere. The window's own press is then over too (its
  // mouse capture released), so its mouse works as after any release.
  virtual bool SueltoFuera(Ventana& ventana) noexcept = 0;

  // The monitor the window is on (the primary one for a window not created).
  virtual Pantalla LeerPantalla(const Ventana& ventana) noexcept = 0;
  virtual void FijarCursor(int x, int y) noexcept = 0;  // pixels
  // The centre of a control on the screen, in pixels.
  virtual std::pair<int, int> CentroEnPantalla(const Control& control) noexcept = 0;
  // The width, in twips, of one line of `texto` as the window draws it in `fuente`.
  virtual int AnchoTexto(const Ventana& ventana, const std::string& texto, const Fuente& fuente) noexcept = 0;
};

}  // namespace kelu
