// UTF-8 inside the program, UTF-16 across the Windows boundary. Portable (no
// system calls), so the native tests check it too; the unit type is a
// template parameter because wchar_t is 16 bits only on Windows.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace kelu {

inline constexpr char32_t kSustituto = 0xFFFD;  // stands for a malformed sequence

// A malformed byte, an overlong form, a surrogate or a value beyond U+10FFFF
// gives one U+FFFD and decoding goes on at the next byte.
template <class Unidad = wchar_t>
std::basic_string<Unidad> Utf8AUtf16(std::string_view texto) {
  static_assert(sizeof(Unidad) == 2, "UTF-16 units");
  std::basic_string<Unidad> salida;
  salida.reserve(texto.size());
  auto byte = [&](size_t k) { return static_cast<unsigned char>(texto[k]); };
  for (size_t i = 0; i < texto.size();) {
    const unsigned char c = byte(i);
    char32_t valor = kSustituto;
    size_t largo = 1;
    const size_t resto = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
    if (c < 0x80) {
      valor = c;
    } else if (resto > 0 && i + resto < texto.size()) {
      char32_t v = c & (0x3F >> resto);
      bool bien = true;
      for (size_t k = 1; k <= resto; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
          bien = false;
          break;
        }
        v = (v << 6) | (byte(i + k) & 0x3F);
      }
      const char32_t minimo = resto == 1 ? 0x80 : resto == 2 ? 0x800 : 0x10000;
      if (bien && v >= minimo && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
        valor = v;
        largo = resto + 1;
      }
    }
    if (valor >= 0x10000) {
      valor -= 0x10000;
      salida += static_cast<Unidad>(0xD800 + (valor >> 10));
      salida += static_cast<Unidad>(0xDC00 + (valor & 0x3FF));
    } else {
      salida += static_cast<Unidad>(valor);
    }
    i += largo;
  }
  return salida;
}

// A lone surrogate gives U+FFFD.
template <class Unidad>
std::string Utf16AUtf8(std::basic_string_view<Unidad> texto) {
  static_assert(sizeof(Unidad) == 2, "UTF-16 units");
  std::string salida;
  salida.reserve(texto.size());
  for (size_t i = 0; i < texto.size(); ++i) {
    char32_t c = static_cast<char16_t>(texto[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < texto.size() && static_cast<char16_t>(texto[i + 1]) >= 0xDC00 &&
        static_cast<char16_t>(texto[i + 1]) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(texto[i + 1]) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kSustituto;
    }
    CodificarUtf8(c, salida);
  }
  return salida;
}

template <class Unidad>
std::string Utf16AUtf8(const std::basic_string<Unidad>& texto) {
  return Utf16AUtf8(std::basic_string_view<Unidad>(texto));
}

// How many of the first `maximo` units can be kept without cutting a
// surrogate pair in two: a title read into a short buffer may end in the
// first half of a pair.
template <class Unidad>
size_t CorteSinPartir(std::basic_string_view<Unidad> texto, size_t maximo) {
  if (texto.size() <= maximo) return texto.size();
  if (maximo == 0) return 0;
  const char16_t ultima = static_cast<char16_t>(texto[maximo - 1]);
  return ultima >= 0xD800 && ultima <= 0xDBFF ? maximo - 1 : maximo;
}

// The UTF-16 length of a UTF-8 text: positions in an edit box count units,
// the program counts bytes.
inline size_t UnidadesUtf16(std::string_view texto) { return Utf8AUtf16<char16_t>(texto).size(); }

}  // namespace kelu
