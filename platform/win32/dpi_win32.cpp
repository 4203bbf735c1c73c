// The DPI of a window and the outer size for a client size at that DPI. The
// per-window calls exist from Windows 10 on; before, every window has the
// system's DPI.
#include "platform/win32/interno_win32.h"

namespace kelu::win32 {

UINT DpiDelSistema() {
  HDC pantalla = GetDC(nullptr);
  const int dpi = pantalla ? GetDeviceCaps(pantalla, LOGPIXELSX) : 0;
  if (pantalla) ReleaseDC(nullptr, pantalla);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDpiNormal;
}

UINT DpiDe(HWND ventana) {
  static const auto porVentana = BuscarFuncion<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
  if (ventana && porVentana)
    if (UINT dpi = porVentana(ventana)) return dpi;
  return DpiDelSistema();
}

RECT ExteriorParaCliente(int anchoPx, int altoPx, DWORD estilo, DWORD estiloExtendido, UINT dpi) {
  static const auto paraDpi = BuscarFuncion<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>(
      L"user32.dll", "AdjustWindowRectExForDpi");
  RECT r{0, 0, anchoPx, altoPx};
  if (!paraDpi || !paraDpi(&r, estilo, FALSE, estiloExtendido, dpi)) {
    r = RECT{0, 0, anchoPx, altoPx};
    AdjustWindowRectEx(&r, estilo, FALSE, estiloExtendido);
  }
  return r;
}

}  // namespace kelu::win32
