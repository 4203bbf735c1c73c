// Text delivery: when a gap closes, decide whether the pending code becomes
// text, bring the target to the front, and type the text 10 ms later.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "keying/motor_pulsaciones.h"
#include "platform/toolkit.h"
#include "startup/programa.h"
#include "window/lista_ventanas.h"
#include "window/receptor_letras.h"

namespace kelu {

// The code table text that types the last key string again and again, every
// RepeticionMs of the aids, until the next press begins.
inline constexpr const char* kRepetir = "{REPETIR}";

class Entrega : public ReceptorLetras {
 public:
  Entrega(Programa& programa, MotorPulsaciones& motor, ListaVentanas& lista, Combo& cboProcesos, Ventana& ventana);

  bool TomarLetra(const std::string& codigo) override;
  bool TomarHuecoDePalabra() override;

  void CerrarLetra();
  void CerrarPalabra();
  // A key string that is no code's (a word chosen, a word taken back) goes
  // the way a letter does: to the chosen window, or nowhere. No word gap follows it.
  void EntregarTexto(const std::string& cadena);
  void ActivarVentanaDestino();
  void EnviarTexto();
  void DejarDeRepetir();
  // Nothing on its way is typed, and no repeat runs: keying paused, or
  // another receiver took the letters over.
  void Detener();
  // While a dialog is open: the send waits, and goes on afterwards as it was.
  void SuspenderEnvio();
  void ReanudarEnvio();
  // A letter is on its way to the target.
  bool Enviando() const { return tmrEnvio.Habilitado(); }

  Temporizador tmrEnvio;  // 10 ms, from the activation to the keys
  // Runs only while repeating.
  Temporizador tmrRepetir;

  // A letter was typed, or a code that stands for nothing was dropped.
  std::function<void(AvisoSonoro)> LetraTerminada;
  // With a switch key, a warning goes to the strip instead of a box the
  // switch could not close: true when it went there.
  std::function<bool(const std::string& texto)> AvisoEnTira;
  // The pending code was dealt with: the title's echo shows what is left,
  // without a text.
  std::function<void()> Eco;
  // Each key string the target received, with its events: prediction
  // follows the word being keyed from what KELU typed.
  std::function<void(const std::string& cadena, const std::vector<EventoTecla>& eventos)> Tecleado;

 private:
  bool ConPulsador() const { return programa_.ayudas.TeclaPulsador != 0; }
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
  void MostrarEco() {
    if (Eco) Eco();
  }
  // Types `texto` if the target is still in front and takes keys; false when not.
  [[nodiscard]] bool TeclearEnDestino(const std::string& texto);
  void Repetir();

  Programa& programa_;
  MotorPulsaciones& motor_;
  ListaVentanas& lista_;
  Combo& cboProcesos_;
  Ventana& ventana_;
  bool avisoAbierto_ = false;
  // What the send types: the closed letter's code, or the word separator,
  // or a key string of its own.
  std::string pendiente_;
  std::optional<std::string> cadenaPropia_;
  bool envioSuspendido_ = false;
  // The key string the last letter typed (never the word gap's space), for the repeat.
  std::string ultimoTexto_;
};

}  // namespace kelu
