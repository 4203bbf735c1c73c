// Switch keys: a low-level keyboard hook that swallows them wherever the
// focus is. The hook runs on a thread of its own, which does nothing else,
// so that it answers at once however busy the program's thread is (the
// system skips a hook that answers late and lets the key through); each
// event it takes is posted, in order, to a message-only window of the
// program's thread.
#include <atomic>
#include <thread>

#include "platform/filtro_teclas.h"
#include "platform/win32/interno_win32.h"
#include "platform/win32/teclado.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace {

constexpr UINT kMensajeTecla = WM_APP + 1;  // wParam: virtual key; lParam: 1 down, 0 up
constexpr wchar_t kClaseReceptor[] = L"KeluTeclasPulsador";

// Read by the hook only while its thread runs; set before the thread starts.
FiltroTeclas filtro;
HWND receptor = nullptr;
std::atomic<int64_t> eventos{0}, ticks{0}, maximo{0};

LRESULT CALLBACK Gancho(int codigo, WPARAM mensaje, LPARAM datos) {
  if (codigo == HC_ACTION) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(datos);
    bool tomada = false;
    if (k->dwExtraInfo != kMarcaTeclasKelu) {
      const bool abajo = mensaje == WM_KEYDOWN || mensaje == WM_SYSKEYDOWN;
      bool avisar = false;
      tomada = filtro.Tomar(static_cast<int>(k->vkCode), abajo, avisar);
      if (avisar) PostMessageW(receptor, kMensajeTecla, k->vkCode, abajo ? 1 : 0);
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
  std::thread hilo;
  DWORD idHilo = 0;
  int tecla = 0, teclaRaya = 0;

  ~Captura() { Detener(); }
  void Detener() {
    if (!hilo.joinable()) return;
    PostThreadMessageW(idHilo, WM_QUIT, 0, 0);
    hilo.join();
    idHilo = 0;
    tecla = teclaRaya = 0;
  }
  // Returns once the hook is in place (or could not be).
  void Iniciar(int t, int raya) {
    filtro = FiltroTeclas(t, raya);
    tecla = t;
    teclaRaya = raya;
    HANDLE lista = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    hilo = std::thread([this, lista] {
      MSG m;
      PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
      idHilo = GetCurrentThreadId();
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
      HHOOK gancho = SetWindowsHookExW(WH_KEYBOARD_LL, Gancho, GetModuleHandleW(nullptr), 0);
      SetEvent(lista);
      while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
      if (gancho) UnhookWindowsHookEx(gancho);
    });
    WaitForSingleObject(lista, INFINITE);
    CloseHandle(lista);
  }
};

Captura& LaCaptura() {
  static Captura captura;
  return captura;
}

LRESULT CALLBACK ProcedimientoReceptor(HWND h, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje == kMensajeTecla) {
    // A copy: the handler may change the capture.
    if (auto alPulsar = LaCaptura().alPulsar) Paso([&] { alPulsar(static_cast<int>(w), l != 0); });
    return 0;
  }
  return DefWindowProcW(h, mensaje, w, l);
}

}  // namespace

void ToolkitWin32::CapturarTeclas(int tecla, int teclaRaya, std::function<void(int, bool)> alPulsar) {
  Captura& c = LaCaptura();
  if (tecla == 0) teclaRaya = 0;
  c.alPulsar = tecla ? std::move(alPulsar) : nullptr;
  if (c.hilo.joinable() && c.tecla == tecla && c.teclaRaya == teclaRaya) return;
  c.Detener();
  if (!tecla) return;
  if (!receptor) {
    WNDCLASSEXW clase{};
    clase.cbSize = sizeof clase;
    clase.lpfnWndProc = ProcedimientoReceptor;
    clase.hInstance = GetModuleHandleW(nullptr);
    clase.lpszClassName = kClaseReceptor;
    RegisterClassExW(&clase);
    receptor = CreateWindowExW(0, kClaseReceptor, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, clase.hInstance, nullptr);
  }
  c.Iniciar(tecla, teclaRaya);
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
