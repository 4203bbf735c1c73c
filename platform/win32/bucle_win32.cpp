// The message pump: the key preview and dialog keys on KELU's windows, the
// step that runs every pending event, the wait, hot keys, and showing a
// window, modally with a nested loop.
#include <memory>

#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {

namespace {

ModificadorTecla EstadoModificadores() {
  const auto Si = [](int vk, ModificadorTecla m) { return GetKeyState(vk) < 0 ? m : ModificadorTecla::Ninguno; };
  return Si(VK_SHIFT, ModificadorTecla::Shift) | Si(VK_CONTROL, ModificadorTecla::Ctrl) | Si(VK_MENU, ModificadorTecla::Alt);
}

}  // namespace

void Despachar(Estado& estado, MSG& mensaje) {
  HWND raiz = mensaje.hwnd ? GetAncestor(mensaje.hwnd, GA_ROOT) : nullptr;
  NativoVentana* nv = raiz ? estado.Buscar(raiz) : nullptr;
  if (nv && (mensaje.message == WM_KEYDOWN || mensaje.message == WM_SYSKEYDOWN) && nv->ventana.vistaPreviaTeclas &&
      nv->ventana.KeyDown) {
    auto sigue = nv->vivo;
    const TeclaPulsada tecla{static_cast<int>(mensaje.wParam), EstadoModificadores()};
    Atender("KeyDown", [&] { nv->ventana.KeyDown(tecla); });
    if (!*sigue || !IsWindow(mensaje.hwnd)) return;  // the key closed its window
  }
  // Alt+F4 closes the window whichever control has the focus (a drop-down
  // list under Wine takes it for itself).
  if (nv && mensaje.message == WM_SYSKEYDOWN && mensaje.wParam == VK_F4 && GetKeyState(VK_MENU) < 0) {
    SendMessageW(raiz, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  // Tab, Enter, Esc and Alt+letter as in a dialog. Plain characters are
  // left out: a letter alone must not press the button it underlines, as
  // KELU's own keystrokes may land on its window.
  if (nv && mensaje.message != WM_CHAR && IsDialogMessageW(raiz, &mensaje)) return;
  TranslateMessage(&mensaje);
  DispatchMessageW(&mensaje);
}

void Estado::TerminarSesion() {
  // Every top-level window gets WM_ENDSESSION; only the first one acts.
  static bool terminando = false;
  if (!terminando) {
    terminando = true;
    if (toolkit && toolkit->FinDeSesion) Atender("FinDeSesion", toolkit->FinDeSesion);
  }
  // The modal loops and windows still open are left as they are: unwinding
  // them would run handlers over windows the session is taking away.
  ExitProcess(0);
}

void Estado::Rehabilitar(Modal& modal) {
  for (HWND w : modal.deshabilitadas)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  modal.deshabilitadas.clear();
}

}  // namespace win32

void ToolkitWin32::ProcesarEventos() noexcept {
  MSG mensaje;
  while (PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
    if (mensaje.message == WM_QUIT) {  // for the loop that owns it
      PostQuitMessage(static_cast<int>(mensaje.wParam));
      return;
    }
    win32::Despachar(*estado_, mensaje);
  }
}

void ToolkitWin32::EsperarMensaje() {
  // A hot key already dispatched waits in its window: no message will come for it.
  for (auto& [h, nv] : estado_->ventanas)
    if (nv->teclaRapida) return;
  WaitMessage();
}

// MOD_NOREPEAT: a held Ctrl+I sends one WM_HOTKEY, not one per auto-repeat:
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-registerhotkey
bool ToolkitWin32::RegistrarTeclaRapida(Ventana& v, int id, unsigned modificadores, int tecla) noexcept {
  auto* nv = win32::NativoDe(v);
  return nv && RegisterHotKey(nv->hwnd, id, modificadores | MOD_NOREPEAT, static_cast<UINT>(tecla));
}

void ToolkitWin32::LiberarTeclaRapida(Ventana& v, int id) noexcept {
  if (auto* nv = win32::NativoDe(v)) UnregisterHotKey(nv->hwnd, id);
}

bool ToolkitWin32::TomarTeclaRapida(Ventana& v) noexcept {
  auto* nv = win32::NativoDe(v);
  if (!nv) return false;
  MSG mensaje;
  const bool enCola = PeekMessageW(&mensaje, nv->hwnd, WM_HOTKEY, WM_HOTKEY, PM_REMOVE);
  const bool despachada = nv->teclaRapida;
  nv->teclaRapida = false;
  return enCola || despachada;
}

void ToolkitWin32::MostrarVentana(Ventana& v, bool modal) {
  using namespace win32;
  auto* nv = NativoDe(v);
  if (!nv) return;
  HWND h = nv->hwnd;
  HWND anterior = GetActiveWindow();
  // The first control that can hold the focus has it from the start, even
  // before the system activates the window.
  if (!v.ConFoco())
    if (NativoControl* primero = nv->PorHandle(nv->PrimerEnfocable())) nv->FocoPendiente(*primero);

  std::unique_ptr<Modal> marco;
  if (modal) {
    marco = std::make_unique<Modal>(Modal{&v, {}});
    for (auto& [otra, nativo] : estado_->ventanas)
      if (otra != h && IsWindowEnabled(otra)) {
        EnableWindow(otra, FALSE);
        marco->deshabilitadas.push_back(otra);
      }
    estado_->modales.push_back(marco.get());
  }

  int mostrar = SW_SHOW;
  if (v.Estado() == EstadoVentana::Minimizada) mostrar = SW_SHOWMINIMIZED;
  else if (v.Estado() == EstadoVentana::Maximizada) mostrar = SW_SHOWMAXIMIZED;
  else if (IsIconic(h)) mostrar = SW_RESTORE;
  ShowWindow(h, mostrar);
  if (v.Estado() != EstadoVentana::Minimizada) TraerAlFrente(h);
  if (!marco) return;

  while (v.Cargada() && v.Visible()) {
    MSG mensaje;
    const BOOL hay = GetMessageW(&mensaje, nullptr, 0, 0);
    if (hay == 0) {  // WM_QUIT: for the loop that owns it
      PostQuitMessage(static_cast<int>(mensaje.wParam));
      break;
    }
    if (hay == -1) break;
    Despachar(*estado_, mensaje);
  }
  estado_->Rehabilitar(*marco);
  std::erase(estado_->modales, marco.get());
  if (anterior && anterior != h && estado_->Buscar(anterior) && IsWindowVisible(anterior))
    SetForegroundWindow(anterior);
}

void ToolkitWin32::OcultarVentana(Ventana& v) noexcept {
  auto* nv = win32::NativoDe(v);
  if (!nv) return;
  for (win32::Modal* m : estado_->modales)
    if (m->ventana == &v) estado_->Rehabilitar(*m);
  ShowWindow(nv->hwnd, SW_HIDE);
}

}  // namespace kelu
