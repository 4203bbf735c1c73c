// Saving the person's settings and aids where start-up chose to keep them.
#pragma once
#include "platform/toolkit.h"
#include "startup/programa.h"

namespace kelu {

inline constexpr int kEntradaGuardadoFallido = 96;  // a save failed: where, and what follows

// Writes "kelu.ini" and "ayudas.ini" where they are kept, each unless it
// must be left as it is (it was there but could not be read). True when no
// write failed; with nowhere to keep them nothing is written (the person
// was told at the start).
[[nodiscard]] bool GuardarAjustes(Programa& p);

// The same when the person stores new settings with OK: a failed save is
// told to them over `duena` while they are there to act on it (close the
// program that holds the file, free the disk), once a session.
void GuardarAjustesAlAceptar(Programa& p, Ventana& duena);

}  // namespace kelu
