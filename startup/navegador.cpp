#include "startup/navegador.h"

#include "platform/paso.h"

namespace kelu {

void AbrirEnNavegador(Escritorio& escritorio, const Ventana& ventana, std::string direccion) {
  if (direccion.compare(0, 7, "http://") != 0) direccion = "http://" + direccion;
  Paso([&] { escritorio.AbrirDocumento(ventana.Handle(), direccion); });
}

}  // namespace kelu
