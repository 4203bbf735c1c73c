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
  // Back after the restart that finishes an update, as the person left it;
  // never restarted after a crash or a hang, which would only repeat them:
  // https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-registerapplicationrestart
  // KELU takes no arguments, so no command line is registered. A failure
  // only costs that return.
  RegisterApplicationRestart(nullptr, RESTART_NO_CRASH | RESTART_NO_HANG);
  kelu::ToolkitWin32 tk;
  return kelu::EjecutarKelu(tk, tk, kelu::ArchivosDelSistema());
}
