#include "platform/teclas.h"

#include <algorithm>
#include <iterator>

#include "platform/ascii.h"
#include "platform/utf8.h"

namespace kelu {
namespace {

char SimboloModificador(uint8_t vk) {
  switch (vk) {
    case kVkShift: return '+';
    case kVkControl: return '^';
    case kVkAlt: return '%';
    default: return '?';
  }
}

struct NombreTecla {
  std::string_view nombre;
  uint8_t vk;
};

// The first name of each key is the one DescribirEventos writes.
constexpr NombreTecla kNombres[] = {
    {"BACKSPACE", 0x08}, {"BS", 0x08}, {"BKSP", 0x08}, {"BREAK", 0x03},
    {"CAPSLOCK", 0x14}, {"CLEAR", 0x0C}, {"DELETE", 0x2E}, {"DEL", 0x2E},
    {"DOWN", 0x28}, {"END", 0x23}, {"ENTER", kVkEnter}, {"ESC", 0x1B},
    {"ESCAPE", 0x1B}, {"HELP", 0x2F}, {"HOME", 0x24}, {"INSERT", 0x2D},
    {"INS", 0x2D}, {"LEFT", 0x25}, {"NUMLOCK", 0x90}, {"PGDN", 0x22},
    {"PGUP", 0x21}, {"PRTSC", 0x2C}, {"RIGHT", 0x27}, {"SCROLLLOCK", 0x91},
    {"TAB", kVkTab}, {"UP", 0x26}, {"ADD", 0x6B}, {"SUBTRACT", 0x6D},
    {"MULTIPLY", 0x6A}, {"DIVIDE", 0x6F},
    {"F1", 0x70}, {"F2", 0x71}, {"F3", 0x72}, {"F4", 0x73},
    {"F5", 0x74}, {"F6", 0x75}, {"F7", 0x76}, {"F8", 0x77},
    {"F9", 0x78}, {"F10", 0x79}, {"F11", 0x7A}, {"F12", 0x7B},
    {"F13", 0x7C}, {"F14", 0x7D}, {"F15", 0x7E}, {"F16", 0x7F},
};

}  // namespace

std::optional<uint8_t> VkDeNombre(std::string_view nombre) {
  for (const NombreTecla& n : kNombres) {
    if (IgualesSinMayusculas(nombre, n.nombre)) return n.vk;
  }
  return std::nullopt;
}

std::string DescribirEventos(const std::vector<EventoTecla>& eventos) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string salida;
  for (const EventoTecla& e : eventos) {
    switch (e.tipo) {
      case TipoEvento::BajarModificador:
        salida += {'<', SimboloModificador(e.vk), '>'};
        break;
      case TipoEvento::SubirModificador:
        salida += {'<', '/', SimboloModificador(e.vk), '>'};
        break;
      case TipoEvento::Caracter:
        if (e.caracter == '{' || e.caracter == '<') salida += {'{', static_cast<char>(e.caracter), '}'};
        else CodificarUtf8(e.caracter, salida);
        break;
      case TipoEvento::TeclaVirtual: {
        auto n = std::find_if(std::begin(kNombres), std::end(kNombres), [&](const NombreTecla& k) { return k.vk == e.vk; });
        if (n != std::end(kNombres)) salida += "{" + std::string(n->nombre) + "}";
        else salida += {'{', 'V', 'K', ' ', kHex[e.vk >> 4], kHex[e.vk & 0xF], '}'};
        break;
      }
    }
  }
  return salida;
}

std::string TextoPlano(const std::vector<EventoTecla>& eventos) {
  std::string salida;
  for (const EventoTecla& e : eventos) {
    if (e.conModificador) continue;
    if (e.tipo == TipoEvento::Caracter) CodificarUtf8(e.caracter, salida);
    else if (e.tipo == TipoEvento::TeclaVirtual && e.vk == kVkEnter) salida += '\n';
    else if (e.tipo == TipoEvento::TeclaVirtual && e.vk == kVkTab) salida += '\t';
  }
  return salida;
}

}  // namespace kelu
