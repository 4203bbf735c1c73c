#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "platform/eleccion_tecla.h"

namespace kelu {
namespace {

using Distribucion = std::map<char32_t, TeclaDelCaracter>;

constexpr uint8_t kAltGr = kConCtrl | kConAlt;

// What VkKeyScanEx and the dead-key check give on each layout for the
// characters below; a character missing from a map has no key there.
const Distribucion kEstadounidense = {
    {U'a', {true, 0x41, 0, false, true}},
    {U'A', {true, 0x41, kConMayusculas, false, true}},
    {U'c', {true, 0x43, 0, false, true}},
    {U'@', {true, 0x32, kConMayusculas, false, false}},
    {U'^', {true, 0x36, kConMayusculas, false, false}},
    {U'?', {true, 0xBF, kConMayusculas, false, false}},
    {U' ', {true, 0x20, 0, false, false}},
};
const Distribucion kEspanola = {
    {U'a', {true, 0x41, 0, false, true}},
    {U'A', {true, 0x41, kConMayusculas, false, true}},
    {U'ñ', {true, 0xC0, 0, false, true}},
    {U'Ñ', {true, 0xC0, kConMayusculas, false, true}},
    {U'@', {true, 0x32, kAltGr, false, false}},
    {U'€', {true, 0x45, kAltGr, false, false}},
    {U'[', {true, 0xBA, kAltGr, false, false}},  // on the key whose own character is a dead `
    {U'~', {true, 0x34, kAltGr, true, false}},
    {U'´', {true, 0xDE, 0, true, false}},
    {U'^', {true, 0xBA, kConMayusculas, true, false}},
    {U'%', {true, 0x35, kConMayusculas, false, false}},
    {U' ', {true, 0x20, 0, false, false}},
};
const Distribucion kRusa = {  // no key makes a Latin letter
    {U'ф', {true, 0x41, 0, false, true}},
    {U' ', {true, 0x20, 0, false, false}},
};
// A layout with a character on a kana shift state and one on Ctrl alone.
const Distribucion kOtrosEstados = {
    {U'x', {true, 0x58, 8, false, false}},
    {U'y', {true, 0x59, kConCtrl, false, false}},
};

std::string Nombre(uint8_t vk) {
  switch (vk) {
    case kVkShift: return "Shift";
    case kVkControl: return "Ctrl";
    case kVkAlt: return "Alt";
    case kVkAltDerecha: return "AltGr";
    case kVkEspacio: return "Space";
    default: break;
  }
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  char hex[8];
  std::snprintf(hex, sizeof hex, "%02X", vk);
  return hex;
}

// "+Shift +2 -2 -Shift"; a character as such is "U+00F1".
std::string Describir(const std::vector<EventoEntrada>& eventos) {
  std::string s;
  for (size_t i = 0; i < eventos.size(); ++i) {
    const EventoEntrada& e = eventos[i];
    if (!s.empty()) s += ' ';
    if (e.unicode) {
      // Down then up of the same character, as one entry.
      char u[16];
      std::snprintf(u, sizeof u, "U+%04X", static_cast<unsigned>(e.caracter));
      const bool par = i + 1 < eventos.size() && eventos[i + 1] == EventoEntrada{true, 0, e.caracter, true};
      s += par && !e.arriba ? std::string(u) : std::string("?") + u;
      if (par && !e.arriba) ++i;
      continue;
    }
    s += (e.arriba ? "-" : "+") + Nombre(e.vk);
  }
  return s;
}

struct Caso {
  const char* que;
  const Distribucion* distribucion;
  char32_t c;
  bool bloqMayus;
  std::vector<uint8_t> abajo;
  const char* esperado;
};

TEST(EleccionTecla, EachCharacterGoesAsItsKeyOnTheTargetsLayoutOrAsItself) {
  const Caso casos[] = {
      {"plain letter", &kEstadounidense, U'a', false, {}, "+A -A"},
      {"capital takes Shift", &kEstadounidense, U'A', false, {}, "+Shift +A -A -Shift"},
      {"Caps Lock: small takes Shift", &kEstadounidense, U'a', true, {}, "+Shift +A -A -Shift"},
      {"Caps Lock: capital takes none", &kEstadounidense, U'A', true, {}, "+A -A"},
      {"Caps Lock leaves symbols", &kEstadounidense, U'@', true, {}, "+Shift +2 -2 -Shift"},
      {"space", &kEstadounidense, U' ', false, {}, "+Space -Space"},
      {"space even where the layout says nothing", &kOtrosEstados, U' ', true, {}, "+Space -Space"},
      {"no key on US", &kEstadounidense, U'ñ', false, {}, "U+00F1"},
      {"no key for the euro on US", &kEstadounidense, U'€', false, {}, "U+20AC"},
      {"beyond the BMP", &kEstadounidense, U'😀', false, {}, "U+1F600"},
      {"a control character", &kEstadounidense, U'\t', false, {}, "U+0009"},
      {"enye on Spanish", &kEspanola, U'ñ', false, {}, "+C0 -C0"},
      {"Caps Lock on enye", &kEspanola, U'ñ', true, {}, "+Shift +C0 -C0 -Shift"},
      {"Caps Lock on capital enye", &kEspanola, U'Ñ', true, {}, "+C0 -C0"},
      {"at on Spanish is AltGr", &kEspanola, U'@', false, {}, "+Ctrl +AltGr +2 -2 -AltGr -Ctrl"},
      {"Caps Lock leaves AltGr alone", &kEspanola, U'€', true, {}, "+Ctrl +AltGr +E -E -AltGr -Ctrl"},
      {"AltGr on a key that is dead alone", &kEspanola, U'[', false, {}, "+Ctrl +AltGr +BA -BA -AltGr -Ctrl"},
      {"dead acute", &kEspanola, U'´', false, {}, "U+00B4"},
      {"dead circumflex under Shift", &kEspanola, U'^', false, {}, "U+005E"},
      {"dead tilde under AltGr", &kEspanola, U'~', false, {}, "U+007E"},
      {"percent", &kEspanola, U'%', false, {}, "+Shift +5 -5 -Shift"},
      {"circumflex on US is a plain key", &kEstadounidense, U'^', false, {}, "+Shift +6 -6 -Shift"},
      {"kana shift state", &kOtrosEstados, U'x', false, {}, "U+0078"},
      {"Ctrl alone would be a shortcut", &kOtrosEstados, U'y', false, {}, "U+0079"},
      // Under a modifier of the key string.
      {"^c", &kEstadounidense, U'c', false, {kVkControl}, "+C -C"},
      {"^c with Caps Lock stays Ctrl+C", &kEstadounidense, U'c', true, {kVkControl}, "+C -C"},
      {"^C adds Shift", &kEspanola, U'C', false, {kVkControl}, "+Shift +C -C -Shift"},
      {"%f on a layout without Latin letters", &kRusa, U'f', false, {kVkAlt}, "+F -F"},
      {"+^c: Shift already down", &kEstadounidense, U'C', false, {kVkShift, kVkControl}, "+C -C"},
      {"^@ on US adds Shift", &kEstadounidense, U'@', false, {kVkControl}, "+Shift +2 -2 -Shift"},
      {"^@ on Spanish adds only the right Alt", &kEspanola, U'@', false, {kVkControl}, "+AltGr +2 -2 -AltGr"},
      {"%^@ on Spanish: Ctrl and Alt already down", &kEspanola, U'@', false, {kVkAlt, kVkControl}, "+2 -2"},
      {"+a with Caps Lock: the key with Shift", &kEstadounidense, U'a', true, {kVkShift}, "+A -A"},
      {"+a without a Latin key", &kRusa, U'a', false, {kVkShift}, "U+0061"},
      {"^ñ without a key", &kEstadounidense, U'ñ', false, {kVkControl}, "U+00F1"},
  };
  for (const Caso& caso : casos) {
    const auto it = caso.distribucion->find(caso.c);
    const TeclaDelCaracter tecla = it == caso.distribucion->end() ? TeclaDelCaracter{} : it->second;
    EXPECT_EQ(Describir(EventosDeCaracter(caso.c, tecla, caso.bloqMayus, caso.abajo)), caso.esperado) << caso.que;
  }
}

}  // namespace
}  // namespace kelu
