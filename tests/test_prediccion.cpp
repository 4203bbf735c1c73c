#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keying/cadena_teclas.h"
#include "keying/prediccion.h"
#include "tests/archivos_prueba.h"

namespace kelu {
namespace {

CostesLetras CostesMorse() {
  TablaCodigo tabla;
  std::string codigo = "Morse ampliado";
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), prueba::CarpetaDatos());
  return CostesLetras(tabla);
}

std::vector<std::string> Palabras(const std::vector<Sugerencia>& s) {
  std::vector<std::string> p;
  for (const Sugerencia& x : s) p.push_back(x.palabra);
  return p;
}

// Keys `texto` as KELU would type it: "<" is the Backspace code, "|" an arrow key.
void Teclear(Prediccion& p, std::string_view texto) {
  for (size_t i = 0; i < texto.size(); ++i) {
    size_t n = 1;
    while (i + n < texto.size() && (static_cast<unsigned char>(texto[i + n]) & 0xC0) == 0x80) ++n;
    if (texto[i] == '<') p.Retroceso();
    else if (texto[i] == '|') p.NuevaPalabra();
    else p.Escrito(texto.substr(i, n));
    i += n - 1;
  }
}

}  // namespace

TEST(ListaPalabras, BadLinesAreSkippedTheRestIsRead) {
  const ListaPalabras l = LeerListaPalabras(
      "\xEF\xBB\xBF# comment\r\n"
      "casa 10\r\n"
      "Niño 7\n"
      "casa 5\n"          // listed twice: both counts
      "sin\n"             // no count
      "dos 3 4\n"         // one field too many
      "r2d2 9\n"          // not letters
      "menos -1\n"
      "enorme 99999999999999999999\n"
      "mal\xFF 3\n"       // not UTF-8
      "--\n"
      "la casa 4\n"
      "la 4\n"            // a word line among the pairs
      "la casa 2\n");
  ASSERT_EQ(l.palabras.size(), 2u);
  EXPECT_EQ(l.palabras[0].texto, "casa");
  EXPECT_EQ(l.palabras[0].frecuencia, 15);
  EXPECT_EQ(l.palabras[1].texto, "niño");
  EXPECT_EQ(l.pares.at("la").at("casa"), 6);
  EXPECT_EQ(l.pares.size(), 1u);
}

// The best savings first: likelihood times the units spared, not frequency
// alone; nothing that saves nothing.
TEST(Prediccion, SuggestionsRankByWhatTheySave) {
  struct Caso {
    std::string tecleado;
    std::array<int, kSugerenciasMax> costeElegir;
    std::vector<std::string> esperadas;
  };
  const std::vector<Caso> casos = {
      {"c", {14, 16, 16}, {"comunicación", "cosa", "casa"}},  // long and rarer beats short and common
      {"Ca", {14, 16, 16}, {"casa", "camión"}},               // the person's capital matches
      {"ni", {14, 16, 16}, {"niño"}},
      {"ca", {14, 70, 70}, {"casa"}},                          // second place costs more than "camión" saves
      {"cas", {24, 30, 30}, {}},                              // "a" and the space cost less than choosing
      {"x", {14, 16, 16}, {}},
      {"casa", {14, 16, 16}, {}},                             // the whole word is keyed
      {"c4", {14, 16, 16}, {}},
  };
  const ListaPalabras lista = LeerListaPalabras(
      "casa 1000\ncosa 900\ncomunicación 300\ncamión 50\nniño 20\nco 500\n");
  for (const Caso& c : casos) {
    Prediccion p(lista, CostesMorse());
    p.costeElegir = c.costeElegir;
    Teclear(p, c.tecleado);
    EXPECT_EQ(Palabras(p.Sugerencias()), c.esperadas) << c.tecleado;
  }
}

TEST(Prediccion, NextWordsComeFromPairsThenFromWhatThePersonWrote) {
  Prediccion p(LeerListaPalabras("el 10\nperro 5\ngato 5\n--\nel perro 9\nel gato 3\n"), CostesMorse());
  Teclear(p, "el ");
  EXPECT_EQ(Palabras(p.Sugerencias()), (std::vector<std::string>{"perro", "gato"}));
  Teclear(p, "gato el gato el ");
  EXPECT_EQ(Palabras(p.Sugerencias()), (std::vector<std::string>{"gato", "perro"}));
  Teclear(p, "|");
  EXPECT_TRUE(p.Sugerencias().empty());
}

TEST(Prediccion, LearnsOnlyWholeLetterWordsOfThreeOrMoreWhileOn) {
  struct Caso {
    std::string tecleado;
    bool aprender;
    std::string aprendidas;
  };
  const std::vector<Caso> casos = {
      {"Árbol ", true, "árbol 1\n"},
      {"sol\npan\tsol.", true, "sol 2\npan 1\n--\npan sol 1\nsol pan 1\n"},
      {"ya mi ", true, ""},           // under three letters
      {"abc123 r2d2 ", true, ""},     // digits
      {"casa ", false, ""},           // learning off
      {"cas|a ", true, ""},           // an arrow key cut the word
      {"casx<a ", true, "casa 1\n"},  // the Backspace code corrected it
  };
  for (const Caso& c : casos) {
    Prediccion p(LeerListaPalabras("casa 3\n"), CostesMorse());
    p.aprender = c.aprender;
    Teclear(p, c.tecleado);
    EXPECT_EQ(p.TextoAprendidas(), c.aprendidas) << c.tecleado;
  }
}

// What reached the target, key string by key string, as the window reports it.
TEST(Prediccion, TheWordFollowsTheKeysTheTargetReceived) {
  struct Caso {
    std::vector<std::string> cadenas;
    std::string enCurso, aprendidas;
  };
  const std::vector<Caso> casos = {
      {{"cas", "x", "{BACKSPACE}", "a"}, "casa", ""},
      {{"c", "+a", "sa", "~"}, "", "casa 1\n"},  // Shift alone types a letter; Enter ends the word
      {{"casa", "{TAB}"}, "", "casa 1\n"},
      {{"cas", "{LEFT}", "a"}, "a", ""},          // moved within the text: the place is unknown
      {{"cas", "^a", "a"}, "a", ""},              // a shortcut is no letter
      {{"ca", "{BS 2}", "sol "}, "", "sol 1\n"},
  };
  for (const Caso& c : casos) {
    Prediccion p(LeerListaPalabras("casa 3\n"), CostesMorse());
    for (const std::string& cadena : c.cadenas) p.Tecleado(*AnalizarCadenaTeclas(cadena));
    EXPECT_EQ(p.PalabraEnCurso(), c.enCurso) << c.cadenas.back();
    EXPECT_EQ(p.TextoAprendidas(), c.aprendidas) << c.cadenas.back();
  }
}

TEST(Prediccion, ChoosingTypesTheRestAndASpaceUndoTakesItBack) {
  Prediccion p(LeerListaPalabras("mañana 10\n"), CostesMorse());
  Teclear(p, "Ma");
  EXPECT_EQ(p.Elegir(1), std::nullopt);
  EXPECT_EQ(p.Elegir(0), "ñana ");
  EXPECT_EQ(p.TextoAprendidas(), "mañana 1\n");
  EXPECT_EQ(p.Deshacer(), 5);  // characters, not bytes
  EXPECT_EQ(p.PalabraEnCurso(), "Ma");
  EXPECT_EQ(p.TextoAprendidas(), "");
  EXPECT_EQ(p.Deshacer(), 0);  // once
  ASSERT_EQ(p.Elegir(0), "ñana ");
  Teclear(p, "x");
  EXPECT_EQ(p.Deshacer(), 0);  // only right after choosing
}

TEST(Prediccion, TheLearningFileRoundTripsCappedAndForgets) {
  Prediccion p(LeerListaPalabras("casa 3\n"), CostesMorse());
  p.CargarAprendidas("ñandú 9\nzzz 2\nbad line\n--\nñandú zzz 4\n");
  EXPECT_EQ(p.TextoAprendidas(), "ñandú 9\nzzz 2\n--\nñandú zzz 4\n");
  Teclear(p, "ñ");
  EXPECT_EQ(Palabras(p.Sugerencias()), std::vector<std::string>{"ñandú"});
  p.OlvidarAprendidas();
  EXPECT_EQ(p.TextoAprendidas(), "");
  EXPECT_TRUE(p.Sugerencias().empty());

  Prediccion q(LeerListaPalabras(""), CostesMorse());
  std::string muchas;
  for (size_t i = 0; i < kAprendidasMax + 50; ++i) {
    std::string w = "pal";
    for (size_t n = i; n; n /= 26) w += static_cast<char>('a' + n % 26);
    muchas += w + " 1\n";
  }
  q.CargarAprendidas(muchas);
  const std::string guardado = q.TextoAprendidas();
  EXPECT_EQ(static_cast<size_t>(std::count(guardado.begin(), guardado.end(), '\n')), kAprendidasMax);

  prueba::CarpetaTemporal carpeta;
  ASSERT_TRUE(GuardarAprendidas(ArchivosDelSistema(), carpeta.En("kelu.pal"), q));
  EXPECT_EQ(carpeta.Leer("kelu.pal"), guardado);
}

}  // namespace kelu
