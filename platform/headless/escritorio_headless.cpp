// The fake desktop of the in-memory backend: other programs' windows in Z
// order, the foreground lock, keystrokes into the window in front, and
// program starts as the test scripts them.
#include <algorithm>

#include "platform/headless/toolkit_headless.h"

namespace kelu {

Hwnd ToolkitHeadless::AgregarVentana(std::string titulo, bool visible, uint32_t proceso) {
  VentanaFalsa v;
  v.handle = proximoHandle_++;
  v.titulo = std::move(titulo);
  v.visible = visible;
  v.proceso = proceso;
  escritorio.insert(escritorio.begin(), v);
  return v.handle;
}

void ToolkitHeadless::QuitarVentana(Hwnd handle) {
  std::erase_if(escritorio, [&](const VentanaFalsa& v) { return v.handle == handle; });
  if (activa == handle) activa = 0;
}

ToolkitHeadless::VentanaFalsa* ToolkitHeadless::Buscar(Hwnd handle) {
  for (auto& v : escritorio)
    if (v.handle == handle) return &v;
  return nullptr;
}

std::string ToolkitHeadless::Recibido(Hwnd handle) {
  auto* v = Buscar(handle);
  return v ? DescribirEventos(v->recibido) : std::string();
}

Hwnd ToolkitHeadless::Relacionada(Hwnd ventana, Relacion relacion) noexcept {
  if (relacion == Relacion::PrimerHijo) return ventana == kEscritorio ? PrimeraVentana() : 0;
  if (relacion == Relacion::Dueno) {
    auto* v = Buscar(ventana);
    return v ? v->dueno : 0;
  }
  for (size_t i = 0; i + 1 < escritorio.size(); ++i)
    if (escritorio[i].handle == ventana) return escritorio[i + 1].handle;
  return 0;
}

int ToolkitHeadless::LargoTitulo(Hwnd ventana) noexcept {
  auto* v = Buscar(ventana);
  return v ? static_cast<int>(v->titulo.size()) : 0;
}

std::string ToolkitHeadless::Titulo(Hwnd ventana, int maximo) noexcept {
  auto* v = Buscar(ventana);
  if (!v) return {};
  return v->titulo.substr(0, static_cast<size_t>(std::max(0, maximo)));
}

bool ToolkitHeadless::EsVisible(Hwnd ventana) noexcept {
  auto* v = Buscar(ventana);
  return v && v->visible;
}

Hwnd ToolkitHeadless::Padre(Hwnd ventana) noexcept {
  auto* v = Buscar(ventana);
  return v ? v->padre : 0;
}

uint32_t ToolkitHeadless::ProcesoDe(Hwnd ventana) noexcept {
  auto* v = Buscar(ventana);
  return v ? v->proceso : 0;
}

bool ToolkitHeadless::Mover(Hwnd ventana, int x, int y, int ancho, int alto) noexcept {
  auto* v = Buscar(ventana);
  if (!v) return false;
  v->rect = {x, y, ancho, alto};
  return true;
}

// The foreground lock: only the process in front, or the one that received
// the last input event, may bring a window forward, or anyone when no window
// is in front. A window already in front stays there.
bool ToolkitHeadless::Activar(Hwnd ventana) noexcept {
  if (rechazarActivacion) return false;
  if (ventana == activa && Buscar(ventana)) return true;
  const bool permitido = !Buscar(activa) || ProcesoDe(activa) == kProcesoKelu || ultimaEntrada == kProcesoKelu;
  return permitido && AlFrente(ventana);
}

bool ToolkitHeadless::AlFrente(Hwnd ventana) {
  auto it = std::find_if(escritorio.begin(), escritorio.end(), [&](const VentanaFalsa& v) { return v.handle == ventana; });
  if (it == escritorio.end()) return false;
  std::rotate(escritorio.begin(), it, it + 1);  // to the top of the Z order
  activa = ventana;
  return true;
}

// As the real system does for an elevated window, the keys are lost
// whatever Teclear answers.
bool ToolkitHeadless::Teclear(const std::vector<EventoTecla>& eventos) noexcept {
  if (insercionIncompleta) return false;
  auto* v = Buscar(activa);
  if (v && !v->elevada) v->recibido.insert(v->recibido.end(), eventos.begin(), eventos.end());
  return true;
}

bool ToolkitHeadless::PuedeRecibirTeclas(Hwnd ventana) noexcept {
  auto* v = Buscar(ventana);
  return !v || !v->elevada;
}

Arranque ToolkitHeadless::Iniciar(const std::string& ejecutable, const std::string& argumentos,
                                  const std::string& carpetaTrabajo) noexcept {
  inicios.push_back({ejecutable, argumentos, carpetaTrabajo});
  if (alIniciar) return alIniciar(inicios.back());
  return Arranque{Arranque::Resultado::NoEncontrado, 0};
}

}  // namespace kelu
