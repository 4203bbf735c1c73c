// Text delivery: when a gap closes, decide whether the pending code becomes
// text, bring the target to the front, and type the text 10 ms later.
#pragma once
#include <functional>
#include <string>

#include "keying/motor_pulsaciones.h"
#include "platform/toolkit.h"
#include "startup/programa.h"
#include "window/lista_ventanas.h"

namespace kelu {

// The code table text that types the last key string again and again, every
// RepeticionMs of the aids, until the next press begins.
inline constexpr const char* kRepetir = "{REPETIR}";

class Entrega {
 public:
  Entrega(Programa& programa, MotorPulsaciones& motor, ListaVentanas& lista, Combo& cboProcesos, Ventana& ventana);

  void CerrarLetra();
  void CerrarPalabra();
  void ActivarVentanaDestino();
  void EnviarTexto();
  void DejarDeRepetir();

  // Runs only while repeating.
  Temporizador tmrRepetir;

  // A letter was typed, or a code that stands for nothing was dropped.
  std::function<void(AvisoSonoro)> LetraTerminada;
  // In practice mode each closed letter's code comes here instead of going
  // to a window; true when it was the letter asked for.
  std::function<bool(const std::string& codigo)> Practicar;
  // With a switch key, a warning goes to the strip instead of a box the
  // switch could not close: true when it went there.
  std::function<bool(const std::string& texto)> AvisoEnTira;

 private:
  bool EnPractica() const { return programa_.ayudas.Practica; }
  bool ConPulsador() const { return programa_.ayudas.TeclaPulsador != 0; }
  void ComprobarLetra();
  bool HayDestino() const { return cboProcesos_.Seleccion() != -1; }
  // The chosen window still exists and has a title.
  bool DestinoPresente();
  // The keys would reach the target: it, or a window it owns (its own
  // dialog), is in front; never KELU, nor another window of its program.
  bool DestinoAlFrente();
  // A warning: entry `texto` under entry `titulo`; false when one is
  // already open.
  bool MostrarAviso(IdTexto texto, IdTexto titulo);
  bool AvisarSinDestino() { return MostrarAviso(IdTexto::AvisoSinDestino, IdTexto::TituloSinDestino); }
  // A letter that cannot reach its target is dropped, and the person told:
  // as when no target is chosen, or else with entry `texto`.
  void DescartarLetra(IdTexto texto = IdTexto::AvisoSinDestino, IdTexto titulo = IdTexto::TituloSinDestino);

  Programa& programa_;
  MotorPulsaciones& motor_;
  ListaVentanas& lista_;
  Combo& cboProcesos_;
  Ventana& ventana_;
  bool avisoAbierto_ = false;
  // The key string the last letter typed (never the word gap's space), for the repeat.
  std::string ultimoTexto_;
  // Types `texto` if the target is still in front and takes keys; false when not.
  bool TeclearEnDestino(const std::string& texto);
  void Repetir();
};

}  // namespace kelu
