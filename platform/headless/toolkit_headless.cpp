#include "platform/headless/toolkit_headless.h"

#include <algorithm>
#include <stdexcept>

#include "platform/numeros.h"
#include "platform/traza.h"

namespace kelu {
namespace {

// The frame of a new window on each side, and its caption, in twips: 4 and
// 23 pixels, as a common theme draws them.
constexpr int kMarco = 60, kTitulo = 345;

// Keeps a KELU window's title on the fake desktop in step with its caption.
class NativoVentana final : public Nativo {
 public:
  NativoVentana(ToolkitHeadless& kit, Ventana& ventana) : kit_(kit), ventana_(ventana) {}
  void Cambio(Propiedad propiedad) noexcept override {
    if (propiedad != Propiedad::Texto) return;
    if (auto* falsa = kit_.Buscar(ventana_.Handle())) falsa->titulo = ventana_.Texto();
  }

 private:
  ToolkitHeadless& kit_;
  Ventana& ventana_;
};

}  // namespace

ToolkitHeadless::ToolkitHeadless() = default;
ToolkitHeadless::~ToolkitHeadless() {
  if (sesion->primera == this) sesion->primera = nullptr;  // the process ended: the mark goes with it
}

bool ToolkitHeadless::SiguienteDisparo(int64_t limite, Temporizador*& cual, int64_t& cuando) {
  cual = nullptr;
  uint64_t orden = 0;
  for (auto& [t, r] : relojes_) {
    if (r.vence > limite) continue;
    if (!cual || r.vence < cuando || (r.vence == cuando && r.orden < orden)) {
      cual = t;
      cuando = r.vence;
      orden = r.orden;
    }
  }
  return cual != nullptr;
}

void ToolkitHeadless::Avanzar(int64_t ms) {
  const int64_t limite = ahora_ + ms;
  Temporizador* t;
  int64_t cuando;
  while (SiguienteDisparo(limite, t, cuando)) {
    ahora_ = cuando;
    relojes_[t].vence += t->Intervalo();
    Atender("Timer", [t] { t->Disparar(); });
  }
  ahora_ = limite;
}

void ToolkitHeadless::Programar(Temporizador& t) noexcept {
  if (t.Habilitado() && t.Intervalo() > 0)
    relojes_[&t] = Reloj{ahora_ + t.Intervalo(), armados_++};
  else
    relojes_.erase(&t);
}

void ToolkitHeadless::Olvidar(Temporizador& t) noexcept { relojes_.erase(&t); }

void ToolkitHeadless::BotonAbajo(Ventana& ventana, Control* sobre) {
  // A press brings the window to the front, as on screen; one on its ground
  // does not while it is kept from activating.
  const bool control = sobre && (sobre->Tipo() == TipoControl::Boton || sobre->Tipo() == TipoControl::Combo);
  if (!sinActivar[&ventana] || control) AlFrente(ventana.Handle());
  ultimaEntrada = kProcesoKelu;  // brought forward or not, the press is KELU's input
  botonAbajo_ = true;
  bajoPuntero_ = &ventana;
  auto captura = capturas_.find(&ventana);
  if (captura != capturas_.end() && captura->second.first) captura->second.first();
  pulsaciones_[&ventana].Abajo(sobre);
  EventoRaton e;
  if (ventana.MouseDown) ventana.MouseDown(e);
  if (sobre && sobre->MouseDown) sobre->MouseDown(e);
}

void ToolkitHeadless::BotonArriba(Ventana& ventana, Control* sobre) {
  botonAbajo_ = false;
  bajoPuntero_ = &ventana;
  Soltar(ventana, sobre, true);
}

void ToolkitHeadless::SacarRaton(Ventana& ventana) {
  if (bajoPuntero_ == &ventana) bajoPuntero_ = nullptr;
}

void ToolkitHeadless::SoltarFuera(Ventana& ventana) {
  SacarRaton(ventana);
  botonAbajo_ = false;
  if (activa == ventana.Handle()) Soltar(ventana, nullptr, false);
}

bool ToolkitHeadless::SueltoFuera(Ventana& ventana) noexcept {
  if (botonAbajo_ || bajoPuntero_ == &ventana) return false;
  pulsaciones_.erase(&ventana);
  return true;
}

void ToolkitHeadless::Soltar(Ventana& ventana, Control* sobre, bool dentro) {
  auto captura = capturas_.find(&ventana);
  if (captura != capturas_.end() && captura->second.second) captura->second.second();
  const auto suelta = pulsaciones_[&ventana].Arriba(sobre, dentro);
  EventoRaton e;
  if (ventana.MouseUp) ventana.MouseUp(e);
  if (suelta.destino && suelta.destino->MouseUp) suelta.destino->MouseUp(e);
  if (suelta.clic && suelta.destino->Click) suelta.destino->Click();
  if (suelta.clicVentana && ventana.Click) ventana.Click();
}

void ToolkitHeadless::MoverRaton(Ventana& ventana, Control* sobre) {
  EventoRaton e;
  if (sobre ? static_cast<bool>(sobre->MouseMove) : static_cast<bool>(ventana.MouseMove))
    sobre ? sobre->MouseMove(e) : ventana.MouseMove(e);
}

void ToolkitHeadless::Tecla(Ventana& ventana, int codigo, ModificadorTecla shift) {
  ultimaEntrada = kProcesoKelu;
  if (ventana.vistaPreviaTeclas && ventana.KeyDown) ventana.KeyDown(TeclaPulsada{codigo, shift});
}

void ToolkitHeadless::AbrirLista(Combo& combo) {
  Ventana& ventana = combo.Padre();
  AlFrente(ventana.Handle());  // a control's press does, kept from activating or not
  ventana.FocoDelSistema(&combo);
  if (combo.DropDown) combo.DropDown();
}

void ToolkitHeadless::Crear(Ventana& ventana) {
  if (ventanasPosibles == 0) return;  // refused, as a desktop out of resources does
  if (ventanasPosibles > 0) --ventanasPosibles;
  Hwnd h = AgregarVentana(ventana.Texto(), false, kProcesoKelu);
  Buscar(h)->propia = &ventana;
  ventana.CreadaPorBackend(h);
  ventana.nativo = std::make_unique<NativoVentana>(*this, ventana);
  // New windows open at the top-left.
  const bool marco = ventana.borde != Borde::Ninguno;
  ventana.PosicionDelSistema({0, 0, ventana.anchoCliente + (marco ? 2 * kMarco : 0),
                              ventana.altoCliente + (marco ? 2 * kMarco + kTitulo : 0)});
}

std::pair<int, int> ToolkitHeadless::CentroEnPantalla(const Control& control) noexcept {
  const Ventana& v = control.Padre();
  const bool marco = v.borde != Borde::Ninguno;
  const Rectangulo& c = control.Posicion();
  const double x = v.Posicion().izquierda + (marco ? kMarco : 0) + c.izquierda + c.ancho / 2.0;
  const double y = v.Posicion().arriba + (marco ? kMarco + kTitulo : 0) + c.arriba + c.alto / 2.0;
  return {RedondearPar(x / pantalla.twipsPorPixelX), RedondearPar(y / pantalla.twipsPorPixelY)};
}

void ToolkitHeadless::Destruir(Ventana& ventana) noexcept {
  QuitarVentana(ventana.Handle());
  ventana.nativo.reset();
  capturas_.erase(&ventana);
  pulsaciones_.erase(&ventana);
  if (bajoPuntero_ == &ventana) bajoPuntero_ = nullptr;
}

void ToolkitHeadless::MostrarVentana(Ventana& ventana, bool) {
  if (auto* v = Buscar(ventana.Handle())) v->visible = true;
  // The first control that can hold the focus gets it, as on screen.
  if (!ventana.ConFoco())
    for (Control* c : ventana.Controles())
      if (c->Enfocable() && c->Habilitado() && c->Visible()) {
        ventana.FocoDelSistema(c);
        break;
      }
  if (ventana.Activate) ventana.Activate();
}

void ToolkitHeadless::OcultarVentana(Ventana& ventana) noexcept {
  if (auto* v = Buscar(ventana.Handle())) v->visible = false;
}

void ToolkitHeadless::Enfocar(Control& control) { control.Padre().FocoDelSistema(&control); }

void ToolkitHeadless::CapturarClics(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba) noexcept {
  capturas_[&ventana] = {std::move(abajo), std::move(arriba)};
}

void ToolkitHeadless::ProcesarEventos() noexcept {
  while (!pendientes_.empty()) {
    auto evento = std::move(pendientes_.front());
    pendientes_.pop_front();
    Atender("evento", evento);
  }
}

void ToolkitHeadless::EsperarMensaje() {
  bool teclaRapida = std::any_of(teclaRapidaPendiente_.begin(), teclaRapidaPendiente_.end(),
                                 [](const auto& p) { return p.second; });
  if (pendientes_.empty() && !teclaRapida)
    throw std::logic_error("waiting with nothing queued would never return");
}

bool ToolkitHeadless::RegistrarTeclaRapida(Ventana& ventana, int id, unsigned modificadores, int tecla) noexcept {
  if (teclaRapidaAjena) return false;
  teclasRapidas[&ventana].push_back({id, modificadores, tecla});
  return true;
}

void ToolkitHeadless::LiberarTeclaRapida(Ventana& ventana, int id) noexcept {
  std::erase_if(teclasRapidas[&ventana], [&](const TeclaRapida& t) { return t.id == id; });
}

bool ToolkitHeadless::TomarTeclaRapida(Ventana& ventana) noexcept {
  bool pendiente = teclaRapidaPendiente_[&ventana];
  teclaRapidaPendiente_[&ventana] = false;
  return pendiente;
}

int ToolkitHeadless::MostrarMensaje(Ventana*, const std::string& texto, const std::string& titulo, int estilo) {
  mensajes.push_back({texto, titulo, estilo});
  if (duranteMensaje) {
    auto durante = duranteMensaje;  // a box opened inside it must not run it again
    duranteMensaje = nullptr;
    durante();
  }
  if (!respuestas.empty()) {
    int r = respuestas.front();
    respuestas.pop_front();
    return r;
  }
  return (estilo & 7) == kMbSiNo ? kIdSi : kIdOk;
}

int ToolkitHeadless::AnchoTexto(const Ventana&, const std::string& texto, const Fuente& fuente) noexcept {
  int caracteres = 0;
  for (unsigned char c : texto) caracteres += (c & 0xC0) != 0x80;
  return static_cast<int>(caracteres * fuente.puntos * 20 * 0.6);
}

std::optional<std::string> ToolkitHeadless::ElegirArchivo(Ventana&, const DialogoAbrir& dialogo) {
  dialogos.push_back(dialogo);
  if (archivosElegidos.empty()) return std::nullopt;
  auto r = archivosElegidos.front();
  archivosElegidos.pop_front();
  return r;
}

bool ToolkitHeadless::PrimeraCopia() noexcept {
  ToolkitHeadless* primera = sesion->primera;
  if (!primera || primera == this) {
    sesion->primera = this;
    return true;
  }
  primera->Encolar([primera] {
    if (primera->OtraCopia) primera->OtraCopia();
  });
  return false;
}

}  // namespace kelu
