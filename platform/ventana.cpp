#include "platform/ventana.h"

#include <algorithm>

#include "platform/toolkit.h"

namespace kelu {

void PulsacionIzquierda::Abajo(Control* sobre) {
  presionada_ = sobre;
  enVentana_ = !sobre;
  enCurso_ = true;
}

PulsacionIzquierda::Suelta PulsacionIzquierda::Arriba(Control* sobre, bool dentro) {
  const Suelta suelta{presionada_, presionada_ && presionada_ == sobre, enVentana_ && !sobre && dentro};
  *this = PulsacionIzquierda{};
  return suelta;
}

Ventana::Ventana(Toolkit& toolkit, std::string nombre, std::string texto, int ancho, int alto)
    : anchoCliente(ancho),
      altoCliente(alto),
      toolkit_(toolkit),
      nombre_(std::move(nombre)),
      texto_(std::move(texto)),
      posicion_{0, 0, ancho, alto} {}

Ventana::~Ventana() {
  if (cargada_) toolkit_.Destruir(*this);
}

void Ventana::SetTexto(std::string texto) noexcept {
  texto_ = std::move(texto);
  NotificarNativo(Propiedad::Texto);
}

void Ventana::SetPosicion(Rectangulo posicion) {
  if (posicion == posicion_) return;
  posicion_ = posicion;
  NotificarNativo(Propiedad::Posicion);
  if (Resize) Resize();
}

void Ventana::PosicionDelSistema(Rectangulo posicion) {
  if (posicion == posicion_) return;
  posicion_ = posicion;
  if (Resize) Resize();
}

void Ventana::SetEstado(EstadoVentana estado) noexcept {
  if (estado == estado_) return;
  estado_ = estado;
  NotificarNativo(Propiedad::Estado);
}

void Ventana::EstadoDelSistema(EstadoVentana estado) {
  if (estado == estado_) return;
  estado_ = estado;
  if (Resize) Resize();
}

void Ventana::FocoDelSistema(Control* control) {
  if (control == foco_) return;
  foco_ = control;
  if (control && control->GotFocus) control->GotFocus();
}

void Ventana::OrdenTab(std::initializer_list<Control*> orden) {
  int tab = 0;
  for (Control* c : orden) c->indiceTab = tab++;
}

bool Ventana::Cargar() {
  if (cargada_) return true;
  cargada_ = true;
  std::stable_sort(controles_.begin(), controles_.end(),
                   [](const Control* a, const Control* b) { return a->indiceTab < b->indiceTab; });
  toolkit_.Crear(*this);
  if (!handle_) {
    cargada_ = false;
    return false;
  }
  if (Load) Load();
  return true;
}

bool Ventana::Mostrar(bool modal) {
  if (!Cargar()) return false;
  if (!cargada_) return true;  // the load handler unloaded it
  visible_ = true;
  toolkit_.MostrarVentana(*this, modal);
  return true;
}

void Ventana::Ocultar() {
  if (!visible_) return;
  visible_ = false;
  toolkit_.OcultarVentana(*this);
}

bool Ventana::Descargar() {
  if (!cargada_) return true;
  bool cancelar = false;
  if (QueryUnload) QueryUnload(cancelar);
  if (cancelar) return false;
  if (Unload) Unload();
  cargada_ = false;
  visible_ = false;
  foco_ = nullptr;
  toolkit_.Destruir(*this);
  handle_ = 0;
  return true;
}

Rectangulo AreaDeTrabajo(const Pantalla& p) {
  if (p.trabajo.ancho > 0 && p.trabajo.alto > 0) return p.trabajo;
  return Rectangulo{0, 0, p.ancho, p.alto};
}

}  // namespace kelu
