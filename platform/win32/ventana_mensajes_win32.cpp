#include "platform/win32/interno_win32.h"

namespace kelu::win32 {

// A message-only window gets only what is sent or posted to it, and is found
// by FindWindowEx with HWND_MESSAGE alone:
// https://learn.microsoft.com/windows/win32/winmsg/window-features#message-only-windows
HWND CrearVentanaMensajes(HINSTANCE instancia, const wchar_t* clase, WNDPROC procedimiento, void* dueno) {
  WNDCLASSEXW registro{};
  registro.cbSize = sizeof registro;
  registro.lpfnWndProc = procedimiento;
  registro.hInstance = instancia;
  registro.lpszClassName = clase;
  RegisterClassExW(&registro);  // a second registration fails harmlessly
  HWND ventana = CreateWindowExW(0, clase, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instancia, nullptr);
  if (ventana) SetWindowLongPtrW(ventana, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dueno));
  return ventana;
}

}  // namespace kelu::win32
