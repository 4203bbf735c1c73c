// The switch keys: keys that act as the switch wherever the focus is.
#pragma once
#include <functional>

namespace kelu {

// How the capture of switch keys stands, as the backend finds it.
enum class EstadoCaptura {
  Reanudada,       // the system had dropped it (sleep, a locked screen, a late answer): taken again, no key down
  Fallida,         // the system refused it: the switch keys act as plain keys
  VentanaElevada,  // a window of a higher integrity level is in front: the system keeps the keys from KELU
};

class ServicioPulsador {
 public:
  virtual ~ServicioPulsador() = default;
  // Each down and up of `tecla` or `teclaRaya` (0: none) is swallowed,
  // reaches no program, and goes to `alPulsar` in order, on the program's
  // thread; a down while the key is down (auto-repeat) is dropped.
  // kCualquierTecla takes every key. 0, 0 stops. One capture at a time: a
  // new call replaces the last. What becomes of the capture later goes to
  // CapturaCambiada, which a refusal at once may already raise here.
  virtual void CapturarTeclas(int tecla, int teclaRaya, std::function<void(int tecla, bool abajo)> alPulsar) = 0;

  // The switch capture was lost and taken again, refused, or cannot see
  // the keys: on the program's thread.
  std::function<void(EstadoCaptura)> CapturaCambiada;
};

}  // namespace kelu
