// The system-wide hot key Ctrl+I and the wait loop that pumps KELU's events
// for as long as the main window lives.
#pragma once
#include <functional>

#include "platform/toolkit.h"

namespace kelu {

class TeclaRapida {
 public:
  static constexpr int kIdentificador = 49151;  // 0xBFFF
  static constexpr unsigned kControl = 2;       // MOD_CONTROL

  // Registers Ctrl+`tecla`, shows the window and runs the wait loop; returns
  // when LiberarTeclaRapida has ended it.
  void RegistrarTeclaRapida(Ventana& ventana, int tecla);
  void EsperarTeclaRapida(Ventana& ventana);
  void LiberarTeclaRapida(Ventana& ventana);
  // What Ctrl+I does: the window restored and brought to the front.
  static void TraerVentana(Ventana& ventana);

  bool FinEspera = false;
  // Runs once the window shows, before the wait loop; `registrada` is false
  // when another program owns the combination.
  std::function<void(bool registrada)> AlMostrar;
};

}  // namespace kelu
