// The desktop beyond KELU's windows: other programs' windows, bringing one to
// the front, keystrokes, starting programs, the shell, the screen and the
// pointer, and KELU's own folder.
#include "platform/win32/interno_win32.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/cadenas_sistema.h"
#include "platform/win32/teclado.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {

// No attaching to the foreground thread's input to force the matter: with a
// busy or hung program that blocks KELU for as long as it is busy. When the
// system refuses, the delivery sees another window in front and types nothing.
bool TraerAlFrente(HWND ventana) {
  if (!IsWindow(ventana)) return false;
  return SetForegroundWindow(ventana) || GetForegroundWindow() == ventana;
}

namespace {

// The shell may hand a document to an extension that runs on COM, so the
// thread that calls ShellExecute must have COM set up, apartment-threaded:
// https://learn.microsoft.com/windows/win32/api/shellapi/nf-shellapi-shellexecutew
// ole32 is loaded only then, not at every start. It stays set up for good.
void ComParaElShell() {
  static const bool hecho = [] {
    HMODULE ole32 = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    using Inicializar = HRESULT(WINAPI*)(LPVOID, DWORD);
    auto inicializar = ole32 ? reinterpret_cast<Inicializar>(
                                   reinterpret_cast<void (*)()>(GetProcAddress(ole32, "CoInitializeEx")))
                             : nullptr;
    // Failure leaves ShellExecute to do what it can without.
    return inicializar && SUCCEEDED(inicializar(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }();
  (void)hecho;
}

}  // namespace
}  // namespace win32

using win32::AHwnd;
using win32::DeHwnd;

Hwnd ToolkitWin32::VentanaEscritorio() noexcept { return DeHwnd(GetDesktopWindow()); }

Hwnd ToolkitWin32::Relacionada(Hwnd ventana, Relacion relacion) noexcept {
  return DeHwnd(GetWindow(AHwnd(ventana), static_cast<UINT>(relacion)));
}

Hwnd ToolkitWin32::PrimeraVentana() noexcept { return DeHwnd(FindWindowW(nullptr, nullptr)); }

int ToolkitWin32::LargoTitulo(Hwnd ventana) noexcept { return ventana ? GetWindowTextLengthW(AHwnd(ventana)) : 0; }

std::string ToolkitWin32::Titulo(Hwnd ventana, int maximo) noexcept {
  if (!ventana || maximo <= 0) return {};
  maximo = std::min(maximo, 1 << 20);
  // One unit more than asked, to see whether the last one asked for is the
  // first half of a pair; and one for the terminating null.
  std::wstring texto(static_cast<size_t>(maximo) + 2, L'\0');
  const int leidas = GetWindowTextW(AHwnd(ventana), texto.data(), maximo + 2);
  texto.resize(static_cast<size_t>(leidas > 0 ? leidas : 0));
  texto.resize(CorteSinPartir(std::wstring_view(texto), static_cast<size_t>(maximo)));
  return win32::Estrecho(texto);
}

namespace {

using LeerAtributoDwm = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

// Loaded on first use, so that a program that never lists windows never
// loads it; missing, it leaves every window uncloaked.
LeerAtributoDwm AtributoDwm() {
  static const LeerAtributoDwm funcion = []() -> LeerAtributoDwm {
    HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!dwm) return nullptr;
    return reinterpret_cast<LeerAtributoDwm>(reinterpret_cast<void (*)()>(GetProcAddress(dwm, "DwmGetWindowAttribute")));
  }();
  return funcion;
}

// Windows on another virtual desktop, suspended store apps and parts of the
// shell are "visible" but cloaked: not drawn on the screen.
bool Encubierta(HWND ventana) {
  constexpr DWORD kDwmwaCloaked = 14;  // DWMWA_CLOAKED
  const LeerAtributoDwm leer = AtributoDwm();
  DWORD encubierta = 0;
  return leer && SUCCEEDED(leer(ventana, kDwmwaCloaked, &encubierta, sizeof encubierta)) && encubierta != 0;
}

}  // namespace

// What the person can see and pick: tool windows (palettes, input hosts)
// are no targets either.
bool ToolkitWin32::EsVisible(Hwnd ventana) noexcept {
  const HWND w = AHwnd(ventana);
  if (!IsWindowVisible(w)) return false;
  if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return false;
  return !Encubierta(w);
}

Hwnd ToolkitWin32::Padre(Hwnd ventana) noexcept { return DeHwnd(GetParent(AHwnd(ventana))); }

uint32_t ToolkitWin32::ProcesoDe(Hwnd ventana) noexcept {
  DWORD proceso = 0;
  GetWindowThreadProcessId(AHwnd(ventana), &proceso);
  return proceso;
}

bool ToolkitWin32::Mover(Hwnd ventana, int x, int y, int ancho, int alto) noexcept {
  // Asynchronous: another program's busy thread must not hold KELU up.
  return SetWindowPos(AHwnd(ventana), nullptr, x, y, ancho, alto,
                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS) != FALSE;
}

bool ToolkitWin32::Activar(Hwnd ventana) noexcept {
  HWND h = AHwnd(ventana);
  // A hung window would stall KELU in every call that waits for its thread.
  if (!IsWindow(h) || IsHungAppWindow(h)) return false;
  // Keys sent to a minimized window are lost: it is restored first, without
  // waiting for its thread to redraw.
  if (IsIconic(h)) ShowWindowAsync(h, SW_RESTORE);
  return win32::TraerAlFrente(h);
}

Hwnd ToolkitWin32::VentanaAlFrente() noexcept { return DeHwnd(GetForegroundWindow()); }

uint32_t ToolkitWin32::ProcesoPropio() noexcept { return GetCurrentProcessId(); }

bool ToolkitWin32::Teclear(const std::vector<EventoTecla>& eventos) noexcept { return EnviarEventosTeclado(eventos); }

namespace {

// The integrity level of a process: the last sub-authority of its token's
// mandatory label (SECURITY_MANDATORY_MEDIUM_RID, ..._HIGH_RID, ...):
// https://learn.microsoft.com/windows/win32/secauthz/mandatory-integrity-control
// Nullopt when the token cannot be read, with the reason in GetLastError.
std::optional<DWORD> NivelIntegridad(HANDLE proceso) {
  HANDLE ficha = nullptr;
  if (!OpenProcessToken(proceso, TOKEN_QUERY, &ficha)) return std::nullopt;
  DWORD largo = 0;
  GetTokenInformation(ficha, TokenIntegrityLevel, nullptr, 0, &largo);
  std::vector<BYTE> datos(largo > 0 ? largo : 1);
  std::optional<DWORD> nivel;
  if (largo > 0 && GetTokenInformation(ficha, TokenIntegrityLevel, datos.data(), largo, &largo)) {
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(datos.data())->Label.Sid;
    const UCHAR partes = *GetSidSubAuthorityCount(sid);
    if (partes > 0) nivel = *GetSidSubAuthority(sid, partes - 1u);
  }
  const DWORD error = GetLastError();
  CloseHandle(ficha);
  SetLastError(error);
  return nivel;
}

}  // namespace

// SendInput may only inject into programs of an equal or lower integrity
// level, and neither its return nor GetLastError tells when it was blocked:
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-sendinput
// A process KELU may not even query (access denied) is taken as higher: an
// elevated one, or a protected one. Any other failure leaves the answer to
// SendInput.
bool ToolkitWin32::PuedeRecibirTeclas(Hwnd ventana) noexcept {
  static const std::optional<DWORD> propio = NivelIntegridad(GetCurrentProcess());
  DWORD id = 0;
  if (!GetWindowThreadProcessId(AHwnd(ventana), &id) || id == 0 || id == GetCurrentProcessId()) return true;
  // The limited right is granted on elevated processes too:
  // https://learn.microsoft.com/windows/win32/procthread/process-security-and-access-rights
  HANDLE proceso = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (!proceso) return GetLastError() != ERROR_ACCESS_DENIED;
  const std::optional<DWORD> suyo = NivelIntegridad(proceso);
  const DWORD error = GetLastError();
  CloseHandle(proceso);
  if (!suyo) return error != ERROR_ACCESS_DENIED;
  return !propio || *suyo <= *propio;
}

Arranque ToolkitWin32::Iniciar(const std::string& ejecutable, const std::string& argumentos,
                               const std::string& carpetaTrabajo) noexcept {
  // CreateProcessW may write into the command line, so it gets a copy.
  std::wstring linea = win32::Ancho(LineaDeComandos(ejecutable, argumentos));
  const std::wstring carpeta = win32::Ancho(carpetaTrabajo);
  STARTUPINFOW inicio{};
  inicio.cb = sizeof inicio;
  inicio.dwFlags = STARTF_USESHOWWINDOW;
  inicio.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION proceso{};
  if (!CreateProcessW(nullptr, linea.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      carpeta.empty() ? nullptr : carpeta.c_str(), &inicio, &proceso)) {
    const DWORD error = GetLastError();
    const bool falta = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return Arranque{falta ? Arranque::Resultado::NoEncontrado : Arranque::Resultado::OtroError, 0};
  }
  // The window is looked for once, right after the start: give the program
  // the moment it needs to create it, or it would never be found nor moved.
  WaitForInputIdle(proceso.hProcess, 5000);
  CloseHandle(proceso.hThread);
  CloseHandle(proceso.hProcess);
  return Arranque{Arranque::Resultado::Iniciado, proceso.dwProcessId};
}

void ToolkitWin32::AbrirDocumento(Hwnd dueno, const std::string& documento) noexcept {
  win32::ComParaElShell();
  ShellExecuteW(AHwnd(dueno), nullptr, win32::Ancho(documento).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string ToolkitWin32::CarpetaPrograma() noexcept {
  // The path may be longer than MAX_PATH: the buffer grows until it fits.
  std::wstring ruta(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
    if (n == 0) return {};
    if (n < ruta.size()) {
      ruta.resize(n);
      break;
    }
    if (ruta.size() >= 32768) return {};
    ruta.resize(ruta.size() * 2);
  }
  const size_t barra = ruta.find_last_of(L'\\');
  return win32::Estrecho(barra == std::wstring::npos ? std::wstring() : ruta.substr(0, barra));
}

// The roaming application data folder, through shell32 alone (the newer
// SHGetKnownFolderPath hands its result to be freed by ole32):
// https://learn.microsoft.com/windows/win32/api/shlobj_core/nf-shlobj_core-shgetfolderpathw
std::string ToolkitWin32::CarpetaDatosUsuario() noexcept {
  wchar_t ruta[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, ruta))) return {};
  std::wstring carpeta(ruta);
  while (!carpeta.empty() && carpeta.back() == L'\\') carpeta.pop_back();
  return win32::Estrecho(carpeta);
}

Pantalla ToolkitWin32::LeerPantalla(const Ventana& v) noexcept {
  // At the DPI the window converts its own twips with, so that a place
  // worked out from here lands where it was meant to.
  const auto* nv = win32::NativoDe(v);
  const HWND h = nv ? nv->hwnd : nullptr;
  const UINT dpi = h ? nv->dpi : estado_->DpiPrincipal();
  const auto tw = [dpi](LONG px) { return PixelesATwips(px, dpi); };
  Pantalla p;
  p.twipsPorPixelX = p.twipsPorPixelY = TwipsPorPixel(dpi);
  // The monitor the window is mostly on, and its work area: the part the
  // taskbar and the docked bars leave, at whichever edge they are.
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-monitorfromwindow
  // https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-monitorinfo
  const HMONITOR monitor = h ? MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST)
                             : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO m{};
  m.cbSize = sizeof m;
  if (monitor && GetMonitorInfoW(monitor, &m)) {
    p.ancho = tw(m.rcMonitor.right - m.rcMonitor.left);
    p.alto = tw(m.rcMonitor.bottom - m.rcMonitor.top);
    const RECT& t = m.rcWork;
    p.trabajo = Rectangulo{tw(t.left), tw(t.top), tw(t.right - t.left), tw(t.bottom - t.top)};
  } else {
    p.ancho = tw(GetSystemMetrics(SM_CXSCREEN));
    p.alto = tw(GetSystemMetrics(SM_CYSCREEN));
  }
  return p;
}

std::pair<int, int> ToolkitWin32::CentroEnPantalla(const Control& control) noexcept {
  const auto* nc = win32::NativoDe(control);
  if (!nc) {  // no window yet: where the model would put it, frame left out
    const UINT dpi = estado_->DpiPrincipal();
    const Rectangulo& v = control.Padre().Posicion();
    const Rectangulo& c = control.Posicion();
    return {TwipsAPixeles(v.izquierda + c.izquierda + c.ancho / 2.0, dpi),
            TwipsAPixeles(v.arriba + c.arriba + c.alto / 2.0, dpi)};
  }
  // From the client area's real origin, below a caption whose height
  // depends on the theme and the DPI.
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-clienttoscreen
  const RECT a = nc->Area();
  POINT centro{(a.left + a.right) / 2, (a.top + a.bottom) / 2};
  ClientToScreen(nc->ventana.hwnd, &centro);
  return {centro.x, centro.y};
}

void ToolkitWin32::FijarCursor(int x, int y) noexcept { SetCursorPos(x, y); }

void ToolkitWin32::SiempreEncima(Ventana& v, bool encima) noexcept {
  if (auto* nv = win32::NativoDe(v))
    SetWindowPos(nv->hwnd, encima ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void ToolkitWin32::SinActivar(Ventana& v, bool sinActivar) noexcept {
  auto* nv = win32::NativoDe(v);
  if (!nv || nv->sinActivar == sinActivar) return;
  nv->sinActivar = sinActivar;
  // The style keeps a press from activating the window; the answer to
  // WM_MOUSEACTIVATE lets the controls' presses through. Alone it would also
  // take the window off the taskbar and out of Alt+Tab: WS_EX_APPWINDOW
  // keeps both, and stays when the aid goes off, so the taskbar (which looks
  // at the style only as the window shows) never has a button to take back.
  // https://learn.microsoft.com/windows/win32/winmsg/extended-window-styles
  // https://learn.microsoft.com/windows/win32/shell/taskbar#managing-taskbar-buttons
  if (sinActivar)
    nv->estiloExtendido |= WS_EX_NOACTIVATE | WS_EX_APPWINDOW;
  else
    nv->estiloExtendido &= ~static_cast<DWORD>(WS_EX_NOACTIVATE);
  SetWindowLongPtrW(nv->hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(nv->estiloExtendido));
  SetWindowPos(nv->hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A visible window with WS_EX_APPWINDOW always has its button; without it,
// only an unowned one that is neither a tool window nor WS_EX_NOACTIVATE.
// https://learn.microsoft.com/windows/win32/shell/taskbar#managing-taskbar-buttons
bool ToolkitWin32::EnBarraDeTareas(Hwnd ventana) {
  const HWND w = AHwnd(ventana);
  if (!IsWindowVisible(w)) return false;
  const auto estilo = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE));
  if (estilo & WS_EX_APPWINDOW) return true;
  return !GetWindow(w, GW_OWNER) && !(estilo & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
}

}  // namespace kelu
