// The forms' timers, on the clock of the backend's timer service.
#pragma once
#include <cstdint>
#include <functional>

namespace kelu {

class ServicioReloj;

// A repeating timer. Enabling a stopped timer starts a fresh countdown, so
// does a new interval; interval 0 never fires.
class Temporizador {
 public:
  explicit Temporizador(ServicioReloj& reloj, int intervalo = 0, bool activo = false);
  ~Temporizador();
  Temporizador(const Temporizador&) = delete;
  Temporizador& operator=(const Temporizador&) = delete;

  bool Habilitado() const { return activo_; }
  void SetHabilitado(bool activo) noexcept;
  int Intervalo() const { return intervalo_; }
  void SetIntervalo(int ms) noexcept;  // 0 to 32767

  // Firings missed while the program was busy (a slow target, the machine
  // asleep) are made up one by one, so that counting firings measures time.
  // Without it any number of missed intervals give a single firing: right
  // for a timer whose firing is an action, not a tick to count.
  bool recuperarAtrasos = true;

  // Since the countdown last started, in ms, and how often the timer has
  // fired since then: what is left of a gap before it first closes.
  int64_t Transcurrido() const noexcept;
  int Disparos() const { return disparos_; }

  std::function<void()> Timer;
  void Disparar() {  // for backends
    if (!activo_) return;
    ++disparos_;
    if (Timer) Timer();
  }

 private:
  void Comenzar() noexcept;
  ServicioReloj& reloj_;
  int intervalo_;
  bool activo_;
  int64_t inicio_ = 0;
  int disparos_ = 0;
};

}  // namespace kelu
