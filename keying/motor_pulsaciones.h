// The keying engine: times each press of the left button in 10 ms ticks,
// classifies it as a dot or a dash, and runs the letter and word gaps.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/toolkit.h"
#include "startup/programa.h"

namespace kelu {

class MotorPulsaciones {
 public:
  MotorPulsaciones(Programa& programa, Ventana& ventana);

  void BotonAbajo();
  void BotonArriba();
  void AplicarIntervalos() noexcept;
  void ActualizarEco(bool conTexto);
  void SuspenderTemporizadores();
  void ReanudarTemporizadores();

  static constexpr int16_t kMaximoContador = 32000;
  int16_t ContadorAbajo = 0;
  std::string CodigoActual;

  Temporizador tmrClicAbajo;            // 10 ms, counts a held press
  Temporizador tmrTiempoEntreLetras;    // the letter gap
  Temporizador tmrTiempoEntrePalabras;  // the word gap
  Temporizador tmrEnvio;                // 10 ms, delivery

  // What the gaps and the delivery timer do: text delivery plugs in here.
  std::function<void()> CerrarLetra, CerrarPalabra, EnviarTexto;

 private:
  Programa& programa_;
  Ventana& ventana_;
  bool suspendidos_[4] = {};
};

}  // namespace kelu
