#include "platform/controles.h"

#include "platform/ventana.h"
#include "platform/toolkit.h"

namespace kelu {

Control::Control(Ventana& ventana, TipoControl tipo, std::string nombre, Rectangulo posicion, Fuente fuente,
                 std::string texto)
    : ventana_(ventana),
      tipo_(tipo),
      nombre_(std::move(nombre)),
      posicion_(posicion),
      fuente_(std::move(fuente)),
      texto_(std::move(texto)) {
  ventana.Registrar(*this);
}

void Control::SetTexto(std::string texto) {
  if (texto == texto_) return;
  texto_ = std::move(texto);
  NotificarNativo(Propiedad::Texto);
  if (tipo_ == TipoControl::CajaTexto && Change) Change();
}

void Control::TextoDelUsuario(std::string texto) {
  if (texto == texto_) return;
  texto_ = std::move(texto);
  if (Change) Change();
}

void Control::SetPosicion(Rectangulo posicion) noexcept {
  if (posicion == posicion_) return;
  posicion_ = posicion;
  NotificarNativo(Propiedad::Posicion);
}

void Control::SetHabilitado(bool habilitado) noexcept {
  if (habilitado == habilitado_) return;
  habilitado_ = habilitado;
  NotificarNativo(Propiedad::Habilitado);
}

void Control::SetVisible(bool visible) noexcept {
  if (visible == visible_) return;
  visible_ = visible;
  NotificarNativo(Propiedad::Visible);
}

bool Control::Enfocable() const {
  return tipo_ == TipoControl::Boton || tipo_ == TipoControl::Combo || tipo_ == TipoControl::Casilla ||
         tipo_ == TipoControl::CajaTexto;
}

void Control::SetFoco() {
  if (Enfocable() && habilitado_ && visible_) ventana_.Kit().Enfocar(*this);
}

void Combo::Limpiar() noexcept {
  entradas_.clear();
  seleccion_ = -1;
  NotificarNativo(Propiedad::Lista);
}

void Combo::Agregar(std::string entrada) {
  entradas_.push_back(std::move(entrada));
  NotificarNativo(Propiedad::Lista);
}

int Combo::Buscar(const std::string& texto) const {
  for (int i = Cantidad() - 1; i >= 0; --i)
    if (entradas_[static_cast<size_t>(i)] == texto) return i;
  return -1;
}

bool Combo::SetSeleccion(int i) {
  if (i < -1 || i >= Cantidad()) return false;
  seleccion_ = i;
  NotificarNativo(Propiedad::Seleccion);
  if (Click) Click();
  return true;
}

void Casilla::SetMarcada(bool marcada) {
  if (marcada == marcada_) return;
  marcada_ = marcada;
  NotificarNativo(Propiedad::Valor);
  if (Click) Click();
}

void Etiqueta::SetDibujo(std::vector<Trazo> dibujo) noexcept {
  if (dibujo == dibujo_) return;
  dibujo_ = std::move(dibujo);
  NotificarNativo(Propiedad::Dibujo);
}

void CajaTexto::SeleccionarTodo() noexcept {
  inicioSeleccion = 0;
  largoSeleccion = static_cast<int>(Texto().size());
  NotificarNativo(Propiedad::Seleccion);
}

}  // namespace kelu
