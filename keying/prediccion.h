// Word prediction: the word lists, the word being keyed, the suggestions
// that complete it, and the words the person taught KELU. Pure logic: the
// window feeds it what KELU typed and types what the person chose.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "keying/tabla_codigo.h"
#include "platform/archivos.h"
#include "platform/teclas.h"

namespace kelu {

// Time units a code costs the person: a dot one, a dash three, one between
// its symbols and three after it (the letter gap).
int UnidadesDeCodigo(std::string_view codigo);

// What each letter costs to key, from the code table; a letter the table
// lacks costs as a long letter would.
class CostesLetras {
 public:
  CostesLetras() = default;
  explicit CostesLetras(const TablaCodigo& tabla);
  int Letra(std::string_view letra) const;       // one character, UTF-8
  int Texto(std::string_view texto) const;       // the sum over its characters
  int espacio = 16;                              // the word separator
 private:
  std::unordered_map<std::string, int> costes_;
};

// Lower case for the letters KELU types (ASCII and Latin-1: "Ñ" -> "ñ").
std::string Minusculas(std::string_view palabra);

struct Palabra {
  std::string texto;       // lower case, UTF-8
  int64_t frecuencia = 0;  // from the shipped list
  int64_t aprendida = 0;   // times the person typed or chose it
  int unidades = 0;        // what keying it whole costs
};

// A word list: "word count" lines, then a line "--" and "word next count"
// pairs. Lines starting with '#', malformed lines, words with characters
// that are not letters, and negative or huge counts are skipped.
struct ListaPalabras {
  std::vector<Palabra> palabras;  // sorted by texto, one entry per word
  std::unordered_map<std::string, std::unordered_map<std::string, int64_t>> pares;
};
ListaPalabras LeerListaPalabras(std::string_view texto);

struct Sugerencia {
  std::string palabra;  // the whole word, lower case
  std::string resto;    // what choosing it types, its space included
  int ahorro = 0;       // time units it spares
  bool operator==(const Sugerencia&) const = default;
};

inline constexpr int kSugerenciasMax = 3;
// The code table texts that choose suggestion 1, 2 or 3, and the one that
// takes back the last word chosen.
inline constexpr const char* kElegirPalabra[kSugerenciasMax] = {"{PALABRA1}", "{PALABRA2}", "{PALABRA3}"};
inline constexpr const char* kDeshacerPalabra = "{DESHACERPALABRA}";
inline constexpr size_t kAprendidasMax = 4000;  // words, and pairs, kept in the learning file

class Prediccion {
 public:
  Prediccion() = default;
  Prediccion(ListaPalabras lista, CostesLetras costes);

  // What it costs to choose suggestion i (0..2): the way the person chooses.
  std::array<int, kSugerenciasMax> costeElegir{14, 16, 16};
  bool aprender = true;

  // What KELU typed: one key string's text. A letter adds to the word; any
  // other character (space, Enter, Tab, punctuation) ends it; digits stay
  // in the word but keep it from being learned.
  void Escrito(std::string_view texto);
  void Retroceso();     // the Backspace code: takes the last character
  void NuevaPalabra();  // an arrow key or another target: forget the word
  // What reached the target, as key events: characters as Escrito, Enter
  // and Tab end the word, Backspace takes a character back, and any other
  // key (an arrow, a key with a modifier down) leaves the place unknown.
  void Tecleado(const std::vector<EventoTecla>& eventos);

  const std::string& PalabraEnCurso() const { return actual_; }
  // Up to three, best first: the completions of the word being keyed, or
  // with nothing keyed the likely next words (after the previous word when
  // a pair knows it, else the likeliest of all). Never one that saves nothing.
  std::vector<Sugerencia> Sugerencias() const;

  // The rest of suggestion i and a space, for the window to type; the word
  // is accepted (and learned). Nullopt when there is no such suggestion.
  std::optional<std::string> Elegir(int i);
  // How many Backspaces take back the last accepted word; 0 when the last
  // thing typed was not an accepted word. Forgets that word's learning.
  int Deshacer();
  // What Deshacer would take back, without taking it.
  int PorDeshacer() const { return aceptada_.empty() ? 0 : tecleadasAceptada_; }

  // The learning file: the person's words and pairs in the list's format.
  std::string TextoAprendidas() const;
  void CargarAprendidas(std::string_view texto);
  void OlvidarAprendidas();

 private:
  void Terminar(bool aprendible);
  void Aprender(const std::string& palabra, int64_t cuanto);
  Palabra* Buscar(const std::string& palabra);

  ListaPalabras lista_;
  CostesLetras costes_;
  int64_t pesoAprendida_ = 1;  // a learned use weighs as this much frequency
  std::vector<std::string> frecuentes_;  // the list's likeliest words, for a next word no pair knows
  std::string actual_, anterior_;
  bool conDigitos_ = false;
  std::string aceptada_;  // the last accepted word, until anything else is typed
  int tecleadasAceptada_ = 0;
  std::string prefijoAceptada_, anteriorAceptada_;  // as they were before it
  std::unordered_map<std::string, std::unordered_map<std::string, int64_t>> paresAprendidos_;
};

// The learning file beside kelu.ini, written atomically; a file that cannot
// be written leaves the earlier one as it was.
[[nodiscard]] bool GuardarAprendidas(Archivos& archivos, const std::string& ruta, const Prediccion& p);

}  // namespace kelu
