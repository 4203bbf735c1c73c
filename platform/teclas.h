// Key events: what the platform types into another window. Virtual keys are
// plain numbers here (the Windows codes); the backend turns the events into
// real input.
#pragma once
#include <cstdint>

namespace kelu {

// Windows virtual key codes the parser produces by name.
inline constexpr uint8_t kVkTab = 0x09;
inline constexpr uint8_t kVkEnter = 0x0D;
inline constexpr uint8_t kVkShift = 0x10;
inline constexpr uint8_t kVkControl = 0x11;
inline constexpr uint8_t kVkAlt = 0x12;

enum class TipoEvento : uint8_t {
  BajarModificador,  // vk goes down (Shift, Ctrl or Alt)
  SubirModificador,  // vk comes up
  Caracter,          // the key that types `caracter`, pressed and released
  TeclaVirtual,      // the key `vk`, pressed and released
};

struct EventoTecla {
  TipoEvento tipo = TipoEvento::Caracter;
  uint8_t vk = 0;              // modifiers and virtual keys
  char32_t caracter = 0;       // characters
  bool con_modificador = false;  // characters and virtual keys: a modifier is down
  bool operator==(const EventoTecla&) const = default;
};

}  // namespace kelu
