// UTF-8 inside the program, UTF-16 across the Windows boundary. Portable (no
// system calls), so the native tests check it too; the unit type is a
// template parameter because wchar_t is 16 bits only on Windows.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace kelu {

inline constexpr char32_t kSustituto = 0xFFFD;  // stands for a malformed sequence

// One code point as one UTF-16 unit, or two (a surrogate pair) beyond the
// BMP; returns how many.
inline int CodificarUtf16(char32_t cp, char16_t (&unidades)[2]) {
  if (cp < 0x10000) {
    unidades[0] = static_cast<char16_t>(cp);
    return 1;
  }
  cp -= 0x10000;
  unidades[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
  unidades[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  return 2;
}

// A malformed byte, an overlong form, a surrogate or a value beyond U+10FFFF
// gives one U+FFFD and decoding goes on at the next byte.
template <class Unidad = wchar_t>
std::basic_string<Unidad> Utf8AUtf16(std::string_view texto) {
  static_assert(sizeof(Unidad) == 2, "UTF-16 units");
  std::basic_string<Unidad> salida;
  salida.reserve(texto.size());
  for (size_t i = 0; i < texto.size();) {
    std::optional<char32_t> valor = DecodificarUtf8(texto, i);
    if (!valor) {
      valor = kSustituto;
      ++i;
    }
    char16_t unidades[2];
    const int n = CodificarUtf16(*valor, unidades);
    for (int k = 0; k < n; ++k) salida += static_cast<Unidad>(unidades[k]);
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
