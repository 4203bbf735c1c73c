#include "keying/cadena_teclas.h"

#include <algorithm>
#include <iterator>

#include "platform/utf8.h"

namespace kelu {
namespace {

uint8_t VkDeModificador(char c) {
  switch (c) {
    case '+': return kVkShift;
    case '^': return kVkControl;
    case '%': return kVkAlt;
    default: return 0;
  }
}

// The single code point that `t` is made of, if it is exactly one.
std::optional<char32_t> UnicoCaracter(std::string_view t) {
  if (t.empty()) return std::nullopt;
  size_t pos = 0;
  std::optional<char32_t> cp = DecodificarUtf8(t, pos);
  if (!cp || pos != t.size()) return std::nullopt;
  return cp;
}

// One key as written: a character or a virtual key, typed `veces` times.
struct Tecla {
  EventoTecla evento;
  int veces = 1;
};

class Analizador {
 public:
  explicit Analizador(std::string_view texto) : t_(texto) {}

  std::optional<std::vector<EventoTecla>> Analizar() {
    if (!Secuencia(false)) return std::nullopt;
    return std::move(eventos_);
  }

 private:
  // Elements up to the end of the text, or up to and including the ')' that
  // closes a group.
  bool Secuencia(bool en_grupo) {
    int elementos = 0;
    while (pos_ < t_.size()) {
      if (t_[pos_] == ')') {
        if (!en_grupo) return false;
        ++pos_;
        return elementos > 0;
      }
      if (!Elemento()) return false;
      ++elementos;
    }
    return !en_grupo;
  }

  // Modifiers, then a group or a single key.
  bool Elemento() {
    std::vector<uint8_t> modificadores;
    while (pos_ < t_.size() && VkDeModificador(t_[pos_]) != 0) modificadores.push_back(VkDeModificador(t_[pos_++]));

    if (pos_ < t_.size() && t_[pos_] == '(') {
      if (++anidamiento_ > kMaxAnidamiento) return false;
      ++pos_;
      const size_t bajados = Bajar(modificadores);
      if (!Secuencia(true)) return false;
      Subir(bajados);
      --anidamiento_;
      return true;
    }

    std::optional<Tecla> tecla = LeerTecla();
    if (!tecla) return false;
    pulsaciones_ += tecla->veces;
    if (pulsaciones_ > kMaxPulsaciones) return false;
    if (tecla->veces == 0) return true;
    const size_t bajados = Bajar(modificadores);
    tecla->evento.conModificador = !abajo_.empty();
    eventos_.insert(eventos_.end(), tecla->veces, tecla->evento);
    Subir(bajados);
    return true;
  }

  // Presses the modifiers not already down; returns how many it pressed.
  size_t Bajar(const std::vector<uint8_t>& modificadores) {
    size_t bajados = 0;
    for (uint8_t vk : modificadores) {
      if (std::find(abajo_.begin(), abajo_.end(), vk) != abajo_.end()) continue;
      abajo_.push_back(vk);
      eventos_.push_back({TipoEvento::BajarModificador, vk, 0, false});
      ++bajados;
    }
    return bajados;
  }

  // Releases the last `cuantos` modifiers pressed, latest first.
  void Subir(size_t cuantos) {
    for (; cuantos > 0; --cuantos) {
      eventos_.push_back({TipoEvento::SubirModificador, abajo_.back(), 0, false});
      abajo_.pop_back();
    }
  }

  std::optional<Tecla> LeerTecla() {
    if (pos_ >= t_.size()) return std::nullopt;
    switch (t_[pos_]) {
      case '~': ++pos_; return Tecla{{TipoEvento::TeclaVirtual, kVkEnter, 0, false}};
      case '{': return LeerLlaves();
      case '}': case '[': case ']': case ')': return std::nullopt;
      default: break;
    }
    std::optional<char32_t> cp = DecodificarUtf8(t_, pos_);
    if (!cp) return std::nullopt;
    return Tecla{{TipoEvento::Caracter, 0, *cp, false}};
  }

  // "{name}", "{c}", "{name n}" or "{c n}"; `pos_` is at the '{'.
  std::optional<Tecla> LeerLlaves() {
    const size_t inicio = pos_ + 1;
    if (inicio >= t_.size()) return std::nullopt;
    // In "{}}" and "{} n}" the first '}' is the key, not the end.
    const size_t cierre = t_.find('}', t_[inicio] == '}' ? inicio + 1 : inicio);
    if (cierre == std::string_view::npos) return std::nullopt;
    const std::string_view dentro = t_.substr(inicio, cierre - inicio);
    pos_ = cierre + 1;

    std::string_view nombre = dentro;
    int veces = 1;
    // A single character may be a blank ("{ }"), so only look for a count
    // when the whole is not one character.
    if (!UnicoCaracter(dentro)) {
      const size_t blanco = dentro.rfind(' ');
      if (blanco != std::string_view::npos) {
        nombre = dentro.substr(0, blanco);
        std::optional<int> n = LeerCuenta(dentro.substr(blanco + 1));
        if (!n) return std::nullopt;
        veces = *n;
      }
    }
    if (std::optional<char32_t> cp = UnicoCaracter(nombre))
      return Tecla{{TipoEvento::Caracter, 0, *cp, false}, veces};
    if (std::optional<uint8_t> vk = VkDeNombre(nombre))
      return Tecla{{TipoEvento::TeclaVirtual, *vk, 0, false}, veces};
    return std::nullopt;
  }

  static std::optional<int> LeerCuenta(std::string_view texto) {
    if (texto.empty()) return std::nullopt;
    int n = 0;
    for (char c : texto) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
      if (n > kMaxRepeticiones) return std::nullopt;
    }
    return n;
  }

  std::string_view t_;
  size_t pos_ = 0;
  int anidamiento_ = 0;
  int pulsaciones_ = 0;
  std::vector<uint8_t> abajo_;  // modifiers down, in the order pressed
  std::vector<EventoTecla> eventos_;
};

}  // namespace

std::optional<std::vector<EventoTecla>> AnalizarCadenaTeclas(std::string_view texto) {
  return Analizador(texto).Analizar();
}

}  // namespace kelu
