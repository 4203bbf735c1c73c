// The backend's life: its window class and the state its files share.
#include "platform/win32/toolkit_win32.h"

#include "platform/win32/interno_win32.h"

namespace kelu {
namespace win32 {

LRESULT CALLBACK ProcedimientoVentana(HWND ventana, UINT mensaje, WPARAM wp, LPARAM lp);

namespace {

void RegistrarClase(HINSTANCE instancia) {
  WNDCLASSEXW clase{};
  clase.cbSize = sizeof clase;
  // No CS_DBLCLKS: a quick second press must arrive as a button-down, or the
  // keying would miss the start of a press.
  clase.style = CS_HREDRAW | CS_VREDRAW;
  clase.lpfnWndProc = ProcedimientoVentana;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  clase.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  clase.lpszClassName = kClaseVentana;
  RegisterClassExW(&clase);
}

}  // namespace

UINT Estado::DpiPrincipal() const {
  if (HWND activa = GetActiveWindow(); activa && Buscar(activa)) return DpiDe(activa);
  for (auto it = creadas.rbegin(); it != creadas.rend(); ++it)
    if (Buscar(*it)) return DpiDe(*it);
  return DpiDelSistema();
}

}  // namespace win32

ToolkitWin32::ToolkitWin32() {
  HINSTANCE instancia = GetModuleHandleW(nullptr);
  win32::RegistrarClase(instancia);
  estado_ = std::make_unique<win32::Estado>(instancia);
  estado_->toolkit = this;
}

// The sound first: its timer leaves the timers while they are still there.
// A later start is no longer heard once the toolkit it would call is gone.
ToolkitWin32::~ToolkitWin32() {
  win32::DejarDeOir();
  estado_->sonido.reset();
}

Hwnd ToolkitWin32::HandleDe(const Control& control) {
  const win32::NativoControl* nativo = win32::NativoDe(control);
  return nativo ? win32::DeHwnd(nativo->hwnd) : 0;
}

}  // namespace kelu
