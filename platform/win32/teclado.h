// Types key events into whatever window has the keyboard focus.
#pragma once
#include <vector>

#include "platform/teclas.h"

namespace kelu {

// Sends all the events in one SendInput call, so no real keystroke of the
// person can land in the middle of them. False when the system did not
// insert every event (a target of a higher integrity level, input blocked).
bool EnviarEventosTeclado(const std::vector<EventoTecla>& eventos);

}  // namespace kelu
