// Switch keys: a low-level keyboard hook that swallows them wherever the
// focus is. The hook runs on a thread of its own, which does nothing else,
// so that it answers at once however busy the program's thread is (the
// system skips a hook that answers late and lets the key through); each
// event it takes is posted, in order, to a hidden window of the program's
// thread. That window also keeps watch: Windows removes a low-level hook
// without a word when it once answers later than its time-out, and may
// after sleep or a locked session, so raw keyboard input is its witness.
// https://learn.microsoft.com/windows/win32/winmsg/lowlevelkeyboardproc
#include <atomic>
#include <thread>

#include "platform/filtro_teclas.h"
#include "platform/win32/interno_win32.h"
#include "platform/win32/teclado.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace {

constexpr UINT kMensajeTecla = WM_APP + 1;   // wParam: the switch's virtual key; lParam: 1 down, 0 up
constexpr UINT kMensajeFallo = WM_APP + 2;   // the hook could not be installed
constexpr wchar_t kClaseReceptor[] = L"KeluTeclasPulsador";
// wtsapi32's, declared here so that the library is loaded only with a switch.
constexpr UINT kWmSesion = 0x02B1;            // WM_WTSSESSION_CHANGE
constexpr WPARAM kSesionDesbloqueada = 0x8;  // WTS_SESSION_UNLOCK
// How much earlier than the witness's event the hook's last may be stamped
// and still be that same event; and how long after it the hook is judged,
// since the witness may hear of an event before the hook's thread has run.
constexpr LONG kToleranciaMs = 100;
constexpr UINT kEsperaJuicioMs = 200;
constexpr UINT_PTR kTemporizadorJuicio = 1;

// Read by the hook only while its thread runs; set before the thread starts.
FiltroTeclas filtro;
HWND receptor = nullptr;
std::atomic<int64_t> eventos{0}, ticks{0}, maximo{0};
// The time stamp of the last switch-key event the hook was called for.
std::atomic<DWORD> ultimaVista{0};
std::atomic<bool> algunaVista{false};

int Escaneo(DWORD codigo, bool extendida) {
  return static_cast<int>(codigo & 0xFF) | (extendida ? kEscaneoExtendido : 0);
}

// The key's scan code as the current layout places it, for a key chosen by
// its virtual key. https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-mapvirtualkeyw
int EscaneoDeTecla(int vk) {
  if (vk <= 0 || vk > 255) return 0;
  const UINT r = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC_EX);
  return Escaneo(r, (r & 0xFF00) == 0xE000 || (r & 0xFF00) == 0xE100);
}

LRESULT CALLBACK Gancho(int codigo, WPARAM mensaje, LPARAM datos) {
  if (codigo == HC_ACTION) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(datos);
    bool tomada = false;
    if (k->dwExtraInfo != kMarcaTeclasKelu) {
      const bool abajo = mensaje == WM_KEYDOWN || mensaje == WM_SYSKEYDOWN;
      const int vk = static_cast<int>(k->vkCode);
      const int escaneo = Escaneo(k->scanCode, (k->flags & LLKHF_EXTENDED) != 0);
      bool avisar = false;
      int tecla = 0;
      tomada = filtro.Tomar(vk, escaneo, abajo, avisar, tecla);
      if (tecla) {
        ultimaVista = k->time;
        algunaVista = true;
      }
      if (avisar) PostMessageW(receptor, kMensajeTecla, static_cast<WPARAM>(tecla), abajo ? 1 : 0);
    }
    QueryPerformanceCounter(&t1);
    const int64_t d = t1.QuadPart - t0.QuadPart;
    ++eventos;
    ticks += d;
    for (int64_t m = maximo; d > m && !maximo.compare_exchange_weak(m, d);) {
    }
    if (tomada) return 1;
  }
  return CallNextHookEx(nullptr, codigo, mensaje, datos);
}

struct Captura {
  std::function<void(int, bool)> alPulsar;
  ToolkitWin32* kit = nullptr;
  std::thread hilo;
  DWORD idHilo = 0;
  int tecla = 0, teclaRaya = 0;
  HWND elevadaAvisada = nullptr;  // the elevated window in front last told of
  bool juicioPendiente = false;   // a switch key the witness saw, to be judged
  DWORD vistaTestigo = 0;         // its time stamp

  ~Captura() { Detener(); }
  void Detener() {
    if (!hilo.joinable()) return;
    PostThreadMessageW(idHilo, WM_QUIT, 0, 0);
    hilo.join();
    idHilo = 0;
  }
  // Returns once the hook is in place (true) or could not be.
  bool Iniciar() {
    filtro = FiltroTeclas(tecla, teclaRaya, tecla == kCualquierTecla ? 0 : EscaneoDeTecla(tecla),
                          EscaneoDeTecla(teclaRaya));
    algunaVista = false;
    HANDLE lista = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> puesto{false};
    hilo = std::thread([this, lista, &puesto] {
      MSG m;
      PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
      idHilo = GetCurrentThreadId();
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
      HHOOK gancho = SetWindowsHookExW(WH_KEYBOARD_LL, Gancho, GetModuleHandleW(nullptr), 0);
      puesto = gancho != nullptr;
      SetEvent(lista);
      while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
      if (gancho) UnhookWindowsHookEx(gancho);
    });
    WaitForSingleObject(lista, INFINITE);
    CloseHandle(lista);
    return puesto;
  }
  // A new hook, on a new thread, every key up: a release missed while the
  // old one was away must not leave a key down. The system may have removed
  // the old hook already; unhooking it again is harmless.
  void Reinstalar() {
    if (!tecla) return;
    Detener();
    Estado(Iniciar() ? EstadoCaptura::Reanudada : EstadoCaptura::Fallida);
  }
  void Estado(EstadoCaptura estado) {
    if (kit && kit->CapturaCambiada) kit->CapturaCambiada(estado);
  }
  // The system calls no low-level hook for keys that go to a window of a
  // higher integrity level: the person is told once for each such window.
  void Frente(HWND ventana) {
    if (!tecla || !kit || !ventana) return;
    if (kit->PuedeRecibirTeclas(win32::DeHwnd(ventana))) {
      elevadaAvisada = nullptr;
      return;
    }
    if (ventana == elevadaAvisada) return;
    elevadaAvisada = ventana;
    Estado(EstadoCaptura::VentanaElevada);
  }
  void Testigo(const RAWKEYBOARD& k);
  void Juzgar();
};

Captura& LaCaptura() {
  static Captura captura;
  return captura;
}

// Raw input of a switch key: the system calls the hook before it posts
// the event, and a key the hook took may or may not reach the witness too
// (under Wine it does), so the witness does not judge by what it sees but
// by the time stamps, a moment later: the hook was lost when it was called
// for no switch key since. KELU's own keys are left out.
void Captura::Testigo(const RAWKEYBOARD& k) {
  if (!tecla || k.ExtraInformation == kMarcaTeclasKelu || k.MakeCode == KEYBOARD_OVERRUN_MAKE_CODE) return;
  const int escaneo = Escaneo(k.MakeCode, (k.Flags & RI_KEY_E0) != 0);
  if (!filtro.Interruptor(k.VKey, escaneo) || juicioPendiente) return;
  juicioPendiente = true;
  vistaTestigo = static_cast<DWORD>(GetMessageTime());
  SetTimer(receptor, kTemporizadorJuicio, kEsperaJuicioMs, nullptr);
}

// Lost when the hook was called for no switch key since the witness's one.
void Captura::Juzgar() {
  KillTimer(receptor, kTemporizadorJuicio);
  if (!juicioPendiente) return;
  juicioPendiente = false;
  if (!tecla) return;
  const LONG despues = static_cast<LONG>(ultimaVista.load() - vistaTestigo);
  if (algunaVista && despues >= -kToleranciaMs) return;
  const HWND delante = GetForegroundWindow();
  if (kit && delante && !kit->PuedeRecibirTeclas(win32::DeHwnd(delante))) {
    Frente(delante);
    return;
  }
  Reinstalar();
}

void CALLBACK CambioDeFrente(HWINEVENTHOOK, DWORD, HWND ventana, LONG objeto, LONG, DWORD, DWORD) {
  if (objeto == OBJID_WINDOW) Atender("CapturaCambiada", [ventana] { LaCaptura().Frente(ventana); });
}

LRESULT Recibir(HWND h, UINT mensaje, WPARAM w, LPARAM l) {
  Captura& c = LaCaptura();
  switch (mensaje) {
    case kMensajeTecla:
      // A copy: the handler may change the capture.
      if (auto alPulsar = c.alPulsar) alPulsar(static_cast<int>(w), l != 0);
      return 0;
    case kMensajeFallo:
      c.Estado(EstadoCaptura::Fallida);
      return 0;
    case WM_TIMER:
      if (w == kTemporizadorJuicio) c.Juzgar();
      return 0;
    case WM_INPUT: {
      RAWINPUT entrada{};
      UINT largo = sizeof entrada;
      if (GetRawInputData(reinterpret_cast<HRAWINPUT>(l), RID_INPUT, &entrada, &largo, sizeof(RAWINPUTHEADER)) !=
              static_cast<UINT>(-1) &&
          entrada.header.dwType == RIM_TYPEKEYBOARD)
        c.Testigo(entrada.data.keyboard);
      return DefWindowProcW(h, mensaje, w, l);
    }
    case WM_POWERBROADCAST:
      if (w == PBT_APMRESUMEAUTOMATIC || w == PBT_APMRESUMESUSPEND) c.Reinstalar();
      return TRUE;
    case kWmSesion:
      if (w == kSesionDesbloqueada) c.Reinstalar();
      return 0;
    default:
      return DefWindowProcW(h, mensaje, w, l);
  }
}

// Each message is one event: a switch key, a change of the capture, the
// witness, sleep and the session.
LRESULT CALLBACK ProcedimientoReceptor(HWND h, UINT mensaje, WPARAM w, LPARAM l) {
  LRESULT resultado = 0;
  Atender("pulsador", [&] { resultado = Recibir(h, mensaje, w, l); });
  return resultado;
}

// Session changes come only to a window registered for them, through
// wtsapi32, loaded then.
// https://learn.microsoft.com/windows/win32/api/wtsapi32/nf-wtsapi32-wtsregistersessionnotification
void AvisarDesbloqueo(HWND ventana) {
  HMODULE wts = LoadLibraryExW(L"wtsapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  using Registrar = BOOL(WINAPI*)(HWND, DWORD);
  auto registrar = wts ? reinterpret_cast<Registrar>(reinterpret_cast<void (*)()>(
                             GetProcAddress(wts, "WTSRegisterSessionNotification")))
                       : nullptr;
  if (registrar) registrar(ventana, 0 /* NOTIFY_FOR_THIS_SESSION */);
}

// A hidden top-level window, not a message-only one: those get no
// broadcast, and resuming from sleep is told by broadcast (WM_POWERBROADCAST).
// https://learn.microsoft.com/windows/win32/winmsg/window-features#message-only-windows
// The witness: raw keyboard input even while another program is in front.
// https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-rawinputdevice
HWND CrearReceptor() {
  WNDCLASSEXW clase{};
  clase.cbSize = sizeof clase;
  clase.lpfnWndProc = ProcedimientoReceptor;
  clase.hInstance = GetModuleHandleW(nullptr);
  clase.lpszClassName = kClaseReceptor;
  RegisterClassExW(&clase);
  HWND h = CreateWindowExW(WS_EX_TOOLWINDOW, kClaseReceptor, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           clase.hInstance, nullptr);
  if (!h) return nullptr;
  RAWINPUTDEVICE teclado{};
  teclado.usUsagePage = 0x01;  // generic desktop
  teclado.usUsage = 0x06;      // keyboard
  teclado.dwFlags = RIDEV_INPUTSINK;
  teclado.hwndTarget = h;
  RegisterRawInputDevices(&teclado, 1, sizeof teclado);
  AvisarDesbloqueo(h);
  // The window in front changes: out of context, on this thread.
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setwineventhook
  SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, CambioDeFrente, 0, 0,
                  WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  return h;
}

}  // namespace

void ToolkitWin32::CapturarTeclas(int tecla, int teclaRaya, std::function<void(int, bool)> alPulsar) {
  Captura& c = LaCaptura();
  if (tecla == 0) teclaRaya = 0;
  c.alPulsar = tecla ? std::move(alPulsar) : nullptr;
  c.kit = this;
  if (c.hilo.joinable() && c.tecla == tecla && c.teclaRaya == teclaRaya) return;
  c.Detener();
  c.tecla = tecla;
  c.teclaRaya = teclaRaya;
  c.elevadaAvisada = nullptr;
  if (!tecla) return;
  if (!receptor) receptor = CrearReceptor();
  // Told from the message loop, as every later change of the capture.
  if (!c.Iniciar() && receptor) PostMessageW(receptor, kMensajeFallo, 0, 0);
}

ToolkitWin32::TiempoGancho ToolkitWin32::MedirGancho() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  const double us = 1e6 / static_cast<double>(f.QuadPart > 0 ? f.QuadPart : 1);
  const int64_t n = eventos;
  return {n, n ? static_cast<double>(ticks) * us / static_cast<double>(n) : 0.0, static_cast<double>(maximo) * us};
}

void ToolkitWin32::EnviarTeclaSistema(int vk, bool abajo) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = static_cast<WORD>(vk);
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
  in.ki.dwFlags = abajo ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &in, sizeof in);
}

}  // namespace kelu
