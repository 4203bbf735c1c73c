// The system-wide hot key Ctrl+I: registered on the main window when it
// shows, released when it unloads. The program's loop (startup/inicio)
// takes each press and hands it to the main window.
#pragma once
#include "platform/toolkit.h"

namespace kelu {

class TeclaRapida {
 public:
  static constexpr int kIdentificador = 49151;  // 0xBFFF
  static constexpr unsigned kControl = 2;       // MOD_CONTROL

  // Registers Ctrl+`tecla` on the window and shows it; false when another
  // program owns the combination, and KELU then runs without it.
  [[nodiscard]] static bool RegistrarTeclaRapida(Ventana& ventana, int tecla);
  static void LiberarTeclaRapida(Ventana& ventana);
  // What Ctrl+I does: the window restored and brought to the front.
  static void TraerVentana(Ventana& ventana);
};

}  // namespace kelu
