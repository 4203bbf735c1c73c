// The sidetone and the sound cues as 16-bit mono samples, ready for any
// audio device that plays blocks back to back.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/toolkit.h"

namespace kelu {

inline constexpr int kMuestrasPorSegundo = 44100;

// A steady tone in three blocks. Each starts at phase 0 and holds whole
// periods, so attack, steady any number of times, release is one unbroken
// wave: the steady block loops for as long as the button is held.
struct BloquesTono {
  std::vector<int16_t> ataque;     // rises from silence
  std::vector<int16_t> sostenido;  // loops seamlessly
  std::vector<int16_t> caida;      // falls to silence
  double frecuencia = 0;           // Hz as played: the asked one, moved so that whole periods fit
};

// The peak sample for a volume of 0 to 100.
int Amplitud(int volumen);

BloquesTono GenerarTono(int frecuencia, int volumen, int muestrasPorSegundo = kMuestrasPorSegundo);
std::vector<int16_t> GenerarAviso(AvisoSonoro aviso, int volumen, int muestrasPorSegundo = kMuestrasPorSegundo);

}  // namespace kelu
