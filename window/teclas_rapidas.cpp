#include "window/teclas_rapidas.h"

namespace kelu {

bool TeclaRapida::RegistrarTeclaRapida(Ventana& ventana, int tecla) {
  const bool registrada = ventana.Kit().RegistrarTeclaRapida(ventana, kIdentificador, kControl, tecla);
  ventana.Mostrar();
  return registrada;
}

void TeclaRapida::TraerVentana(Ventana& ventana) {
  ventana.SetEstado(EstadoVentana::Normal);
  ventana.Mostrar();
}

void TeclaRapida::LiberarTeclaRapida(Ventana& ventana) {
  ventana.Kit().LiberarTeclaRapida(ventana, kIdentificador);
}

}  // namespace kelu
