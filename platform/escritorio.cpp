#include "platform/escritorio.h"

#include "platform/paso.h"

namespace kelu {

void RecorrerVentanas(Escritorio& escritorio, Hwnd primera, const std::function<bool(Hwnd)>& visitar) {
  for (Hwnd w = primera; w != 0 && visitar(w);) {
    Hwnd siguiente = 0;
    Paso([&] { siguiente = escritorio.Relacionada(w, Relacion::Siguiente); });
    w = siguiente;
  }
}

}  // namespace kelu
