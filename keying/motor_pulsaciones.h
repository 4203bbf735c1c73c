// The keying engine: times each press of the left button in 10 ms ticks,
// classifies it as a dot or a dash, and runs the letter and word gaps. It
// tells its owner what happens through one SalidaMotor.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "config/ayudas.h"
#include "config/configuracion.h"
#include "keying/ritmo.h"
#include "keying/salida_motor.h"
#include "keying/tabla_codigo.h"
#include "platform/servicio_reloj.h"
#include "platform/temporizador.h"

namespace kelu {

class MotorPulsaciones {
 public:
  // `salida` may be null: an engine that only times presses.
  MotorPulsaciones(ServicioReloj& reloj, const Configuracion& configuracion, const TablaCodigo& tabla,
                   SalidaMotor* salida = nullptr);

  void BotonAbajo();
  // `simbolo` '.' or '-': the press is that symbol whatever its length (a
  // switch of its own for each); 0: classified by how long it was held.
  void BotonArriba(char simbolo = 0);
  // The press down ends unseen (its release was lost): it keys nothing, and
  // the letter gap closes the code keyed before it.
  void AnularPulsacion();
  void AplicarIntervalos();
  // Puts the timing aids of `ayudas` in force: following the person's pace
  // (SeguirRitmo), closing a code no entry extends sooner (LetrasAntes), and
  // the switch's safety (PulsacionMinima, EsperaTrasSoltar, PausaPorPulsacion).
  // With prediction and PulsacionLargaElige on, a press held just past the
  // dash band with nothing pending is no symbol but a choice (PulsacionLarga).
  // The pace starts from the one saved there, or from the settings when it
  // is 0 or the settings' times have changed since (told as RitmoAprendido).
  void AplicarAyudas(const Ayudas& ayudas);

  // The code keyed since the last letter: only presses, the letter's
  // receiver and a pause change it.
  const std::string& CodigoActual() const { return codigoActual_; }
  // The receiver of a closed letter is done with it: nothing is pending.
  void BorrarCodigo();
  // True: the word gap starts afresh from now (a letter was just typed);
  // false: no word gap until the next release.
  void EsperarPalabra(bool esperar);

  void SuspenderTemporizadores();
  void ReanudarTemporizadores();

  EstadoMotor Estado() const;
  bool BotonPresionado() const { return tmrClicAbajo.Habilitado(); }
  bool EnPausa() const { return enPausa_; }

  static constexpr int16_t kMaximoContador = 32000;

 private:
  void AnunciarCambio();
  BandaPulsacion BandaPunto() const;
  BandaPulsacion BandaRaya() const;
  BandaPulsacion BandaLarga() const;
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
  void Clasificar(char simbolo);

  Temporizador tmrClicAbajo;            // 10 ms, counts a held press
  Temporizador tmrTiempoEntreLetras;    // the letter gap
  Temporizador tmrTiempoEntrePalabras;  // the word gap
  int16_t ContadorAbajo = 0;

  ServicioReloj& reloj_;
  const Configuracion& configuracion_;
  const TablaCodigo& tabla_;
  SalidaMotor* salida_;
  std::string codigoActual_;
  bool suspendidos_[3] = {};

  bool seguirRitmo_ = false, letrasAntes_ = false;
  Ritmo ritmo_;
  std::optional<std::array<int, 6>> tiemposDeInicio_;  // the settings the pace started from
  RitmoGuardado ritmoGuardado_;                        // as last read from or told to the aids
  int intervaloLetra_ = 0, intervaloPalabra_ = 0;     // the settings' gaps, ms
  int64_t soltado_ = 0;                                // the last release, ms

  int pulsacionMinima_ = 0, esperaTrasSoltar_ = 0, pausaPorPulsacion_ = 0;  // ms, 0 off
  Pulsacion pulsacion_ = Pulsacion::Contada;
  int64_t abajo_ = 0;                   // when the press now down began, ms
  std::optional<int64_t> ultimaSoltada_;  // the last release the settle time counts from
  int16_t contadorPrevio_ = 0;          // the counter before a press that may yet be ignored
  bool enPausa_ = false;
  bool conmutada_ = false;  // the press now down has toggled the pause
  bool conPulsacionLarga_ = false;
};

}  // namespace kelu
