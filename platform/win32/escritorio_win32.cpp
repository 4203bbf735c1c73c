// The desktop beyond KELU's windows: other programs' windows, bringing one to
// the front, keystrokes, starting programs, the shell, the screen and the
// pointer, and KELU's own folder.
#include "platform/win32/interno_win32.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/cadenas_sistema.h"
#include "platform/win32/teclado.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {

bool TraerAlFrente(HWND ventana) {
  if (!IsWindow(ventana)) return false;
  if (SetForegroundWindow(ventana)) return true;
  // Refused: the thread that owns the foreground may give it away, so its
  // input is joined for the moment of the call.
  const DWORD propio = GetCurrentThreadId();
  const DWORD delante = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const bool unido = delante && delante != propio && AttachThreadInput(propio, delante, TRUE);
  const bool hecho = SetForegroundWindow(ventana) != FALSE;
  BringWindowToTop(ventana);
  if (unido) AttachThreadInput(propio, delante, FALSE);
  return hecho || GetForegroundWindow() == ventana;
}

}  // namespace win32

using win32::AHwnd;
using win32::DeHwnd;

Hwnd ToolkitWin32::VentanaEscritorio() { return DeHwnd(GetDesktopWindow()); }

Hwnd ToolkitWin32::Relacionada(Hwnd ventana, Relacion relacion) {
  return DeHwnd(GetWindow(AHwnd(ventana), static_cast<UINT>(relacion)));
}

Hwnd ToolkitWin32::PrimeraVentana() { return DeHwnd(FindWindowW(nullptr, nullptr)); }

int ToolkitWin32::LargoTitulo(Hwnd ventana) { return ventana ? GetWindowTextLengthW(AHwnd(ventana)) : 0; }

std::string ToolkitWin32::Titulo(Hwnd ventana, int maximo) {
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

bool ToolkitWin32::EsVisible(Hwnd ventana) { return IsWindowVisible(AHwnd(ventana)) != FALSE; }

Hwnd ToolkitWin32::Padre(Hwnd ventana) { return DeHwnd(GetParent(AHwnd(ventana))); }

uint32_t ToolkitWin32::ProcesoDe(Hwnd ventana) {
  DWORD proceso = 0;
  GetWindowThreadProcessId(AHwnd(ventana), &proceso);
  return proceso;
}

bool ToolkitWin32::Mover(Hwnd ventana, int x, int y, int ancho, int alto) {
  return MoveWindow(AHwnd(ventana), x, y, ancho, alto, TRUE) != FALSE;
}

bool ToolkitWin32::Activar(Hwnd ventana) {
  // A minimized window stays minimized, as the activation rule asks.
  return win32::TraerAlFrente(AHwnd(ventana));
}

void ToolkitWin32::Teclear(const std::vector<EventoTecla>& eventos) { EnviarEventosTeclado(eventos); }

Arranque ToolkitWin32::Iniciar(const std::string& ejecutable, const std::string& argumentos,
                               const std::string& carpetaTrabajo) {
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

void ToolkitWin32::AbrirDocumento(Hwnd dueno, const std::string& documento) {
  ShellExecuteW(AHwnd(dueno), nullptr, win32::Ancho(documento).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string ToolkitWin32::CarpetaPrograma() {
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

Pantalla ToolkitWin32::LeerPantalla() {
  const UINT dpi = estado_->DpiPrincipal();
  Pantalla p;
  p.twipsPorPixelX = p.twipsPorPixelY = TwipsPorPixel(dpi);
  p.ancho = PixelesATwips(GetSystemMetrics(SM_CXSCREEN), dpi);
  p.alto = PixelesATwips(GetSystemMetrics(SM_CYSCREEN), dpi);
  return p;
}

void ToolkitWin32::FijarCursor(int x, int y) { SetCursorPos(x, y); }

void ToolkitWin32::SiempreEncima(Ventana& v, bool encima) {
  if (auto* nv = static_cast<win32::NativoVentana*>(v.nativo))
    SetWindowPos(nv->hwnd, encima ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

}  // namespace kelu
