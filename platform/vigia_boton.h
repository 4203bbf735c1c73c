// The presses of a window as CapturarClics gives them, each ended when the
// left button comes up, wherever the pointer is then.
#pragma once
#include <functional>

#include "platform/toolkit.h"

namespace kelu {

// Only the window in front keeps the mouse outside its own area: a window
// kept from activating (the strip while the target stays in front) never
// hears a release off it, and its press would stay down for good. While a
// press is down the watch looks at the button on each tick of the press's
// own counter and ends the press itself: it runs no timer of its own, so
// nothing runs while the button is up.
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setcapture
class VigiaBoton {
 public:
  VigiaBoton(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba);
  // Puts the watch in front of the window's presses (CapturarClics).
  void Capturar();
  // At each tick of a press held: ends it when its release went elsewhere.
  void Mirar();

 private:
  void Abajo();
  void Arriba();

  Ventana& ventana_;
  std::function<void()> abajo_, arriba_;
  bool enCurso_ = false;
};

}  // namespace kelu
