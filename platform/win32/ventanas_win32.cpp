// KELU's top-level windows: creation from the model, the window procedure,
// and keeping the model's position, state and focus in step with the screen.
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

bool FocoValido(HWND ventana, HWND hijo) {
  return hijo && IsWindow(hijo) && IsChild(ventana, hijo) && IsWindowVisible(hijo) && IsWindowEnabled(hijo);
}

}  // namespace

NativoVentana* NativoDe(HWND ventana) {
  auto* nv = reinterpret_cast<NativoVentana*>(GetWindowLongPtrW(ventana, GWLP_USERDATA));
  return nv && !nv->destruyendo ? nv : nullptr;
}

LRESULT CALLBACK ProcedimientoVentana(HWND ventana, UINT mensaje, WPARAM wp, LPARAM lp) {
  if (mensaje == WM_NCCREATE) {
    auto* nv = static_cast<NativoVentana*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    nv->hwnd = ventana;
    SetWindowLongPtrW(ventana, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(nv));
  }
  NativoVentana* nv = NativoDe(ventana);
  return nv ? nv->Procesar(mensaje, wp, lp) : DefWindowProcW(ventana, mensaje, wp, lp);
}

LRESULT NativoVentana::Procesar(UINT mensaje, WPARAM wp, LPARAM lp) {
  // The installer's request to close before it replaces KELU's files: KELU
  // saves and ends as at the end of the session, with no close question and
  // whatever box is open.
  if (mensaje != 0 && mensaje == MensajeCierrePedido()) estado.TerminarSesion();
  switch (mensaje) {
    case WM_PAINT:
      Pintar();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      Pulsacion(mensaje, wp, lp);
      return 0;
    case WM_MOUSEMOVE:
      Movimiento(wp, lp);
      return 0;
    case WM_CAPTURECHANGED:
      // The pointer was taken away mid-press (task switch, a system box):
      // the press ends here, so the keying never waits for an up that went
      // to another window.
      if (pulsacion.EnCurso() && reinterpret_cast<HWND>(lp) != hwnd) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
      }
      return 0;
    case WM_COMMAND:
      return Comando(wp, lp);
    case DM_GETDEFID:
      return BotonPredeterminado();
    case WM_CTLCOLORBTN:
      return Color(reinterpret_cast<HDC>(wp), ParteFormulario::Boton);
    case WM_CTLCOLORSTATIC:
      return Color(reinterpret_cast<HDC>(wp), ParteFormulario::Casilla);
    case WM_ERASEBKGND:
      return Fondo(reinterpret_cast<HDC>(wp));
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      ColoresCambiados(mensaje);
      return 0;
    case WM_SIZE:
      Tamano(wp);
      return 0;
    case WM_MOVE:
      if (!IsIconic(hwnd)) InformarPosicion();
      return 0;
    case WM_MOUSEACTIVATE:
      return sinActivar ? ActivacionPorRaton(wp, lp) : DefWindowProcW(hwnd, mensaje, wp, lp);
    case WM_ACTIVATE:
      Activacion(LOWORD(wp) != WA_INACTIVE, HIWORD(wp) != 0);
      return 0;
    case WM_CLOSE:
      // A window disabled under a modal one takes no close request either.
      if (IsWindowEnabled(hwnd)) Paso([&] { ventana.CierreDelSistema(); });
      return 0;
    case WM_QUERYENDSESSION:
      // No close question: a box here would hold up the shutdown screen.
      // https://learn.microsoft.com/windows/win32/shutdown/wm-queryendsession
      return TRUE;
    case WM_ENDSESSION:
      if (wp) estado.TerminarSesion();
      return 0;
    case WM_DPICHANGED:
      CambioDeDpi(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_DISPLAYCHANGE:
      PantallaCambiada();
      return 0;
    case WM_SETTINGCHANGE:
      // The taskbar moved, grew or hid: the work area changed.
      // https://learn.microsoft.com/windows/win32/winmsg/wm-settingchange
      if (wp == SPI_SETWORKAREA) PantallaCambiada();
      if (wp == SPI_SETHIGHCONTRAST) ColoresCambiados(mensaje);
      return DefWindowProcW(hwnd, mensaje, wp, lp);
    case kMensajePantalla:
      pantallaPendiente = false;
      if (ventana.PantallaCambiada) Paso([&] { ventana.PantallaCambiada(); });
      return 0;
    case WM_HOTKEY:
      teclaRapida = true;  // kept for TomarTeclaRapida
      return 0;
    default:
      return DefWindowProcW(hwnd, mensaje, wp, lp);
  }
}

RECT NativoVentana::PixelesDe(const Rectangulo& r) const {
  const int x = Px(r.izquierda), y = Px(r.arriba);
  return RECT{x, y, x + Px(r.ancho), y + Px(r.alto)};
}

Rectangulo NativoVentana::Exterior() const {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return Rectangulo{Tw(r.left), Tw(r.top), Tw(r.right - r.left), Tw(r.bottom - r.top)};
}

void NativoVentana::InformarPosicion() {
  // Not while the model itself moves the window (its own change must not
  // come back as a second, rounded one), nor from inside a Resize handler.
  if (!creada || aplicando || informando || IsIconic(hwnd)) return;
  auto sigue = vivo;
  informando = true;
  Paso([&] { ventana.PosicionDelSistema(Exterior()); });
  if (*sigue) informando = false;
}

void NativoVentana::Tamano(WPARAM tipo) {
  if (!creada) return;
  auto sigue = vivo;
  if (tipo == SIZE_MINIMIZED) {
    Paso([&] { ventana.EstadoDelSistema(EstadoVentana::Minimizada); });
    return;
  }
  const EstadoVentana estadoNuevo = tipo == SIZE_MAXIMIZED ? EstadoVentana::Maximizada : EstadoVentana::Normal;
  Paso([&] { ventana.EstadoDelSistema(estadoNuevo); });
  if (*sigue) InformarPosicion();
}

void NativoVentana::Cambio(Propiedad propiedad) {
  if (!hwnd || destruyendo) return;
  switch (propiedad) {
    case Propiedad::Texto:
      SetWindowTextW(hwnd, Ancho(ventana.Texto()).c_str());
      break;
    case Propiedad::Posicion: {
      if (IsIconic(hwnd) || IsZoomed(hwnd)) break;  // as the system refuses to size them
      const RECT r = PixelesDe(ventana.Posicion());
      const UINT antes = dpi;
      aplicando = true;
      SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
      aplicando = false;
      // Onto a monitor of another DPI: the model learns its size there.
      if (dpi != antes) InformarPosicion();
      break;
    }
    case Propiedad::Estado:
      // A hidden window takes its state when it is shown.
      if (!IsWindowVisible(hwnd)) break;
      switch (ventana.Estado()) {
        case EstadoVentana::Minimizada: ShowWindow(hwnd, SW_MINIMIZE); break;
        case EstadoVentana::Maximizada: ShowWindow(hwnd, SW_MAXIMIZE); break;
        case EstadoVentana::Normal: ShowWindow(hwnd, SW_RESTORE); break;
      }
      break;
    default:
      break;
  }
}

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

NativoControl* NativoVentana::PorId(int id) const {
  for (NativoControl* c : controles)
    if (c->id == id) return c;
  return nullptr;
}

NativoControl* NativoVentana::PorHandle(HWND hijo) const {
  for (NativoControl* c : controles)
    if (hijo && c->hwnd == hijo) return c;
  return nullptr;
}

HWND NativoVentana::PrimerEnfocable() const {
  for (NativoControl* c : controles)
    if (c->Enfocable()) return c->hwnd;
  return nullptr;
}

void NativoVentana::DarFoco() {
  HWND destino = FocoValido(hwnd, focoGuardado) ? focoGuardado : nullptr;
  if (!destino)
    if (Control* modelo = ventana.ConFoco())
      if (NativoControl* nc = NativoDe(*modelo); nc && nc->Enfocable()) destino = nc->hwnd;
  if (!destino) destino = PrimerEnfocable();
  SetFocus(destino ? destino : hwnd);
}

void NativoVentana::FocoPendiente(NativoControl& control) {
  focoGuardado = control.hwnd;
  Paso([&] { ventana.FocoDelSistema(&control.control); });
}

void NativoVentana::Activacion(bool activa, bool minimizada) {
  if (!activa) {
    if (HWND foco = GetFocus(); foco && IsChild(hwnd, foco)) focoGuardado = foco;
    return;
  }
  auto sigue = vivo;
  // The focus goes back to the control that had it, as in a dialog, rather
  // than to the bare window.
  if (!minimizada) DarFoco();
  if (*sigue && ventana.Activate) Paso([&] { ventana.Activate(); });
}

// While kept from activating, a press on the window's own ground (the pad,
// the labels) leaves the foreground to the program the keys go to; one on a
// control, the caption or the frame activates it, so that the buttons and
// the target list stay usable.
// https://learn.microsoft.com/windows/win32/inputdev/wm-mouseactivate
LRESULT NativoVentana::ActivacionPorRaton(WPARAM wp, LPARAM lp) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  if (LOWORD(lp) == HTCLIENT && ChildWindowFromPointEx(hwnd, p, CWP_SKIPINVISIBLE) == hwnd) return MA_NOACTIVATE;
  // WS_EX_NOACTIVATE keeps the system from doing it; the person just
  // pressed here, so the foreground is ours to take.
  SetForegroundWindow(hwnd);
  return DefWindowProcW(hwnd, WM_MOUSEACTIVATE, wp, lp);
}

void NativoVentana::CambioDeDpi(UINT nuevo, const RECT& sugerido) {
  dpi = nuevo ? nuevo : kDpiNormal;
  for (NativoControl* c : controles) {
    c->AplicarFuente();
    c->AjustarAlTexto();
    c->Colocar();
  }
  // The suggested rectangle is for a window the person drags across
  // monitors; a move of KELU's own that crossed goes where KELU put it.
  // https://learn.microsoft.com/windows/win32/hidpi/wm-dpichanged
  if (!aplicando)
    SetWindowPos(hwnd, nullptr, sugerido.left, sugerido.top, sugerido.right - sugerido.left,
                 sugerido.bottom - sugerido.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void NativoVentana::PantallaCambiada() {
  // Once the change is over: a display change comes as a burst of messages,
  // some with a new DPI, and the window is placed at the DPI it ends with.
  if (!pantallaPendiente && PostMessageW(hwnd, kMensajePantalla, 0, 0)) pantallaPendiente = true;
}

LRESULT NativoVentana::Comando(WPARAM wp, LPARAM) {
  const int id = LOWORD(wp);
  if (id == IDCANCEL) {
    // Esc: the window's cancel button, if it has one that can be pressed.
    for (NativoControl* c : controles)
      if (c->control.Tipo() == TipoControl::Boton && static_cast<Boton&>(c->control).cancelar && c->Enfocable()) {
        c->Comando(BN_CLICKED);
        break;
      }
    return 0;
  }
  if (NativoControl* c = PorId(id)) c->Comando(HIWORD(wp));
  return 0;
}

LRESULT NativoVentana::BotonPredeterminado() const {
  // Enter presses the focused button, else the default one.
  if (NativoControl* foco = PorHandle(GetFocus()); foco && foco->control.Tipo() == TipoControl::Boton)
    return MAKELRESULT(foco->id, DC_HASDEFID);
  for (NativoControl* c : controles)
    if (c->control.Tipo() == TipoControl::Boton && static_cast<Boton&>(c->control).predeterminado && c->Enfocable())
      return MAKELRESULT(c->id, DC_HASDEFID);
  return 0;
}

LRESULT NativoVentana::Color(HDC dc, ParteFormulario parte) {
  // Buttons, check boxes and read-only text boxes on the window's ground.
  const ParColores c = estado.Colores(parte);
  SetBkColor(dc, ColorDe(c.fondo));
  SetTextColor(dc, ColorDe(c.texto));
  return reinterpret_cast<LRESULT>(PincelDe(c.fondo));
}

LRESULT NativoVentana::Fondo(HDC dc) {
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, PincelDe(estado.Colores(ParteFormulario::Fondo).fondo));
  return 1;
}

void NativoVentana::ColoresCambiados(UINT mensaje) {
  // Each top-level window is told; each reads the setting for all of them.
  estado.altoContraste = AltoContrasteActivo();
  // Common controls learn of new colours only from their parent.
  // https://learn.microsoft.com/windows/win32/gdi/wm-syscolorchange
  if (mensaje == WM_SYSCOLORCHANGE)
    for (NativoControl* c : controles)
      if (c->hwnd) SendMessageW(c->hwnd, WM_SYSCOLORCHANGE, 0, 0);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void NativoVentana::Invalidar(const RECT& area) {
  if (hwnd && !IsRectEmpty(&area)) InvalidateRect(hwnd, &area, TRUE);
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

void ToolkitWin32::Destruir(Ventana& v) {
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

void ToolkitWin32::Enfocar(Control& control) {
  win32::NativoControl* nc = win32::NativoDe(control);
  if (!nc || !nc->hwnd) return;
  win32::NativoVentana& nv = nc->ventana;
  // Only within the active window: SetFocus would otherwise activate it and
  // take the foreground from the program KELU types into. The focus is
  // given when the window is next activated.
  if (GetActiveWindow() == nv.hwnd && IsWindowVisible(nv.hwnd))
    SetFocus(nc->hwnd);
  else
    nv.FocoPendiente(*nc);
}

}  // namespace kelu
