// ventana_minima.exe TITLE: the least a Win32 program with a window does,
// a class, a window and a message loop; the baseline the idle, memory and
// start-up benchmarks set KELU against. Built in the Windows build only.
#include <windows.h>

#include <cstdlib>  // __argc, __argv

namespace {

LRESULT CALLBACK Procedimiento(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(ventana, mensaje, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE, LPSTR, int) {
  const char* titulo = __argc > 1 ? __argv[1] : "Ventana minima";
  WNDCLASSA clase{};
  clase.lpfnWndProc = Procedimiento;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  clase.lpszClassName = "VentanaMinima";
  if (!RegisterClassA(&clase)) return 2;
  HWND ventana = CreateWindowExA(0, clase.lpszClassName, titulo, WS_OVERLAPPEDWINDOW, 100, 100, 400, 200,
                                 nullptr, nullptr, instancia, nullptr);
  if (!ventana) return 3;
  ShowWindow(ventana, SW_SHOWNORMAL);
  UpdateWindow(ventana);
  MSG mensaje;
  while (GetMessageA(&mensaje, nullptr, 0, 0) > 0) {
    TranslateMessage(&mensaje);
    DispatchMessageA(&mensaje);
  }
  return static_cast<int>(mensaje.wParam);
}
