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

// `perdida`, when given, tells whether a character had no place in the code
// page; no "best fit" then either, so ñ does not quietly become n on a
// Cyrillic system. UTF-8 has a place for every one, and refuses the question.
std::string DeUtf16(UINT pagina, std::wstring_view texto, bool* perdida = nullptr) {
  if (perdida) *perdida = false;
  if (texto.empty() || texto.size() > INT_MAX) return {};
  const int largo = static_cast<int>(texto.size());
  const bool preguntar = perdida && pagina != CP_UTF8 && !(pagina == CP_ACP && GetACP() == CP_UTF8);
  const DWORD banderas = preguntar ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL usado = FALSE;
  const int n = WideCharToMultiByte(pagina, banderas, texto.data(), largo, nullptr, 0, nullptr,
                                    preguntar ? &usado : nullptr);
  std::string salida(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(pagina, banderas, texto.data(), largo, salida.data(), n, nullptr, nullptr);
  if (perdida) *perdida = usado != FALSE || n <= 0;
  return salida;
}

}  // namespace

std::wstring AnsiAUtf16(std::string_view ansi) { return AUtf16(CP_ACP, ansi); }

std::string Utf16AAnsi(std::wstring_view texto, bool* perdidos) { return DeUtf16(CP_ACP, texto, perdidos); }

std::string AnsiAUtf8(std::string_view ansi) {
  if (EsAscii(ansi)) return std::string(ansi);  // the same bytes in both
  return DeUtf16(CP_UTF8, AUtf16(CP_ACP, ansi));
}

std::optional<std::string> Utf8AAnsi(std::string_view utf8) {
  if (EsAscii(utf8)) return std::string(utf8);
  bool perdida = false;
  std::string ansi = DeUtf16(CP_ACP, AUtf16(CP_UTF8, utf8), &perdida);
  if (perdida) return std::nullopt;
  return ansi;
}

}  // namespace kelu
