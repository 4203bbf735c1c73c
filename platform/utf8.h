// UTF-8, the program's text inside: one code point at a time, both ways.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelu {

// Decodes one code point at `pos` and moves past it; nullopt on bytes that
// are not UTF-8 (overlong forms and surrogates included).
inline std::optional<char32_t> DecodificarUtf8(std::string_view t, size_t& pos) {
  const auto b0 = static_cast<unsigned char>(t[pos]);
  int resto;
  char32_t cp;
  char32_t minimo;
  if (b0 < 0x80) { ++pos; return b0; }
  if ((b0 & 0xE0) == 0xC0) { resto = 1; cp = b0 & 0x1F; minimo = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { resto = 2; cp = b0 & 0x0F; minimo = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { resto = 3; cp = b0 & 0x07; minimo = 0x10000; }
  else return std::nullopt;
  if (pos + resto >= t.size()) return std::nullopt;
  for (int i = 1; i <= resto; ++i) {
    const auto b = static_cast<unsigned char>(t[pos + i]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += resto + 1;
  return cp;
}

// Every byte belongs to a well-formed code point.
inline bool EsUtf8(std::string_view t) {
  for (size_t pos = 0; pos < t.size();)
    if (!DecodificarUtf8(t, pos)) return false;
  return true;
}

inline void CodificarUtf8(char32_t cp, std::string& salida) {
  if (cp < 0x80) {
    salida += static_cast<char>(cp);
  } else if (cp < 0x800) {
    salida += static_cast<char>(0xC0 | (cp >> 6));
    salida += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    salida += static_cast<char>(0xE0 | (cp >> 12));
    salida += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    salida += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    salida += static_cast<char>(0xF0 | (cp >> 18));
    salida += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    salida += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    salida += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace kelu
