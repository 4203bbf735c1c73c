#include <gtest/gtest.h>

#include "config/idioma.h"
#include "tests/archivos_prueba.h"

namespace kelu {
using prueba::Ansi;

namespace {
std::string Lineas(int desde, int hasta, const std::string& prefijo) {
  std::string texto;
  for (int i = desde; i <= hasta; ++i) texto += prefijo + std::to_string(i) + "\n";
  return texto;
}
}  // namespace

TEST(Idioma, FullFileFillsEveryEntryAndIgnoresTheRest) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("Prueba.lng", Ansi(Lineas(1, TextosIdioma::kEntradas + 1, "texto ")));
  TextosIdioma t;
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Prueba.lng"));
  EXPECT_EQ(t.Entrada(1), "texto 1");
  EXPECT_EQ(t.Entrada(46), "texto 46");
  EXPECT_EQ(t.Entrada(TextosIdioma::kEntradas), "texto " + std::to_string(TextosIdioma::kEntradas));
  EXPECT_EQ(t.Mensajes(0), "texto 39");
  EXPECT_EQ(t.Mensajes(7), "texto 46");
}

TEST(Idioma, AShortFileKeepsTheEarlierTextsOfTheLaterEntries) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("Completo.lng", Ansi(Lineas(1, 46, "viejo ")));
  carpeta.Escribir("Corto.lng", Ansi(Lineas(1, 44, "nuevo ")));
  TextosIdioma t;
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Completo.lng"));
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Corto.lng"));
  EXPECT_EQ(t.Entrada(44), "nuevo 44");
  EXPECT_EQ(t.Entrada(45), "viejo 45");
  EXPECT_EQ(t.Entrada(46), "viejo 46");
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Falta.lng"));  // a missing file changes nothing
  EXPECT_EQ(t.Entrada(1), "nuevo 1");
}

// A file written for the design's 46 entries leaves the later ones their
// built-in texts, whatever file was read before it.
TEST(Idioma, AFileOfTheDesignsEntriesLeavesTheLaterOnesBuiltIn) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("Antiguo.lng", Ansi(Lineas(1, 46, "antiguo ")));
  TextosIdioma t;
  CargarIdioma(t, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "English.lng"));
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Antiguo.lng"));
  EXPECT_EQ(t.Entrada(46), "antiguo 46");
  const TextosIdioma incorporados;
  for (int n = 47; n <= TextosIdioma::kEntradas; ++n) {
    EXPECT_FALSE(incorporados.Entrada(n).empty()) << n;
    EXPECT_EQ(t.Entrada(n), incorporados.Entrada(n)) << n;
  }
}

TEST(Idioma, AQuotedCommaIsOneItemAndAnUnquotedOneShiftsTheRest) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("ConComillas.lng", Ansi("\"Hola, mundo\"\nsegundo\n"));
  carpeta.Escribir("SinComillas.lng", Ansi("Hola, mundo\nsegundo\n"));
  TextosIdioma con, sin;
  CargarIdioma(con, ArchivosDelSistema(), carpeta.En("ConComillas.lng"));
  CargarIdioma(sin, ArchivosDelSistema(), carpeta.En("SinComillas.lng"));
  EXPECT_EQ(con.Entrada(1), "Hola, mundo");
  EXPECT_EQ(con.Entrada(2), "segundo");
  EXPECT_EQ(sin.Entrada(1), "Hola");
  EXPECT_EQ(sin.Entrada(2), "mundo");
  EXPECT_EQ(sin.Entrada(3), "segundo");
}

TEST(Idioma, ShippedFilesHoldEveryEntryInTheirCodePage) {
  for (const char* nombre : {"Español.lng", "English.lng"}) {
    TextosIdioma t;
    CargarIdioma(t, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), nombre));
    EXPECT_EQ(t.Entrada(1), "KELU") << nombre;
    EXPECT_EQ(t.Entrada(7), "KELU") << nombre;
    for (int n = 1; n <= TextosIdioma::kEntradas; ++n) EXPECT_FALSE(t.Entrada(n).empty()) << nombre << " entry " << n;
  }
  TextosIdioma es, en;
  const TextosIdioma incorporados;
  CargarIdioma(es, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "Español.lng"));
  CargarIdioma(en, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "English.lng"));
  // The built-in texts are the Spanish file's, and the English file has its own.
  for (int n = 47; n <= TextosIdioma::kEntradas; ++n) {
    EXPECT_EQ(es.Entrada(n), incorporados.Entrada(n)) << n;
    EXPECT_NE(en.Entrada(n), incorporados.Entrada(n)) << n;
  }
  EXPECT_EQ(en.Entrada(48), "Another program already uses CTRL+I. KELU works as usual, but CTRL+I will not bring it to the front.");
  EXPECT_EQ(es.Entrada(4), "Versión ");
  EXPECT_EQ(es.Entrada(10), "F6: Bloc de notas  -  CTRL+I: KELU");
  EXPECT_EQ(es.Entrada(29), "Duración del \"punto\" (en centésimas de seg.):");
  EXPECT_EQ(es.Entrada(31), "Duración de la \"raya\" :");
  EXPECT_EQ(es.Entrada(38), "&Cancelar");
}

}  // namespace kelu
