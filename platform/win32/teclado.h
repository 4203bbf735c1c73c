// Types key events into whatever window has the keyboard focus.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/teclas.h"

namespace kelu {

// Carried by every key event KELU types, so that its own keystrokes pass a
// switch key capture (a space typed while Space is the switch).
inline constexpr std::uintptr_t kMarcaTeclasKelu = 0x4B454C55;

// Sends all the events in one SendInput call, so no real keystroke of the
// person can land in the middle of them. False when the system did not
// insert every event (a target of a higher integrity level, input blocked).
bool EnviarEventosTeclado(const std::vector<EventoTecla>& eventos);

}  // namespace kelu
