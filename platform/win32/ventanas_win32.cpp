// KELU's top-level windows: the window procedure, and keeping the model's
// position, state and focus in step with the screen.
#include <algorithm>
#include <memory>
#include <utility>

#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {

namespace {

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
  if (!nv) return DefWindowProcW(ventana, mensaje, wp, lp);
  // Each message is one event: what its handlers throw ends here, and the
  // next message is handled as ever.
  LRESULT resultado = 0;
  Atender("ventana", [&] { resultado = nv->Procesar(mensaje, wp, lp); });
  return resultado;
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
      if (IsWindowEnabled(hwnd)) ventana.CierreDelSistema();
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
      if (ventana.PantallaCambiada) ventana.PantallaCambiada();
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
  // Cleared however the handler ends, unless it took the window with it.
  struct Informando {
    NativoVentana& nv;
    std::shared_ptr<bool> sigue;
    ~Informando() {
      if (*sigue) nv.informando = false;
    }
  } informe{*this, vivo};
  informando = true;
  ventana.PosicionDelSistema(Exterior());
}

void NativoVentana::Tamano(WPARAM tipo) {
  if (!creada) return;
  auto sigue = vivo;
  if (tipo == SIZE_MINIMIZED) {
    ventana.EstadoDelSistema(EstadoVentana::Minimizada);
    return;
  }
  const EstadoVentana estadoNuevo = tipo == SIZE_MAXIMIZED ? EstadoVentana::Maximizada : EstadoVentana::Normal;
  ventana.EstadoDelSistema(estadoNuevo);
  if (*sigue) InformarPosicion();
}

void NativoVentana::Cambio(Propiedad propiedad) noexcept {
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
      // Onto a monitor of another DPI: the model learns its size there, and
      // its Resize handler runs inside the setter that moved it.
      if (dpi != antes) Atender("Resize", [this] { InformarPosicion(); });
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
  ventana.FocoDelSistema(&control.control);
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
  if (*sigue && ventana.Activate) ventana.Activate();
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
