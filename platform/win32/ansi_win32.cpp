// The system's ANSI code page, whichever is in force, through UTF-16.
#include <windows.h>

#include <climits>
#include <string>

#include "platform/archivos.h"
#include "platform/win32/ansi_win32.h"

namespace kelu {
namespace {

std::wstring AUtf16(UINT pagina, std::string_view texto) {
  if (texto.empty() || texto.size() > INT_MAX) return {};
  const int n = MultiByteToWideChar(pagina, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0);
  std::wstring salida(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(pagina, 0, texto.data(), static_cast<int>(texto.size()), salida.data(), n);
  return salida;
}

// `perdidos` only for an ANSI page: the UTF-8 page refuses the flag.
std::string DeUtf16(UINT pagina, std::wstring_view texto, BOOL* perdidos = nullptr) {
  if (texto.empty() || texto.size() > INT_MAX) return {};
  const int largo = static_cast<int>(texto.size());
  const int n = WideCharToMultiByte(pagina, 0, texto.data(), largo, nullptr, 0, nullptr, nullptr);
  std::string salida(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(pagina, 0, texto.data(), largo, salida.data(), n, nullptr, perdidos);
  return salida;
}

}  // namespace

std::wstring AnsiAUtf16(std::string_view ansi) { return AUtf16(CP_ACP, ansi); }

std::string Utf16AAnsi(std::wstring_view texto, bool* perdidos) {
  BOOL usado = FALSE;
  std::string salida = DeUtf16(CP_ACP, texto, perdidos ? &usado : nullptr);
  if (perdidos) *perdidos = usado != FALSE;
  return salida;
}

std::string AnsiAUtf8(std::string_view ansi) {
  if (EsAscii(ansi)) return std::string(ansi);  // the same bytes in both
  return DeUtf16(CP_UTF8, AUtf16(CP_ACP, ansi));
}

// A character the code page lacks becomes its default character ('?').
std::string Utf8AAnsi(std::string_view utf8) {
  if (EsAscii(utf8)) return std::string(utf8);
  return DeUtf16(CP_ACP, AUtf16(CP_UTF8, utf8));
}

}  // namespace kelu
