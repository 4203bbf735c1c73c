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
  EXPECT_EQ(t.Entrada(IdTexto::PresentacionNombre), "texto 1");
  EXPECT_EQ(t.Entrada(IdTexto::TituloAviso), "texto 46");
  EXPECT_EQ(t.Entrada(static_cast<IdTexto>(TextosIdioma::kEntradas)), "texto " + std::to_string(TextosIdioma::kEntradas));
  EXPECT_EQ(t.Entrada(IdTexto::MensajePuntoCero), "texto 39");
  EXPECT_EQ(t.Entrada(IdTexto::TituloAviso), "texto 46");
}

TEST(Idioma, AShortFileKeepsTheEarlierTextsOfTheLaterEntries) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("Completo.lng", Ansi(Lineas(1, 46, "viejo ")));
  carpeta.Escribir("Corto.lng", Ansi(Lineas(1, 44, "nuevo ")));
  TextosIdioma t;
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Completo.lng"));
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Corto.lng"));
  EXPECT_EQ(t.Entrada(IdTexto::MensajeCodigoNoEditable), "nuevo 44");
  EXPECT_EQ(t.Entrada(IdTexto::MensajeNoSeAbrio), "viejo 45");
  EXPECT_EQ(t.Entrada(IdTexto::TituloAviso), "viejo 46");
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Falta.lng"));  // a missing file changes nothing
  EXPECT_EQ(t.Entrada(IdTexto::PresentacionNombre), "nuevo 1");
}

// A file written for the design's 46 entries leaves the later ones their
// built-in texts, whatever file was read before it.
TEST(Idioma, AFileOfTheDesignsEntriesLeavesTheLaterOnesBuiltIn) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("Antiguo.lng", Ansi(Lineas(1, 46, "antiguo ")));
  TextosIdioma t;
  CargarIdioma(t, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "English.lng"));
  CargarIdioma(t, ArchivosDelSistema(), carpeta.En("Antiguo.lng"));
  EXPECT_EQ(t.Entrada(IdTexto::TituloAviso), "antiguo 46");
  const TextosIdioma incorporados;
  for (int n = 47; n <= TextosIdioma::kEntradas; ++n) {
    EXPECT_FALSE(incorporados.Entrada(static_cast<IdTexto>(n)).empty()) << n;
    EXPECT_EQ(t.Entrada(static_cast<IdTexto>(n)), incorporados.Entrada(static_cast<IdTexto>(n))) << n;
  }
}

TEST(Idioma, AQuotedCommaIsOneItemAndAnUnquotedOneShiftsTheRest) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("ConComillas.lng", Ansi("\"Hola, mundo\"\nsegundo\n"));
  carpeta.Escribir("SinComillas.lng", Ansi("Hola, mundo\nsegundo\n"));
  TextosIdioma con, sin;
  CargarIdioma(con, ArchivosDelSistema(), carpeta.En("ConComillas.lng"));
  CargarIdioma(sin, ArchivosDelSistema(), carpeta.En("SinComillas.lng"));
  EXPECT_EQ(con.Entrada(IdTexto::PresentacionNombre), "Hola, mundo");
  EXPECT_EQ(con.Entrada(IdTexto::PresentacionMarca), "segundo");
  EXPECT_EQ(sin.Entrada(IdTexto::PresentacionNombre), "Hola");
  EXPECT_EQ(sin.Entrada(IdTexto::PresentacionMarca), "mundo");
  EXPECT_EQ(sin.Entrada(IdTexto::PresentacionLema), "segundo");
}

TEST(Idioma, ShippedFilesHoldEveryEntryInTheirCodePage) {
  for (const char* nombre : {"Español.lng", "English.lng"}) {
    TextosIdioma t;
    CargarIdioma(t, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), nombre));
    EXPECT_EQ(t.Entrada(IdTexto::PresentacionNombre), "KELU") << nombre;
    EXPECT_EQ(t.Entrada(IdTexto::TituloKelu), "KELU") << nombre;
    for (int n = 1; n <= TextosIdioma::kEntradas; ++n) EXPECT_FALSE(t.Entrada(static_cast<IdTexto>(n)).empty()) << nombre << " entry " << n;
  }
  TextosIdioma es, en;
  const TextosIdioma incorporados;
  CargarIdioma(es, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "Español.lng"));
  CargarIdioma(en, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "English.lng"));
  // The built-in texts are the Spanish file's, and the English file has its own.
  for (int n = 47; n <= TextosIdioma::kEntradas; ++n) {
    EXPECT_EQ(es.Entrada(static_cast<IdTexto>(n)), incorporados.Entrada(static_cast<IdTexto>(n))) << n;
    EXPECT_NE(en.Entrada(static_cast<IdTexto>(n)), incorporados.Entrada(static_cast<IdTexto>(n))) << n;
  }
  EXPECT_EQ(en.Entrada(IdTexto::AvisoCtrlIOcupada), "Another program already uses CTRL+I. KELU works as usual, but CTRL+I will not bring it to the front.");
  EXPECT_EQ(es.Entrada(IdTexto::PresentacionVersion), "Versión ");
  EXPECT_EQ(es.Entrada(IdTexto::AyudaBlocDeNotas), "F6: Bloc de notas  -  CTRL+I: KELU");
  EXPECT_EQ(es.Entrada(IdTexto::EtiquetaPunto), "Duración del \"punto\" (en centésimas de seg.):");
  EXPECT_EQ(es.Entrada(IdTexto::EtiquetaRaya), "Duración de la \"raya\" :");
  EXPECT_EQ(es.Entrada(IdTexto::BotonCancelar), "&Cancelar");
}

}  // namespace kelu
