// The native build's ANSI code page: Windows-1252.
#include <cstdint>

#include "platform/archivos.h"
#include "platform/utf8.h"

namespace kelu {
namespace {

// Characters 0x80..0x9F of Windows-1252; 0 marks the five unused places.
constexpr char16_t kAltos[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

}  // namespace

std::string AnsiAUtf8(std::string_view ansi) {
  if (EsAscii(ansi)) return std::string(ansi);  // the same bytes in both
  std::string salida;
  salida.reserve(ansi.size());
  for (unsigned char c : ansi) {
    char32_t u = c;
    if (c >= 0x80 && c < 0xA0) u = kAltos[c - 0x80] ? kAltos[c - 0x80] : c;
    CodificarUtf8(u, salida);
  }
  return salida;
}

std::optional<std::string> Utf8AAnsi(std::string_view utf8) {
  if (EsAscii(utf8)) return std::string(utf8);
  std::string salida;
  salida.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    // A byte that is not UTF-8 stands for itself.
    std::optional<char32_t> leido = DecodificarUtf8(utf8, i);
    char32_t u = leido ? *leido : static_cast<unsigned char>(utf8[i++]);
    std::optional<char> byte;
    if (u < 0x80 || (u >= 0xA0 && u < 0x100) || (u >= 0x80 && u < 0xA0 && kAltos[u - 0x80] == 0)) {
      byte = static_cast<char>(u);  // the five unused bytes stand for themselves both ways
    } else {
      for (int k = 0; k < 32; ++k)
        if (kAltos[k] == u) byte = static_cast<char>(0x80 + k);
    }
    if (!byte) return std::nullopt;
    salida += *byte;
  }
  return salida;
}

}  // namespace kelu
