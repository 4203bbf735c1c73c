// The Windows program: the common controls, the real backend, and KELU.
#include <windows.h>
#include <commctrl.h>

#include "platform/archivos.h"
#include "platform/principal.h"
#include "platform/traza.h"
#include "platform/win32/toolkit_win32.h"

namespace {
// What the last guards caught goes to the debugger's output (DebugView
// shows it on a person's machine): a step skipped is never silent.
void TrazarEnDepurador(const char* donde, const char* que) noexcept {
  char linea[512];
  wsprintfA(linea, "KELU: %.200s: %.280s\n", donde, que);
  OutputDebugStringA(linea);
}
}  // namespace

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
  kelu::PonerTraza(&TrazarEnDepurador);
  kelu::ToolkitWin32 tk;
  return kelu::EjecutarKelu(tk, tk, kelu::ArchivosDelSistema());
}
