// Letter case of the ASCII letters only: key names, file extensions and the
// words of the settings file are ASCII whatever the code page.
#pragma once
#include <string_view>

namespace kelu {

constexpr char MinusculaAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal but for the case of ASCII letters.
constexpr bool IgualesSinMayusculas(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (MinusculaAscii(a[i]) != MinusculaAscii(b[i])) return false;
  return true;
}

}  // namespace kelu
