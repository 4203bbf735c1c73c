// Number and truth rules shared by every reader: the settings file, code
// files and the options dialog all read numbers the same way.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelu {

// The leading number of a text, as Val reads it: blanks, tabs and line feeds
// are skipped anywhere; sign, digits, one '.', exponent E or D; reading stops
// at the first character that cannot continue the number; no number is 0.
double LeerNumero(std::string_view texto);

// Round to nearest, halves to even, into 16 bits; nullopt on overflow.
std::optional<int16_t> Redondear16(double valor);

// To the nearest integer, halves to even, for screen arithmetic.
int RedondearPar(double valor);

// A text that must be a number as a whole (blanks around it allowed),
// rounded into 16 bits; nullopt when it is not a number or overflows.
std::optional<int16_t> Entero16DeTexto(std::string_view texto);

// "True"/"False" in any case, or a number (0 false, anything else true).
std::optional<bool> BooleanoDeTexto(std::string_view texto);

// 16-bit arithmetic that reports overflow instead of wrapping.
std::optional<int16_t> Suma16(int a, int b);
std::optional<int16_t> Resta16(int a, int b);
std::optional<int16_t> Producto16(int a, int b);

// Shortest decimal text that LeerNumero reads back as exactly `valor`.
std::string TextoDeNumero(double valor);

}  // namespace kelu
