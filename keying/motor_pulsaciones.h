// The keying engine: times each press of the left button in 10 ms ticks,
// classifies it as a dot or a dash, and runs the letter and word gaps.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "config/ayudas.h"
#include "config/configuracion.h"
#include "config/idioma.h"
#include "keying/ritmo.h"
#include "keying/tabla_codigo.h"
#include "platform/toolkit.h"

namespace kelu {

class MotorPulsaciones {
 public:
  // `mostrarEco` puts the title-bar echo on the main window.
  MotorPulsaciones(Toolkit& toolkit, const Configuracion& configuracion, const TablaCodigo& tabla,
                   const TextosIdioma& idioma, std::function<void(std::string)> mostrarEco);

  void BotonAbajo();
  // `simbolo` '.' or '-': the press is that symbol whatever its length (a
  // switch of its own for each); 0: classified by how long it was held.
  void BotonArriba(char simbolo = 0);
  // The press down ends unseen (its release was lost): it keys nothing, and
  // the letter gap closes the code keyed before it.
  void AnularPulsacion();
  void AplicarIntervalos() noexcept;
  // Puts the timing aids of `ayudas` in force: following the person's pace
  // (SeguirRitmo), closing a code no entry extends sooner (LetrasAntes), and
  // the switch's safety (PulsacionMinima, EsperaTrasSoltar, PausaPorPulsacion).
  // The pace starts from the one saved there, or from the settings when it
  // is 0 or the settings' times have changed since, and each letter learned
  // writes it back. `ayudas` must outlive the engine.
  void AplicarAyudas(Ayudas& ayudas) noexcept;
  void ActualizarEco(bool conTexto);
  void SuspenderTemporizadores();
  void ReanudarTemporizadores();

  static constexpr int16_t kMaximoContador = 32000;
  int16_t ContadorAbajo = 0;
  // The code keyed since the last letter: only presses, delivery and the
  // word gap change it.
  const std::string& CodigoActual() const { return codigoActual_; }
  void BorrarCodigo() {
    codigoActual_.clear();
    AnunciarCambio();
  }
  void FijarCodigo(std::string codigo) {
    codigoActual_ = std::move(codigo);
    AnunciarCambio();
  }
  // Whether a press held `cuenta` ticks gives a dot, a dash by the
  // settings: each band's bounds are excluded.
  static bool EsPunto(int cuenta, const Configuracion& c);
  static bool EsRaya(int cuenta, const Configuracion& c);
  // The bands a release is classified by now: the settings', or those of
  // the pace when it is followed.
  BandaPulsacion BandaPunto() const;
  BandaPulsacion BandaRaya() const;
  const Ritmo& RitmoPersona() const { return ritmo_; }
  // The held ticks that part a dot ('.') from a dash ('-') under the rules
  // in force: the count a dot must stay under, the count a dash must pass.
  int Umbral(char simbolo) const;
  bool BotonPresionado() const { return tmrClicAbajo.Habilitado(); }
  // Keying is paused: nothing is keyed until another long hold.
  bool EnPausa() const { return enPausa_; }
  // The press now down has paused or resumed: from then on it is no press.
  bool PausaConmutada() const { return conmutada_ && BotonPresionado(); }

  Temporizador tmrClicAbajo;            // 10 ms, counts a held press
  Temporizador tmrTiempoEntreLetras;    // the letter gap
  Temporizador tmrTiempoEntrePalabras;  // the word gap
  Temporizador tmrEnvio;                // 10 ms, delivery

  // What the gaps and the delivery timer do: text delivery plugs in here.
  std::function<void()> CerrarLetra, CerrarPalabra, EnviarTexto;
  // After a press goes down or up, at each tick it is held, and whenever the
  // pending code changes: what the pad shows follows from here.
  std::function<void()> Cambio;
  // A press that counts has begun (one the tremor filter lets through).
  std::function<void()> PulsacionEmpieza;
  // At the moment a long hold pauses (true) or resumes (false) keying.
  std::function<void(bool)> PausaCambiada;

 private:
  void AnunciarCambio() {
    if (Cambio) Cambio();
  }
  bool AyudasDeTiempo() const { return seguirRitmo_ || letrasAntes_; }
  // What the press now down is to the engine.
  enum class Pulsacion {
    Contada,    // keys a symbol and restarts the gaps (every press with the safety off)
    Pendiente,  // not yet held the minimum press: the gaps run on as if it were not there
    Ignorada,   // began in the settle time after a release: neither it nor its release does anything
    Muda,       // measured only for the pause hold: while paused, or the hold that toggled the pause
  };
  void EmpezarPulsacion();
  void ConmutarPausa();
  void SilencioAntesDePulsar();
  void FijarHuecos();
  void AprenderLetra();

  Toolkit& toolkit_;
  const Configuracion& configuracion_;
  const TablaCodigo& tabla_;
  const TextosIdioma& idioma_;
  std::function<void(std::string)> mostrarEco_;
  std::string codigoActual_;
  bool suspendidos_[4] = {};

  Ayudas* ayudas_ = nullptr;
  bool seguirRitmo_ = false, letrasAntes_ = false;
  Ritmo ritmo_;
  std::optional<std::array<int, 6>> tiemposDeInicio_;  // the settings the pace started from
  std::array<int, 3> ritmoGuardado_ = {};              // as last read from or written to the aids
  int intervaloLetra_ = 0, intervaloPalabra_ = 0;     // the settings' gaps, ms
  int64_t soltado_ = 0;                                // the last release, ms

  int pulsacionMinima_ = 0, esperaTrasSoltar_ = 0, pausaPorPulsacion_ = 0;  // ms, 0 off
  Pulsacion pulsacion_ = Pulsacion::Contada;
  int64_t abajo_ = 0;                   // when the press now down began, ms
  std::optional<int64_t> ultimaSoltada_;  // the last release the settle time counts from
  int16_t contadorPrevio_ = 0;          // the counter before a press that may yet be ignored
  bool enPausa_ = false;
  bool conmutada_ = false;  // the press now down has toggled the pause
};

}  // namespace kelu
