// Opening a web address in the user's browser.
#pragma once
#include <string>

#include "platform/escritorio.h"
#include "platform/toolkit.h"

namespace kelu {

// Adds "http://" unless the address starts with exactly that, then hands it
// to the shell; whatever happens is ignored.
void AbrirEnNavegador(Escritorio& escritorio, const Ventana& ventana, std::string direccion);

}  // namespace kelu
