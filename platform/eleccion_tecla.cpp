#include "platform/eleccion_tecla.h"

#include <algorithm>

namespace kelu {
namespace {

bool Contiene(const std::vector<uint8_t>& abajo, uint8_t vk) {
  return std::find(abajo.begin(), abajo.end(), vk) != abajo.end();
}

// Shift alone, or AltGr (Ctrl+Alt) with or without Shift: Ctrl or Alt alone
// would reach the program as a shortcut, not as the character.
bool EstadosTecleables(uint8_t estados) {
  if (estados & ~(kConMayusculas | kConCtrl | kConAlt)) return false;  // kana and other shift states
  const uint8_t ctrlAlt = estados & (kConCtrl | kConAlt);
  return ctrlAlt == 0 || ctrlAlt == (kConCtrl | kConAlt);
}

}  // namespace

std::vector<EventoEntrada> EventosDeCaracter(char32_t c, const TeclaDelCaracter& tecla, bool bloqMayus,
                                             const std::vector<uint8_t>& abajo) {
  uint8_t vk = 0;
  uint8_t estados = 0;
  const bool atajo = Contiene(abajo, kVkControl) || Contiene(abajo, kVkAlt);
  const bool letraAscii = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
  if (c == U' ') {
    vk = kVkEspacio;
  } else if (atajo && letraAscii) {
    // Programs match shortcuts on the letter's virtual key, which is the same
    // on every layout, also on those that have no key for the Latin letter.
    vk = static_cast<uint8_t>(c >= U'a' ? c - 0x20 : c);
    estados = c >= U'a' ? 0 : kConMayusculas;
  } else if (c < 0x20 || c == 0x7F || !tecla.existe || tecla.muerta || !EstadosTecleables(tecla.estados)) {
    // A dead key would wait for the next key and join it; control
    // characters have no key of their own.
    return {EventoEntrada{true, 0, c, false}, EventoEntrada{true, 0, c, true}};
  } else {
    vk = tecla.vk;
    estados = tecla.estados;
    // Caps Lock turns the letter's case; Shift turns it back. Under a
    // modifier of the key string the keys are a combination, not text.
    if (bloqMayus && tecla.bloqueable && abajo.empty() && !(estados & (kConCtrl | kConAlt)))
      estados ^= kConMayusculas;
  }

  // AltGr goes as a real one arrives, left Ctrl with right Alt: consoles
  // and line editors take left Ctrl with left Alt for a shortcut. An Alt of
  // the key string already down with Ctrl makes AltGr as it is.
  const bool altGr = (estados & (kConCtrl | kConAlt)) == (kConCtrl | kConAlt);
  const uint8_t alt = altGr ? kVkAltDerecha : kVkAlt;
  std::vector<uint8_t> pulsados;
  for (auto [bit, modificador] : {std::pair{kConMayusculas, kVkShift}, {kConCtrl, kVkControl}, {kConAlt, alt}})
    if ((estados & bit) && !Contiene(abajo, bit == kConAlt ? kVkAlt : modificador)) pulsados.push_back(modificador);

  std::vector<EventoEntrada> eventos;
  for (uint8_t m : pulsados) eventos.push_back({false, m, 0, false});
  eventos.push_back({false, vk, 0, false});
  eventos.push_back({false, vk, 0, true});
  for (auto m = pulsados.rbegin(); m != pulsados.rend(); ++m) eventos.push_back({false, *m, 0, true});
  return eventos;
}

}  // namespace kelu
