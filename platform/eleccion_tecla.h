// How one character is typed into another program: as the key of the
// target's keyboard layout that makes it, so that programs reading keys
// (consoles, games, remote desktops) get it, or as the character itself
// when no key makes it. Portable: the platform layer asks the layout and
// sends what this decides.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/teclas.h"

namespace kelu {

// The shift-state bits a layout gives for a key, as VkKeyScanEx returns them.
inline constexpr uint8_t kConMayusculas = 1;
inline constexpr uint8_t kConCtrl = 2;
inline constexpr uint8_t kConAlt = 4;

// What the target's layout says about the key that makes one character.
struct TeclaDelCaracter {
  bool existe = false;        // some key makes it
  uint8_t vk = 0;             // that key
  uint8_t estados = 0;        // the modifiers it takes (kCon* bits; Ctrl+Alt is AltGr)
  bool muerta = false;        // with those modifiers the key is a dead key
  bool bloqueable = false;    // with Caps Lock on the layout turns the key's case: Shift is flipped
};

// One input event: a key going down or up, or the character itself.
struct EventoEntrada {
  bool unicode = false;  // the character as such (VK_PACKET), not a key
  uint8_t vk = 0;
  char32_t caracter = 0;
  bool arriba = false;
  bool operator==(const EventoEntrada&) const = default;
};

// The events that type `c`. `abajo` holds the modifiers the key string keeps
// down meanwhile (kVkShift, kVkControl, kVkAlt); they are not pressed again.
std::vector<EventoEntrada> EventosDeCaracter(char32_t c, const TeclaDelCaracter& tecla, bool bloqMayus,
                                             const std::vector<uint8_t>& abajo);

}  // namespace kelu
