// Key events: what the platform types into another window. Virtual keys are
// plain numbers here (the Windows codes); the backend turns the events into
// real input.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelu {

// Windows virtual key codes the parser produces by name.
inline constexpr uint8_t kVkTab = 0x09;
inline constexpr uint8_t kVkEnter = 0x0D;
inline constexpr uint8_t kVkEspacio = 0x20;
inline constexpr uint8_t kVkShift = 0x10;
inline constexpr uint8_t kVkControl = 0x11;
inline constexpr uint8_t kVkAlt = 0x12;
// The right Alt key (VK_RMENU): the Alt of AltGr, which a real keyboard
// sends as left Ctrl with right Alt.
inline constexpr uint8_t kVkAltDerecha = 0xA5;

// Keys KELU's own windows answer to (TeclaPulsada::codigo).
inline constexpr int kTeclaEsc = 0x1B, kTeclaF2 = 0x71, kTeclaF6 = 0x75, kTeclaI = 'I';

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
  bool conModificador = false;  // characters and virtual keys: a modifier is down
  bool operator==(const EventoTecla&) const = default;
};


// The virtual key of a braced key name ("ENTER", "bs", "F12"), without
// regard to case; nullopt for an unknown name.
std::optional<uint8_t> VkDeNombre(std::string_view nombre);

// The events written out for reading: "<+>" and "</+>" for a modifier going
// down and up (+ ^ %), characters as themselves ('{' and '<' braced as "{{}"
// and "{<}"), virtual keys by name as "{ENTER}". "+(ec)~" gives "<+>ec</+>{ENTER}".
std::string DescribirEventos(const std::vector<EventoTecla>& eventos);

// Only what lands as text: characters, Enter as '\n' and Tab as '\t', when
// typed with no modifier down. Everything else is left out.
std::string TextoPlano(const std::vector<EventoTecla>& eventos);

}  // namespace kelu
