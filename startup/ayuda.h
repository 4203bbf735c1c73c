// The help pages, one per interface language, beside the program.
#pragma once
#include "platform/toolkit.h"
#include "startup/programa.h"

namespace kelu {

// Opens "kelu_<Idioma>.html" from the program's folder in the shell's
// viewer, or the Spanish page when the language has none.
void AbrirAyuda(Programa& programa, Ventana& dueno);

}  // namespace kelu
