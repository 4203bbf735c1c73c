// The system's modal boxes: a message box and the open-file dialog.
#include "platform/win32/interno_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/cadenas_sistema.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {

namespace {

HWND HwndDe(const Ventana* v) {
  win32::NativoVentana* nv = v ? win32::NativoDe(*v) : nullptr;
  return nv ? nv->hwnd : nullptr;
}

}  // namespace

int ToolkitWin32::MostrarMensaje(Ventana* dueno, const std::string& texto, const std::string& titulo, int estilo) {
  HWND propietario = HwndDe(dueno);
  // Without an owner the box is still modal to all of KELU's windows.
  const UINT extra = MB_SETFOREGROUND | (propietario ? 0 : MB_TASKMODAL);
  return MessageBoxW(propietario, win32::Ancho(texto).c_str(), win32::Ancho(titulo).c_str(),
                     static_cast<UINT>(estilo) | extra);
}

std::optional<std::string> ToolkitWin32::ElegirArchivo(Ventana& dueno, const DialogoAbrir& dialogo) {
  const std::wstring filtro = FiltroDeArchivos(win32::Ancho(dialogo.descripcion), win32::Ancho(dialogo.patron));
  const std::wstring carpeta = win32::Ancho(dialogo.carpetaInicial);
  std::wstring inicial = win32::Ancho(dialogo.nombreInicial);
  std::vector<wchar_t> archivo(32768, L'\0');
  inicial.resize(std::min(inicial.size(), archivo.size() - 1));
  std::copy(inicial.begin(), inicial.end(), archivo.begin());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = HwndDe(&dueno);
  ofn.lpstrFilter = filtro.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = archivo.data();
  ofn.nMaxFile = static_cast<DWORD>(archivo.size());
  ofn.lpstrInitialDir = carpeta.empty() ? nullptr : carpeta.c_str();
  // The program's working folder stays where it was.
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (dialogo.ocultarSoloLectura ? OFN_HIDEREADONLY : 0);
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  return win32::Estrecho(std::wstring_view(archivo.data()));
}

}  // namespace kelu
