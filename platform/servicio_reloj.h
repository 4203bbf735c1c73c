// The clock and the timers: what a backend does when a timer is enabled,
// disabled or given an interval, and the steady clock they run on.
#pragma once
#include <cstdint>

namespace kelu {

class Temporizador;

class ServicioReloj {
 public:
  virtual ~ServicioReloj() = default;
  virtual void Programar(Temporizador& temporizador) noexcept = 0;
  virtual void Olvidar(Temporizador& temporizador) noexcept = 0;
  // A steady clock in milliseconds, the one the timers run on.
  virtual int64_t Milisegundos() noexcept = 0;
  // When the press or release being handled happened, on that clock: one
  // handled late, while the machine was busy, is timed as it was held.
  // Outside such input, or where the backend cannot tell, now.
  virtual int64_t MomentoDeLaEntrada() noexcept { return Milisegundos(); }
};

}  // namespace kelu
