// The native build's ANSI code page: Windows-1252.
#include <cstdint>

#include "platform/archivos.h"

namespace kelu {
namespace {

// Characters 0x80..0x9F of Windows-1252; 0 marks the five unused places.
constexpr char16_t kAltos[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void AnadirUtf8(std::string& salida, char32_t c) {
  if (c < 0x80) {
    salida += static_cast<char>(c);
  } else if (c < 0x800) {
    salida += static_cast<char>(0xC0 | (c >> 6));
    salida += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    salida += static_cast<char>(0xE0 | (c >> 12));
    salida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    salida += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    salida += static_cast<char>(0xF0 | (c >> 18));
    salida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    salida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    salida += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at `i`; a malformed byte stands for itself.
char32_t LeerUtf8(std::string_view texto, size_t& i) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(texto[k]); };
  unsigned char c = b(i);
  int resto = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if (resto == 0 || i + resto >= texto.size()) return b(i++);
  char32_t valor = c & (0x3F >> resto);
  for (int k = 1; k <= resto; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return b(i++);
    valor = (valor << 6) | (b(i + k) & 0x3F);
  }
  i += resto + 1;
  return valor;
}

}  // namespace

std::string AnsiAUtf8(std::string_view ansi) {
  if (EsAscii(ansi)) return std::string(ansi);  // the same bytes in both
  std::string salida;
  salida.reserve(ansi.size());
  for (unsigned char c : ansi) {
    char32_t u = c;
    if (c >= 0x80 && c < 0xA0) u = kAltos[c - 0x80] ? kAltos[c - 0x80] : c;
    AnadirUtf8(salida, u);
  }
  return salida;
}

std::string Utf8AAnsi(std::string_view utf8) {
  if (EsAscii(utf8)) return std::string(utf8);
  std::string salida;
  salida.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t u = LeerUtf8(utf8, i);
    char byte = '?';
    if (u < 0x80 || (u >= 0xA0 && u < 0x100) || (u >= 0x80 && u < 0xA0 && kAltos[u - 0x80] == 0)) {
      byte = static_cast<char>(u);  // the five unused bytes stand for themselves both ways
    } else {
      for (int k = 0; k < 32; ++k)
        if (kAltos[k] == u) byte = static_cast<char>(0x80 + k);
    }
    salida += byte;
  }
  return salida;
}

}  // namespace kelu
