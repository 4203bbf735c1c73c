// Presses and pointer moves on a window: its own mouse events, those of the
// windowless control under the pointer, and the handlers that CapturarClics
// puts in front of the window's procedure.
#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {

namespace {

POINT PuntoDe(LPARAM lp) {
  // Signed: with the pointer captured, a release left of the window is negative.
  return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

EventoRaton Relativo(const EventoRaton& e, const Control& control) {
  return EventoRaton{e.boton, e.x - control.Posicion().izquierda, e.y - control.Posicion().arriba};
}

}  // namespace

void NativoVentana::Pulsacion(UINT mensaje, WPARAM, LPARAM lp) {
  const POINT p = PuntoDe(lp);
  const bool abajo = mensaje == WM_LBUTTONDOWN || mensaje == WM_RBUTTONDOWN || mensaje == WM_MBUTTONDOWN;
  const BotonRaton boton = mensaje == WM_LBUTTONDOWN || mensaje == WM_LBUTTONUP   ? BotonRaton::Izquierdo
                           : mensaje == WM_RBUTTONDOWN || mensaje == WM_RBUTTONUP ? BotonRaton::Derecho
                                                                                  : BotonRaton::Medio;
  NativoControl* sobre = SinVentanaEn(p);
  Control* etiqueta = sobre ? &sobre->control : nullptr;
  const EventoRaton e{boton, Tw(p.x), Tw(p.y)};
  Ventana& v = ventana;
  auto sigue = vivo;

  if (abajo) {
    if (boton == BotonRaton::Izquierdo) {
      // Held until the release, so the release arrives here wherever it happens.
      SetCapture(hwnd);
      pulsacion.Abajo(etiqueta);
    }
    if (v.MouseDown) v.MouseDown(e);
    if (*sigue && etiqueta && etiqueta->MouseDown) etiqueta->MouseDown(Relativo(e, *etiqueta));
    return;
  }

  PulsacionIzquierda::Suelta suelta{etiqueta};
  if (boton == BotonRaton::Izquierdo) {
    RECT cliente;
    GetClientRect(hwnd, &cliente);
    suelta = pulsacion.Arriba(etiqueta, PtInRect(&cliente, p));
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  Control* destino = suelta.destino;
  if (*sigue && v.MouseUp) v.MouseUp(e);
  if (*sigue && destino && destino->MouseUp) destino->MouseUp(Relativo(e, *destino));
  if (*sigue && suelta.clic && destino->Click) destino->Click();
  if (*sigue && suelta.clicVentana && v.Click) v.Click();
}

void NativoVentana::Movimiento(WPARAM wp, LPARAM lp) {
  const POINT p = PuntoDe(lp);
  const auto Si = [wp](WPARAM tecla, BotonRaton b) { return (wp & tecla) ? b : BotonRaton::Ninguno; };
  const BotonRaton botones =
      Si(MK_LBUTTON, BotonRaton::Izquierdo) | Si(MK_RBUTTON, BotonRaton::Derecho) | Si(MK_MBUTTON, BotonRaton::Medio);
  const EventoRaton e{botones, Tw(p.x), Tw(p.y)};
  // During a press the moves belong to what got it; otherwise to what is under the pointer.
  Control* destino = nullptr;
  if (pulsacion.EnCurso()) {
    destino = pulsacion.Presionada();
  } else if (NativoControl* sobre = SinVentanaEn(p)) {
    destino = &sobre->control;
  }
  if (destino) {
    if (destino->MouseMove) destino->MouseMove(Relativo(e, *destino));
  } else if (ventana.MouseMove) {
    ventana.MouseMove(e);
  }
}

// The window's procedure once CapturarClics has run: the keying sees each
// left press and release first, then the window handles every message as before.
LRESULT CALLBACK ProcesarClic(HWND ventana, UINT mensaje, WPARAM wp, LPARAM lp) {
  const auto ProcedimientoAnterior = reinterpret_cast<WNDPROC>(GetPropW(ventana, kProcedimientoAnterior));
  NativoVentana* nv = NativoDe(ventana);
  if (nv && (mensaje == WM_LBUTTONDOWN || mensaje == WM_LBUTTONUP)) {
    auto sigue = nv->vivo;
    // Firings owed up to this moment belong before it: a press counted in
    // timer firings then ends with all of its own.
    nv->estado.relojes.AlDia();
    if (*sigue) {
      // A copy: the handler may replace it. Guarded apart from the window's
      // own handling of the press, which runs after it whatever it does.
      auto clic = mensaje == WM_LBUTTONDOWN ? nv->clicAbajo : nv->clicArriba;
      // The message's time is on the tick clock: its age there says how
      // late it is handled. An age past 10 s is no age (the clock wrapped).
      const DWORD edad = GetTickCount() - static_cast<DWORD>(GetMessageTime());
      const int64_t ahora = Microsegundos() / 1000;
      nv->estado.momentoEntrada = edad < 10000 ? ahora - edad : ahora;
      if (clic) Atender("clic", clic);
      nv->estado.momentoEntrada = -1;
    }
  }
  if (mensaje == WM_NCDESTROY) RemovePropW(ventana, kProcedimientoAnterior);
  return ProcedimientoAnterior ? CallWindowProcW(ProcedimientoAnterior, ventana, mensaje, wp, lp)
                               : DefWindowProcW(ventana, mensaje, wp, lp);
}

}  // namespace win32

void ToolkitWin32::CapturarClics(Ventana& v, std::function<void()> abajo, std::function<void()> arriba) noexcept {
  auto* nv = win32::NativoDe(v);
  if (!nv) return;
  nv->clicAbajo = std::move(abajo);
  nv->clicArriba = std::move(arriba);
  if (GetPropW(nv->hwnd, win32::kProcedimientoAnterior)) return;  // already in front
  // Kept before the switch, so no message finds ProcesarClic without it.
  SetPropW(nv->hwnd, win32::kProcedimientoAnterior,
           reinterpret_cast<HANDLE>(GetWindowLongPtrW(nv->hwnd, GWLP_WNDPROC)));
  SetWindowLongPtrW(nv->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(win32::ProcesarClic));
}

// The button as the hardware has it now, not as this thread's queue has
// seen it: the release went to another thread. GetAsyncKeyState reads the
// physical buttons, so with the buttons swapped the primary one is the
// right. Over the window itself the release comes as a message, so the
// state counts only off it; a failed read (another desktop, a window of a
// higher integrity level in front) reads as up, and ends the press.
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getasynckeystate
bool ToolkitWin32::SueltoFuera(Ventana& v) noexcept {
  auto* nv = win32::NativoDe(v);
  if (!nv) return true;
  const int principal = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  if (GetAsyncKeyState(principal) & 0x8000) return false;
  POINT p;
  if (GetCursorPos(&p)) {
    const HWND bajo = WindowFromPoint(p);
    if (bajo == nv->hwnd || IsChild(nv->hwnd, bajo)) return false;
  }
  // The capture the press took would otherwise keep taking the mouse from
  // KELU's other windows (a window of its own thread gets no click while
  // another holds the capture).
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-releasecapture
  nv->pulsacion = PulsacionIzquierda{};
  if (GetCapture() == nv->hwnd) ReleaseCapture();
  return true;
}

void ToolkitWin32::EnviarPulsacion(Ventana& v, bool abajo, int x, int y) {
  auto* nv = win32::NativoDe(v);
  if (!nv) return;
  const LPARAM punto = MAKELPARAM(nv->Px(x), nv->Px(y));
  SendMessageW(nv->hwnd, abajo ? WM_LBUTTONDOWN : WM_LBUTTONUP, abajo ? MK_LBUTTON : 0, punto);
}

}  // namespace kelu
