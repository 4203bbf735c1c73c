// Opening a web address in the user's browser.
#pragma once
#include <string>

#include "platform/servicio_programas.h"
#include "platform/ventana.h"

namespace kelu {

// Adds "http://" unless the address starts with exactly that, then hands it
// to the shell; whatever happens is ignored.
void AbrirEnNavegador(ServicioProgramas& programas, const Ventana& ventana, std::string direccion);

}  // namespace kelu
