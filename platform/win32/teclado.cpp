#include "platform/win32/teclado.h"

#include <windows.h>

#include <algorithm>

#include "platform/utf16.h"

namespace kelu {
namespace {

// Keys that sit on the extended part of the keyboard; without the flag the
// target sees the numeric keypad's twin (e.g. keypad 4 for Left).
bool EsExtendida(WORD vk) {
  switch (vk) {
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_SNAPSHOT: case VK_CANCEL:
      return true;
    default:
      return false;
  }
}

class Entradas {
 public:
  explicit Entradas(HKL distribucion) : distribucion_(distribucion) {}

  void Tecla(WORD vk, bool arriba) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    // Some programs read the scan code rather than the virtual key.
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, distribucion_));
    in.ki.dwFlags = (arriba ? KEYEVENTF_KEYUP : 0) | (EsExtendida(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    lista_.push_back(in);
  }

  void Pulsar(WORD vk) {
    Tecla(vk, false);
    Tecla(vk, true);
  }

  // The character itself rather than a key, so it arrives unchanged whatever
  // the layout and Caps Lock. Beyond the BMP both halves go down before
  // either comes up, so the target receives the pair back to back.
  void Unicode(char32_t cp) {
    char16_t unidades[2];
    const int n = CodificarUtf16(cp, unidades);
    for (DWORD arriba : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      for (int i = 0; i < n; ++i) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wScan = unidades[i];
        in.ki.dwFlags = KEYEVENTF_UNICODE | arriba;
        lista_.push_back(in);
      }
    }
  }

  // A character under a modifier goes as the key that makes it on the
  // target's layout, or ^c would reach the program as text and not as a
  // shortcut.
  void CaracterConModificador(char32_t cp, const std::vector<WORD>& abajo) {
    const SHORT tecla = cp < 0x10000 ? VkKeyScanExW(static_cast<WCHAR>(cp), distribucion_) : SHORT{-1};
    if (tecla == -1) {
      Unicode(cp);
      return;
    }
    const WORD vk = LOBYTE(tecla);
    const bool pide_mayuscula = (HIBYTE(tecla) & 1) != 0 &&
                                std::find(abajo.begin(), abajo.end(), WORD{VK_SHIFT}) == abajo.end();
    if (pide_mayuscula) Tecla(VK_SHIFT, false);
    Pulsar(vk);
    if (pide_mayuscula) Tecla(VK_SHIFT, true);
  }

  std::vector<INPUT>& Lista() { return lista_; }

 private:
  HKL distribucion_;
  std::vector<INPUT> lista_;
};

}  // namespace

void EnviarEventosTeclado(const std::vector<EventoTecla>& eventos) {
  if (eventos.empty()) return;
  // The layout of the window that will receive the keys, not KELU's own.
  const DWORD hilo = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  Entradas entradas(GetKeyboardLayout(hilo));
  std::vector<WORD> abajo;  // modifiers down, to know when Shift is already held

  for (const EventoTecla& e : eventos) {
    switch (e.tipo) {
      case TipoEvento::BajarModificador:
        entradas.Tecla(e.vk, false);
        abajo.push_back(e.vk);
        break;
      case TipoEvento::SubirModificador:
        entradas.Tecla(e.vk, true);
        if (auto it = std::find(abajo.begin(), abajo.end(), WORD{e.vk}); it != abajo.end()) abajo.erase(it);
        break;
      case TipoEvento::Caracter:
        if (e.con_modificador) entradas.CaracterConModificador(e.caracter, abajo);
        else entradas.Unicode(e.caracter);
        break;
      case TipoEvento::TeclaVirtual:
        entradas.Pulsar(e.vk);
        break;
    }
  }

  std::vector<INPUT>& lista = entradas.Lista();
  SendInput(static_cast<UINT>(lista.size()), lista.data(), sizeof(INPUT));
}

}  // namespace kelu
