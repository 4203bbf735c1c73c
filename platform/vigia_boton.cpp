#include "platform/vigia_boton.h"

#include "platform/paso.h"

namespace kelu {

VigiaBoton::VigiaBoton(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba)
    : tmrVigia(ventana.Kit(), 10, false), ventana_(ventana), abajo_(std::move(abajo)), arriba_(std::move(arriba)) {
  tmrVigia.recuperarAtrasos = false;  // one look after a stall is enough
  tmrVigia.Timer = [this] {
    if (ventana_.Kit().SueltoFuera(ventana_)) Arriba();
  };
}

void VigiaBoton::Capturar() {
  ventana_.Kit().CapturarClics(ventana_, [this] { Abajo(); }, [this] { Arriba(); });
}

void VigiaBoton::Abajo() {
  if (enCurso_) Arriba();  // a release lost between two looks
  enCurso_ = true;
  // The press first, so that its own ticks come before the watch's.
  if (abajo_) abajo_();
  Paso([&] { tmrVigia.SetHabilitado(true); });
}

// Once per press: the release the window still hears after the watch ended
// the press (a race with the system's queue) does nothing.
void VigiaBoton::Arriba() {
  if (!enCurso_) return;
  enCurso_ = false;
  Paso([&] { tmrVigia.SetHabilitado(false); });
  if (arriba_) arriba_();
}

}  // namespace kelu
