#include "platform/numeros.h"

#include "platform/ascii.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kelu {
namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// Collects the number at the start of `texto` into plain C syntax (blanks
// dropped, 'D' exponent turned into 'E'). `resto` is what follows it.
std::string ExtraerNumero(std::string_view texto, std::string_view* resto) {
  std::string numero;
  size_t i = 0;
  auto saltar = [&] { while (i < texto.size() && EsBlanco(texto[i])) ++i; };
  saltar();
  if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) numero += texto[i++];
  bool digitos = false, punto = false;
  for (saltar(); i < texto.size(); saltar()) {
    char c = texto[i];
    if (EsDigito(c)) { numero += c; digitos = true; ++i; }
    else if (c == '.' && !punto) { numero += c; punto = true; ++i; }
    else break;
  }
  if (digitos && i < texto.size() && (texto[i] == 'e' || texto[i] == 'E' || texto[i] == 'd' || texto[i] == 'D')) {
    size_t j = i + 1;
    std::string exponente = "e";
    auto saltarJ = [&] { while (j < texto.size() && EsBlanco(texto[j])) ++j; };
    saltarJ();
    if (j < texto.size() && (texto[j] == '+' || texto[j] == '-')) exponente += texto[j++];
    bool cifras = false;
    for (saltarJ(); j < texto.size() && EsDigito(texto[j]); saltarJ()) { exponente += texto[j++]; cifras = true; }
    if (cifras) { numero += exponente; i = j; }
  }
  if (resto) *resto = texto.substr(i);
  return digitos ? numero : std::string();
}

}  // namespace

double LeerNumero(std::string_view texto) {
  std::string numero = ExtraerNumero(texto, nullptr);
  if (numero.empty()) return 0.0;
  return std::strtod(numero.c_str(), nullptr);  // the "C" locale: '.' is the point
}

std::optional<int16_t> Redondear16(double valor) {
  if (!std::isfinite(valor)) return std::nullopt;
  double entero = std::nearbyint(valor);  // default rounding mode: halves to even
  if (entero < -32768.0 || entero > 32767.0) return std::nullopt;
  return static_cast<int16_t>(entero);
}

int RedondearPar(double valor) { return static_cast<int>(std::nearbyint(valor)); }

std::optional<int16_t> Entero16DeTexto(std::string_view texto) {
  std::string_view resto;
  std::string numero = ExtraerNumero(texto, &resto);
  for (char c : resto)
    if (!EsBlanco(c)) return std::nullopt;
  if (numero.empty()) return std::nullopt;
  return Redondear16(std::strtod(numero.c_str(), nullptr));
}

std::optional<bool> BooleanoDeTexto(std::string_view texto) {
  while (!texto.empty() && EsBlanco(texto.front())) texto.remove_prefix(1);
  while (!texto.empty() && EsBlanco(texto.back())) texto.remove_suffix(1);
  if (IgualesSinMayusculas(texto, "true")) return true;
  if (IgualesSinMayusculas(texto, "false")) return false;
  std::string_view resto;
  std::string numero = ExtraerNumero(texto, &resto);
  if (numero.empty() || !resto.empty()) return std::nullopt;
  return std::strtod(numero.c_str(), nullptr) != 0.0;
}

namespace {
std::optional<int16_t> En16(long valor) {
  if (valor < -32768 || valor > 32767) return std::nullopt;
  return static_cast<int16_t>(valor);
}
}  // namespace

std::optional<int16_t> Suma16(int a, int b) { return En16(static_cast<long>(a) + b); }
std::optional<int16_t> Resta16(int a, int b) { return En16(static_cast<long>(a) - b); }
std::optional<int16_t> Producto16(int a, int b) { return En16(static_cast<long>(a) * b); }

std::string TextoDeNumero(double valor) {
  if (valor == 0.0) return "0";  // also turns -0 into "0"
  char buffer[40];
  if (valor == std::trunc(valor) && std::fabs(valor) < 1e15) {  // whole numbers in plain digits
    std::snprintf(buffer, sizeof buffer, "%.0f", valor);
    return buffer;
  }
  for (int cifras = 1; cifras <= 17; ++cifras) {
    std::snprintf(buffer, sizeof buffer, "%.*g", cifras, valor);
    if (std::strtod(buffer, nullptr) == valor) break;
  }
  return buffer;
}

}  // namespace kelu
