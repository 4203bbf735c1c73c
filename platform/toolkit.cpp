#include "platform/toolkit.h"

#include <algorithm>

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

void Control::SetPosicion(Rectangulo posicion) {
  if (posicion == posicion_) return;
  posicion_ = posicion;
  NotificarNativo(Propiedad::Posicion);
}

void Control::SetHabilitado(bool habilitado) {
  if (habilitado == habilitado_) return;
  habilitado_ = habilitado;
  NotificarNativo(Propiedad::Habilitado);
}

void Control::SetVisible(bool visible) {
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

void Combo::Limpiar() {
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

void Etiqueta::SetDibujo(std::vector<Trazo> dibujo) {
  if (dibujo == dibujo_) return;
  dibujo_ = std::move(dibujo);
  NotificarNativo(Propiedad::Dibujo);
}

void CajaTexto::SeleccionarTodo() {
  inicioSeleccion = 0;
  largoSeleccion = static_cast<int>(Texto().size());
  NotificarNativo(Propiedad::Seleccion);
}

Temporizador::Temporizador(Toolkit& toolkit, int intervalo, bool activo)
    : toolkit_(toolkit), intervalo_(intervalo), activo_(activo) {
  if (activo_) Comenzar();
  toolkit_.Programar(*this);
}

Temporizador::~Temporizador() { toolkit_.Olvidar(*this); }

void Temporizador::SetHabilitado(bool activo) {
  if (activo == activo_) return;
  activo_ = activo;
  if (activo_) Comenzar();
  toolkit_.Programar(*this);
}

void Temporizador::SetIntervalo(int ms) {
  intervalo_ = std::clamp(ms, 0, 32767);
  Comenzar();
  toolkit_.Programar(*this);
}

void Temporizador::Comenzar() {
  inicio_ = toolkit_.Milisegundos();
  disparos_ = 0;
}

int64_t Temporizador::Transcurrido() const { return toolkit_.Milisegundos() - inicio_; }

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

void Ventana::SetTexto(std::string texto) {
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

void Ventana::SetEstado(EstadoVentana estado) {
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
