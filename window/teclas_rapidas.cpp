#include "window/teclas_rapidas.h"

#include "platform/paso.h"

namespace kelu {

void TeclaRapida::RegistrarTeclaRapida(Ventana& ventana, int tecla) {
  FinEspera = false;
  // Another program may own the combination: KELU then runs without it.
  bool registrada = false;
  Paso([&] { registrada = ventana.Kit().RegistrarTeclaRapida(ventana, kIdentificador, kControl, tecla); });
  Paso([&] { ventana.Mostrar(); });
  if (AlMostrar) Paso([&] { AlMostrar(registrada); });
  EsperarTeclaRapida(ventana);
}

void TeclaRapida::EsperarTeclaRapida(Ventana& ventana) {
  Toolkit& kit = ventana.Kit();
  while (!FinEspera) {
    kit.EsperarMensaje();
    if (kit.TomarTeclaRapida(ventana)) TraerVentana(ventana);
    kit.ProcesarEventos();
  }
}

void TeclaRapida::TraerVentana(Ventana& ventana) {
  Paso([&] { ventana.SetEstado(EstadoVentana::Normal); });
  Paso([&] { ventana.Mostrar(); });
}

void TeclaRapida::LiberarTeclaRapida(Ventana& ventana) {
  FinEspera = true;
  Paso([&] { ventana.Kit().LiberarTeclaRapida(ventana, kIdentificador); });
}

}  // namespace kelu
