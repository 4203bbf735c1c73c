// What the keying engine tells the one who owns it: a letter closed with
// its code, a word gap, the pace it learned, and its state as it changes,
// which the pad and the meter draw from.
#pragma once
#include <cstdint>
#include <string>

#include "keying/ritmo.h"

namespace kelu {

// A gap's timer as it stands: what is left of it before it first closes.
struct HuecoMotor {
  bool enMarcha = false;
  int intervaloMs = 0;
  int disparos = 0;             // closings since it last started
  int64_t transcurridoMs = 0;  // since it last started
};

// The engine's state, read-only, as a value.
struct EstadoMotor {
  bool presionado = false;      // a press is down and being timed
  bool pausaConmutada = false;  // the press now down paused or resumed keying: it is no press
  bool enPausa = false;         // nothing is keyed until another long hold
  int cuenta = 0;               // ticks the last press was held (10 ms each)
  std::string codigo;           // the code keyed since the last letter
  bool pulsacionLarga = false;  // a press held into `larga` now chooses (nothing pending, the aid on)
  BandaPulsacion punto, raya;   // the bands a release is classified by now
  // Just past the dash band, as wide as it: longer is a spasm, and keys nothing.
  BandaPulsacion larga;
  HuecoMotor letra, palabra;

  // The held ticks that part a dot ('.') from a dash ('-'): the count a dot
  // must stay under, the count a dash must pass.
  int Umbral(char simbolo) const { return simbolo == '.' ? punto.hasta : raya.desde; }
};

// The person's pace as the aids file keeps it, ms; zeros: from the settings.
struct RitmoGuardado {
  int punto = 0, raya = 0, hueco = 0;
  bool operator==(const RitmoGuardado&) const = default;
};

class SalidaMotor {
 public:
  virtual ~SalidaMotor() = default;
  // The letter gap closed with `codigo` pending (empty when nothing was
  // keyed): it stays pending until its receiver drops it (BorrarCodigo).
  virtual void LetraCerrada(const std::string& codigo) = 0;
  // The word gap passed without a press.
  virtual void HuecoDePalabra() = 0;
  // A press that counts has begun (one the tremor filter lets through).
  virtual void PulsacionEmpieza() {}
  // A release, or the letter read again at its close, gave `codigo`: the
  // echo shows it with what it types.
  virtual void CodigoLeido(const std::string& codigo) { (void)codigo; }
  // After a press goes down or up, at each tick it is held, and whenever
  // the pending code changes.
  virtual void EstadoCambiado(const EstadoMotor& estado) { (void)estado; }
  // A press held past the dash band with nothing pending, where that
  // chooses: no symbol, no gap; the owner acts on it.
  virtual void PulsacionLarga() {}
  // At the moment a long hold pauses (true) or resumes (false) keying.
  virtual void PausaCambiada(bool enPausa) { (void)enPausa; }
  // A letter taught the pace, or new times in the settings started it again
  // from them (zeros): the values to keep in the aids.
  virtual void RitmoAprendido(const RitmoGuardado& ritmo) { (void)ritmo; }
};

}  // namespace kelu
