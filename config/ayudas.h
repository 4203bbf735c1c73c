// The aids to keying beyond the design's settings: what the pad shows and
// what KELU sounds. They live in a file of their own beside "kelu.ini".
#pragma once

namespace kelu {

struct Ayudas {
  bool MostrarCodigo = true;   // the pending code, the press meter and the gap countdown on the pad
  bool TablaCodigos = true;    // the code chart on the pad
  bool Tono = false;           // a tone while the button is held
  bool AvisosSonoros = false;  // a tick for a typed letter, a low cue for a dropped code
  int FrecuenciaTono = 700;    // Hz
  int VolumenTono = 30;        // percent

  bool operator==(const Ayudas&) const = default;
};

}  // namespace kelu
