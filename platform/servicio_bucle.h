// The event pump, the hot key, and KELU's place in the Windows session.
#pragma once
#include <functional>

namespace kelu {

class Ventana;

class ServicioBucle {
 public:
  virtual ~ServicioBucle() = default;

  // Every pending event, then return. Each event's handling ends at the
  // backend's guard for it, so nothing a handler throws comes out here.
  virtual void ProcesarEventos() noexcept = 0;
  virtual void EsperarMensaje() = 0;  // block until an event is pending
  [[nodiscard]] virtual bool RegistrarTeclaRapida(Ventana& ventana, int id, unsigned modificadores,
                                                  int tecla) noexcept = 0;
  virtual void LiberarTeclaRapida(Ventana& ventana, int id) noexcept = 0;
  virtual bool TomarTeclaRapida(Ventana& ventana) noexcept = 0;  // a pending hot-key message, removed

  // What the end of the Windows session (log-off, restart, shutdown) does.
  // The backend runs it once, with no question asked and whatever modal
  // box is open, then ends the process: no window is touched afterwards.
  std::function<void()> FinDeSesion;

  // One KELU per Windows session. True for the first copy, which from then
  // on hears of every later start through OtraCopia; false for a later one,
  // which has asked the first to come forward and must end at once.
  [[nodiscard]] virtual bool PrimeraCopia() noexcept = 0;
  std::function<void()> OtraCopia;
};

}  // namespace kelu
