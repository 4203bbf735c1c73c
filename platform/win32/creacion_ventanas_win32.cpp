// Making KELU's top-level windows from their model, and taking them down.
#include <algorithm>
#include <memory>
#include <utility>

#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {

namespace {

void EstilosDe(const Ventana& v, DWORD& estilo, DWORD& extendido) {
  estilo = WS_CLIPCHILDREN;
  extendido = WS_EX_CONTROLPARENT;
  switch (v.borde) {
    case Borde::Ajustable:
      estilo |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
      break;
    case Borde::Fijo:
      estilo |= WS_OVERLAPPED | WS_CAPTION;
      break;
    case Borde::Ninguno:
      estilo |= WS_POPUP;
      return;
  }
  if (v.botonCerrar || v.botonMinimizar || v.botonMaximizar) estilo |= WS_SYSMENU;
  if (v.botonMinimizar) estilo |= WS_MINIMIZEBOX;
  if (v.botonMaximizar) estilo |= WS_MAXIMIZEBOX;
  if (!v.conIcono) extendido |= WS_EX_DLGMODALFRAME;  // a caption without the icon
}

void PonerIcono(HWND ventana, HINSTANCE instancia) {
  // Resource 1 is the program's icon, when the build has one.
  for (auto [tipo, metrica] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    const int lado = GetSystemMetrics(metrica);
    HANDLE icono = LoadImageW(instancia, MAKEINTRESOURCEW(1), IMAGE_ICON, lado, lado, LR_SHARED);
    if (icono) SendMessageW(ventana, WM_SETICON, tipo, reinterpret_cast<LPARAM>(icono));
  }
}

}  // namespace

void NativoVentana::CrearControles() {
  int id = 100;  // clear of IDOK and IDCANCEL, which Enter and Esc send
  for (Control* c : ventana.Controles()) {
    auto nativo = std::make_unique<NativoControl>(*this, *c, id++);
    NativoControl* nc = nativo.get();
    c->nativo = std::move(nativo);
    controles.push_back(nc);
    nc->Crear();
  }
  for (NativoControl* nc : controles) nc->AjustarAlTexto();
}

}  // namespace win32

void ToolkitWin32::Crear(Ventana& v) {
  using namespace win32;
  v.nativo = std::make_unique<NativoVentana>(*estado_, v);
  NativoVentana* nv = NativoDe(v);
  EstilosDe(v, nv->estilo, nv->estiloExtendido);
  nv->dpi = DpiDelSistema();
  RECT r = ExteriorParaCliente(nv->Px(v.anchoCliente), nv->Px(v.altoCliente), nv->estilo, nv->estiloExtendido,
                               nv->dpi);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (v.centrada) {
    x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  }
  HWND h = CreateWindowExW(nv->estiloExtendido, kClaseVentana, Ancho(v.Texto()).c_str(), nv->estilo, x, y,
                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, estado_->instancia, nv);
  if (!h) {
    v.nativo.reset();
    return;
  }
  estado_->ventanas[h] = nv;
  estado_->creadas.push_back(h);
  if (!v.botonCerrar && (nv->estilo & WS_SYSMENU))
    EnableMenuItem(GetSystemMenu(h, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  if (v.conIcono) PonerIcono(h, estado_->instancia);

  // Placed by the system on a monitor of another DPI: the client size is
  // worked out again for that one.
  if (const UINT real = DpiDe(h); real != nv->dpi) {
    nv->dpi = real;
    r = ExteriorParaCliente(nv->Px(v.anchoCliente), nv->Px(v.altoCliente), nv->estilo, nv->estiloExtendido, real);
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  v.CreadaPorBackend(DeHwnd(h));
  nv->CrearControles();
  nv->creada = true;
  nv->InformarPosicion();
}

void ToolkitWin32::Destruir(Ventana& v) noexcept {
  using namespace win32;
  NativoVentana* nv = NativoDe(v);
  if (!nv) return;
  // A modal window gives the others back before it goes, so that the
  // system activates the one below rather than another program.
  for (Modal* m : estado_->modales)
    if (m->ventana == &v) estado_->Rehabilitar(*m);
  nv->destruyendo = true;
  HWND h = nv->hwnd;
  estado_->ventanas.erase(h);
  std::erase(estado_->creadas, h);
  if (GetCapture() == h) ReleaseCapture();
  DestroyWindow(h);
  // Through the native list: a control that went before its window took
  // its own native side with it.
  for (NativoControl* nc : std::exchange(nv->controles, {})) nc->control.nativo.reset();
  v.nativo.reset();
}

}  // namespace kelu
