// What a calibration proposes from the presses and pauses the person keyed:
// the dot and dash bands and the letter gap, in the options dialog's
// centiseconds.
#pragma once
#include <cstdint>
#include <vector>

namespace kelu {

// Durations in ms. The inner pauses are those between the elements of one
// letter, the letter pauses those between two letters of a word.
struct MuestrasCalibracion {
  std::vector<int> puntos, rayas, pausasInternas, pausasLetras;
};

struct PropuestaCalibracion {
  bool valida = false;     // enough presses of each kind to propose anything
  bool solapados = false;  // the longest dots reach the shortest dashes
  int16_t DuracionPunto = 0, ToleranciaPunto = 0, DuracionRaya = 0, ToleranciaRaya = 0, TiempoEntreLetras = 0;
};

// The values left after dropping those more than 3 median absolute
// deviations (taken as one 10 ms tick at least) from the median.
std::vector<int> SinAtipicos(std::vector<int> valores);
int Mediana(std::vector<int> valores);  // 0 for none

// The dot and dash bands meet at the geometric mean of the two medians, so
// that every press between them is one or the other; the dot band starts at
// 0.4 of the median dot and the dash band ends at 2.5 of the median dash;
// the letter gap lies at
// the geometric mean of the inner and the letter pauses. Overlap is judged
// on the samples kept: the longest dot against the shortest dash, and any
// press kept that its own band would not hold.
PropuestaCalibracion ProponerTiempos(const MuestrasCalibracion& muestras);

}  // namespace kelu
