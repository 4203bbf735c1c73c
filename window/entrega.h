// Text delivery: when a gap closes, decide whether the pending code becomes
// text, bring the target to the front, and type the text 10 ms later.
#pragma once
#include <string>

#include "keying/motor_pulsaciones.h"
#include "platform/toolkit.h"
#include "startup/programa.h"
#include "window/lista_ventanas.h"

namespace kelu {

// Activates the visible top-level window whose title equals `titulo`, or
// else one whose title begins with it; letter case is ignored and the first
// in Z order wins. A minimized window is not restored. False when none.
[[nodiscard]] bool ActivarPorTitulo(Escritorio& escritorio, const std::string& titulo);

class Entrega {
 public:
  Entrega(Programa& programa, MotorPulsaciones& motor, ListaVentanas& lista, Combo& cboProcesos, Ventana& ventana);

  void CerrarLetra();
  void CerrarPalabra();
  void ActivarVentanaDestino();
  void EnviarTexto();

 private:
  bool HayDestino() const { return cboProcesos_.Seleccion() != -1; }
  // The warning that no target is chosen; false when one is already open.
  bool AvisarSinDestino();

  Programa& programa_;
  MotorPulsaciones& motor_;
  ListaVentanas& lista_;
  Combo& cboProcesos_;
  Ventana& ventana_;
  bool avisoAbierto_ = false;
};

}  // namespace kelu
