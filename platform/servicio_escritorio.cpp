#include "platform/servicio_escritorio.h"

namespace kelu {

void RecorrerVentanas(ServicioEscritorio& escritorio, Hwnd primera, const std::function<bool(Hwnd)>& visitar) {
  for (Hwnd w = primera; w != 0 && visitar(w);) w = escritorio.Relacionada(w, Relacion::Siguiente);
}

}  // namespace kelu
