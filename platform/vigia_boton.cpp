#include "platform/vigia_boton.h"

namespace kelu {

VigiaBoton::VigiaBoton(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba)
    : ventana_(ventana), abajo_(std::move(abajo)), arriba_(std::move(arriba)) {}

void VigiaBoton::Capturar() {
  ventana_.Kit().CapturarClics(ventana_, [this] { Abajo(); }, [this] { Arriba(); });
}

void VigiaBoton::Mirar() {
  if (enCurso_ && ventana_.Kit().SueltoFuera(ventana_)) Arriba();
}

// A press that went unseen (one the tremor filter ignores has no ticks to
// look on) ends before the next begins.
void VigiaBoton::Abajo() {
  if (enCurso_) Arriba();
  enCurso_ = true;
  if (abajo_) abajo_();
}

// Once per press: the release the window still hears after the watch ended
// the press (a race with the system's queue) does nothing.
void VigiaBoton::Arriba() {
  if (!enCurso_) return;
  enCurso_ = false;
  if (arriba_) arriba_();
}

}  // namespace kelu
