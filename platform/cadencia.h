// Keeps a timer's firings at one per interval on average when the system
// delivers its ticks late or coarsely: each look fires once for every whole
// interval elapsed since the timer started.
#pragma once
#include <cstdint>

namespace kelu {

class Cadencia {
 public:
  void Iniciar(int64_t ahora, int64_t intervalo) {
    siguiente_ = ahora + intervalo;
    intervalo_ = intervalo;
  }
  // Firings owed at `ahora` (any unit, the same as Iniciar's).
  int Debidos(int64_t ahora) {
    if (intervalo_ <= 0 || ahora < siguiente_) return 0;
    int64_t n = (ahora - siguiente_) / intervalo_ + 1;
    siguiente_ += n * intervalo_;
    return static_cast<int>(n);
  }
  int64_t Siguiente() const { return siguiente_; }

 private:
  int64_t siguiente_ = 0;
  int64_t intervalo_ = 0;
};

}  // namespace kelu
