// One KELU per Windows session: a named mutex in the session's own
// namespace marks the copy that runs, and that copy's message-only window
// hears a later start ask it to come forward.
#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {
namespace {

// "Local\": the session's namespace, so that each signed-in person, and each
// remote session, has a KELU of their own:
// https://learn.microsoft.com/windows/win32/termserv/kernel-object-namespaces
constexpr wchar_t kMarcaSesion[] = L"Local\\KELU.UnaCopiaPorSesion";
constexpr wchar_t kClaseOyente[] = L"KELU.OtraCopia";
// Only windows of KELU's own class get it, so a private number will do.
constexpr UINT kVenAlFrente = WM_APP;
constexpr LRESULT kAtendida = 1;
// A later start waits this long for the first copy: to make its window (both
// started at once, at sign-in and after an update restart), to answer, and
// to finish ending when it was closing.
constexpr int kEsperaVentanaMs = 2000, kEsperaRespuestaMs = 5000, kEsperaFinMs = 10000;

HWND oyente = nullptr;
bool conMarca = false;  // this process holds the mark

LRESULT CALLBACK ProcesarOyente(HWND ventana, UINT mensaje, WPARAM wp, LPARAM lp) {
  if (mensaje != kVenAlFrente) return DefWindowProcW(ventana, mensaje, wp, lp);
  auto* toolkit = reinterpret_cast<Toolkit*>(GetWindowLongPtrW(ventana, GWLP_USERDATA));
  if (toolkit && toolkit->OtraCopia) Atender("OtraCopia", toolkit->OtraCopia);
  return kAtendida;
}

// The first copy's ear, a message-only window later starts find by class.
void Oir(Toolkit& toolkit) {
  conMarca = true;
  if (oyente) return;
  oyente = CrearVentanaMensajes(GetModuleHandleW(nullptr), kClaseOyente, ProcesarOyente, &toolkit);
  if (!oyente) return;  // a later start then finds no one to tell, and ends all the same
  // Run elevated, this copy would not hear a later one that is not: the
  // system drops messages above WM_USER from a lower integrity level unless
  // the window lets them through.
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-changewindowmessagefilterex
  ChangeWindowMessageFilterEx(oyente, kVenAlFrente, MSGFLT_ALLOW, nullptr);
}

// Asks the first copy to come forward; false when no copy answered.
bool AvisarALaPrimera() {
  HWND primera = nullptr;
  for (int esperado = 0; !(primera = FindWindowExW(HWND_MESSAGE, nullptr, kClaseOyente, nullptr)); esperado += 50) {
    if (esperado >= kEsperaVentanaMs) return false;
    Sleep(50);
  }
  // This start is the person's latest input, so it may hand the first copy
  // its right to take the foreground, which the first copy lacks:
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-allowsetforegroundwindow
  DWORD proceso = 0;
  if (GetWindowThreadProcessId(primera, &proceso)) AllowSetForegroundWindow(proceso);
  // Sent, not posted: the answer says it was heard. A hung copy answers at
  // once with a failure; a copy whose thread ended, likewise.
  DWORD_PTR respuesta = 0;
  return SendMessageTimeoutW(primera, kVenAlFrente, 0, 0, SMTO_ABORTIFHUNG, kEsperaRespuestaMs, &respuesta) != 0 &&
         respuesta == static_cast<DWORD_PTR>(kAtendida);
}

}  // namespace

void DejarDeOir() {
  if (oyente) DestroyWindow(oyente);
  oyente = nullptr;
}

}  // namespace win32

// The mark is held, owned by this thread, until the process ends; then the
// system releases it, abandoned:
// https://learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-createmutexw
bool ToolkitWin32::PrimeraCopia() noexcept {
  if (win32::conMarca) {  // asked again by the copy that holds the mark, for a new toolkit
    win32::Oir(*this);
    return true;
  }
  HANDLE marca = CreateMutexW(nullptr, TRUE, win32::kMarcaSesion);
  const DWORD error = GetLastError();
  if (marca && error != ERROR_ALREADY_EXISTS) {
    win32::Oir(*this);
    return true;
  }
  // Access denied: the mark is there, made by a copy of another account
  // or of a higher integrity level. Any other failure leaves no mark to go
  // by: better a second copy than none.
  if (!marca && error != ERROR_ACCESS_DENIED) return true;
  if (win32::AvisarALaPrimera()) {
    if (marca) CloseHandle(marca);
    return false;
  }
  // No copy answered: the first one is ending (it was closed, its settings
  // are being saved). Once it has ended, this one is the first.
  const DWORD espera = marca ? WaitForSingleObject(marca, win32::kEsperaFinMs) : WAIT_FAILED;
  if (espera == WAIT_OBJECT_0 || espera == WAIT_ABANDONED) {
    win32::Oir(*this);
    return true;
  }
  if (marca) CloseHandle(marca);
  return false;
}

}  // namespace kelu
