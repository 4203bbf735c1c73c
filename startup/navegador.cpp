#include "startup/navegador.h"

namespace kelu {

void AbrirEnNavegador(ServicioProgramas& programas, const Ventana& ventana, std::string direccion) {
  if (direccion.compare(0, 7, "http://") != 0) direccion = "http://" + direccion;
  programas.AbrirDocumento(ventana.Handle(), direccion);  // its failure goes unnoticed
}

}  // namespace kelu
