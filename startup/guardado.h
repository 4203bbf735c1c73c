// Saving the person's settings and aids where start-up chose to keep them.
#pragma once
#include "platform/toolkit.h"
#include "startup/programa.h"

namespace kelu {


// Writes "kelu.ini" and "ayudas.ini" where they are kept, each unless it
// must be left as it is (it was there but could not be read). True when no
// write failed; with nowhere to keep them nothing is written (the person
// was told at the start).
[[nodiscard]] bool GuardarAjustes(Programa& p);

// Tells the person, over `duena`, that the settings could not be saved
// and where, unless a switch key is set: nobody could close the box then.
void AvisarGuardadoFallido(Programa& p, Ventana& duena);

}  // namespace kelu
