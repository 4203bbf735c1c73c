// The system's ANSI code page against UTF-16, for KELU's files and for the
// bundled editor, which keeps its text as UTF-16 in an edit control.
#pragma once
#include <string>
#include <string_view>

namespace kelu {

std::wstring AnsiAUtf16(std::string_view ansi);
// A character the code page lacks becomes its default character ('?') and
// sets *perdidos.
std::string Utf16AAnsi(std::wstring_view texto, bool* perdidos = nullptr);

}  // namespace kelu
