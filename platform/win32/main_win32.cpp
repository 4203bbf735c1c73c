// The Windows program: the common controls, the real backend, and KELU.
#include <windows.h>
#include <commctrl.h>

#include "platform/archivos.h"
#include "platform/principal.h"
#include "platform/win32/toolkit_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controles{};
  controles.dwSize = sizeof controles;
  controles.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controles);
  kelu::ToolkitWin32 tk;
  return kelu::EjecutarKelu(tk, tk, kelu::ArchivosDelSistema());
}
