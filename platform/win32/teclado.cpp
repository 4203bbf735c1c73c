#include "platform/win32/teclado.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/eleccion_tecla.h"
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
    case VK_RMENU: case VK_RCONTROL: case VK_LWIN: case VK_RWIN: case VK_APPS:
      return true;
    default:
      return false;
  }
}

// Whether the key types a dead key with those modifiers. MapVirtualKeyEx
// only knows the key's own character, and the Spanish [ and { sit under
// AltGr on keys that are dead alone, so the layout is asked for the exact
// shift state, without touching the keyboard state (flag 4).
bool EsTeclaMuerta(UINT vk, BYTE estados, HKL distribucion) {
  if (estados == 0) return (MapVirtualKeyExW(vk, MAPVK_VK_TO_CHAR, distribucion) & 0x80000000u) != 0;
  BYTE teclado[256] = {};
  if (estados & kConMayusculas) teclado[VK_SHIFT] = 0x80;
  if (estados & kConCtrl) teclado[VK_CONTROL] = 0x80;
  if (estados & kConAlt) teclado[VK_MENU] = 0x80;
  const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, distribucion);
  WCHAR texto[8];
  if (ToUnicodeEx(vk, scan, teclado, texto, 8, 4, distribucion) >= 0) return false;
  // A system that ignores the flag now holds the dead key: the same key
  // again gives it back as text and clears it.
  ToUnicodeEx(vk, scan, teclado, texto, 8, 4, distribucion);
  return true;
}

// What the key types under `estados` with Caps Lock on, asked of the layout
// without touching the keyboard state (flag 4): nothing when it types no
// single character there.
std::optional<WCHAR> ConBloqMayus(UINT vk, BYTE estados, HKL distribucion) {
  BYTE teclado[256] = {};
  teclado[VK_CAPITAL] = 0x01;  // toggled on
  if (estados & kConMayusculas) teclado[VK_SHIFT] = 0x80;
  const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, distribucion);
  WCHAR texto[8];
  if (ToUnicodeEx(vk, scan, teclado, texto, 8, 4, distribucion) != 1) return std::nullopt;
  return texto[0];
}

// With Caps Lock on, whether the layout turns this key's case, asked of the
// layout itself: Caps Lock acts on some cased letters and not on others
// (German ß, the letters of Swiss layouts under Shift). A key that gives
// the character neither way goes as the character itself.
void AjustarBloqMayus(TeclaDelCaracter& t, WCHAR c, HKL distribucion) {
  if (t.estados & (kConCtrl | kConAlt)) return;  // AltGr: Caps Lock is left alone
  if (ConBloqMayus(t.vk, t.estados, distribucion) == c) return;
  if (ConBloqMayus(t.vk, t.estados ^ kConMayusculas, distribucion) == c) t.bloqueable = true;
  else t.existe = false;
}

TeclaDelCaracter PreguntarDistribucion(char32_t c, HKL distribucion, bool bloqMayus) {
  if (c >= 0x10000) return {};
  const SHORT r = VkKeyScanExW(static_cast<WCHAR>(c), distribucion);
  if (LOBYTE(r) == 0xFF || HIBYTE(r) == 0xFF) return {};
  TeclaDelCaracter t;
  t.existe = true;
  t.vk = LOBYTE(r);
  t.estados = HIBYTE(r);
  t.muerta = EsTeclaMuerta(t.vk, t.estados, distribucion);
  if (bloqMayus && !t.muerta) AjustarBloqMayus(t, static_cast<WCHAR>(c), distribucion);
  return t;
}

class Entradas {
 public:
  Entradas(HKL distribucion, bool bloqMayus) : distribucion_(distribucion), bloqMayus_(bloqMayus) {}

  void Tecla(WORD vk, bool arriba) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    // Some programs read the scan code rather than the virtual key.
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, distribucion_));
    in.ki.dwFlags = (arriba ? KEYEVENTF_KEYUP : 0) | (EsExtendida(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    in.ki.dwExtraInfo = kMarcaTeclasKelu;
    lista_.push_back(in);
  }

  void Pulsar(WORD vk) {
    Tecla(vk, false);
    Tecla(vk, true);
  }

  // The character itself rather than a key, for what no key of the layout
  // makes. Beyond the BMP both halves go down before either comes up, so the
  // target receives the pair back to back.
  void Unicode(char32_t cp, bool arriba) {
    char16_t unidades[2];
    const int n = CodificarUtf16(cp, unidades);
    for (int i = 0; i < n; ++i) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = unidades[i];
      in.ki.dwFlags = KEYEVENTF_UNICODE | (arriba ? KEYEVENTF_KEYUP : 0);
      in.ki.dwExtraInfo = kMarcaTeclasKelu;
      lista_.push_back(in);
    }
  }

  void Caracter(char32_t c, const std::vector<uint8_t>& abajo) {
    const TeclaDelCaracter tecla = PreguntarDistribucion(c, distribucion_, bloqMayus_ && abajo.empty());
    for (const EventoEntrada& e : EventosDeCaracter(c, tecla, bloqMayus_, abajo)) {
      if (e.unicode) Unicode(e.caracter, e.arriba);
      else Tecla(e.vk, e.arriba);
    }
  }

  std::vector<INPUT>& Lista() { return lista_; }

 private:
  HKL distribucion_;
  bool bloqMayus_;
  std::vector<INPUT> lista_;
};

}  // namespace

bool EnviarEventosTeclado(const std::vector<EventoTecla>& eventos) {
  if (eventos.empty()) return true;
  // The layout of the window that will receive the keys, not KELU's own.
  const DWORD hilo = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  // Caps Lock is one toggle for the keyboard (its light). The target's own
  // key state could only be read by attaching to its input, which KELU
  // never does: this thread's view of the toggle stands for it.
  const bool bloqMayus = (GetKeyState(VK_CAPITAL) & 1) != 0;
  Entradas entradas(GetKeyboardLayout(hilo), bloqMayus);
  std::vector<uint8_t> abajo;  // the key string's modifiers now down

  for (const EventoTecla& e : eventos) {
    switch (e.tipo) {
      case TipoEvento::BajarModificador:
        entradas.Tecla(e.vk, false);
        abajo.push_back(e.vk);
        break;
      case TipoEvento::SubirModificador:
        entradas.Tecla(e.vk, true);
        if (auto it = std::find(abajo.begin(), abajo.end(), e.vk); it != abajo.end()) abajo.erase(it);
        break;
      case TipoEvento::Caracter:
        entradas.Caracter(e.caracter, abajo);
        break;
      case TipoEvento::TeclaVirtual:
        entradas.Pulsar(e.vk);
        break;
    }
  }

  std::vector<INPUT>& lista = entradas.Lista();
  return SendInput(static_cast<UINT>(lista.size()), lista.data(), sizeof(INPUT)) == lista.size();
}

}  // namespace kelu
