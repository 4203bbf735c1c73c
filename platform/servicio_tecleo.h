// Keystrokes into the window in front.
#pragma once
#include <vector>

#include "platform/control.h"
#include "platform/teclas.h"

namespace kelu {

class ServicioTecleo {
 public:
  virtual ~ServicioTecleo() = default;
  // Types the events into whatever window has the input focus; returns at
  // once. False when the system did not take every event.
  [[nodiscard]] virtual bool Teclear(const std::vector<EventoTecla>& eventos) noexcept = 0;
  // False when the system would drop KELU's keys for that window without a
  // word: its program runs at a higher integrity level (elevated).
  virtual bool PuedeRecibirTeclas(Hwnd ventana) noexcept = 0;
};

}  // namespace kelu
