#include <gtest/gtest.h>

#include "config/configuracion.h"
#include "tests/archivos_prueba.h"

namespace kelu {
using prueba::Ansi;

namespace {
const char* kArchivoCompleto =
    "\"KELU (Sondavermo)\"\n\"Versión 1.0\"\n\"Idioma:English\"\n\"Código:mi, código\"\n\"Ubicación:Arriba\"\n"
    "\"Ajustar ancho:False\"\n\"Siempre visible:true\"\n\"Fijar puntero:0\"\n\"Mostrar pulsaciones:FALSE\"\n"
    "\"Calcular en función del punto:-1\"\n\"Duración del punto:30\"\n\"Tolerancia punto:12\"\n"
    "\"Duración de la raya:90\"\n\"Tolerancia raya:45\"\n\"Tiempo entre letras:150\"\n"
    "\"Tolerancia entre letras:5\"\n\"Tiempo entre palabras:400\"\n\"Tolerancia entre palabras:-3\"\n";
}

TEST(Configuracion, MissingFileGivesTheDefaultsAndSavesThemWhole) {
  prueba::CarpetaTemporal carpeta;
  Configuracion c;
  CargarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(c, ConfiguracionPredeterminada());
  EXPECT_EQ(c.Idioma, "Español");
  EXPECT_EQ(c.Codigo, "Morse ampliado");
  EXPECT_EQ(c.Ubicacion, "Abajo");
  EXPECT_TRUE(c.AjustarAncho && c.SiempreVisible && c.FijarPuntero && c.MostrarPulsaciones && c.CalcularSegunPunto);
  EXPECT_EQ(c.DuracionPunto, 25);
  EXPECT_EQ(c.TiempoEntreLetras, 200);

  ASSERT_TRUE(GuardarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta()));
  EXPECT_EQ(carpeta.Leer("kelu.ini"),
            Ansi("\"KELU (Sondavermo)\"\n\"Versión 1.0\"\n\"Idioma:Español\"\n\"Código:Morse ampliado\"\n"
                 "\"Ubicación:Abajo\"\n\"Ajustar ancho:True\"\n\"Siempre visible:True\"\n\"Fijar puntero:True\"\n"
                 "\"Mostrar pulsaciones:True\"\n\"Calcular en función del punto:True\"\n"
                 "\"Duración del punto:25\"\n\"Tolerancia punto:10\"\n\"Duración de la raya:75\"\n"
                 "\"Tolerancia raya:40\"\n\"Tiempo entre letras:200\"\n\"Tolerancia entre letras:0\"\n"
                 "\"Tiempo entre palabras:0\"\n\"Tolerancia entre palabras:0\"\n"));
  EXPECT_FALSE(carpeta.Existe("kelu.ini.tmp"));
}

TEST(Configuracion, ReadsPositionallyWithWordsNumbersAndCommas) {
  prueba::CarpetaTemporal carpeta;
  std::string texto = kArchivoCompleto;
  // The labels are for people only: misspelt ones change nothing.
  texto.replace(texto.find("Duración del punto"), 19, "Durasion del pnto");
  carpeta.Escribir("kelu.ini", Ansi(texto));
  Configuracion c;
  CargarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(c.Idioma, "English");
  EXPECT_EQ(c.Codigo, "mi, código");
  EXPECT_EQ(c.Ubicacion, "Arriba");
  EXPECT_FALSE(c.AjustarAncho);
  EXPECT_TRUE(c.SiempreVisible);
  EXPECT_FALSE(c.FijarPuntero);
  EXPECT_FALSE(c.MostrarPulsaciones);
  EXPECT_TRUE(c.CalcularSegunPunto);
  EXPECT_EQ(c.DuracionPunto, 30);
  EXPECT_EQ(c.ToleranciaPunto, 12);
  EXPECT_EQ(c.DuracionRaya, 90);
  EXPECT_EQ(c.ToleranciaRaya, 45);
  EXPECT_EQ(c.TiempoEntreLetras, 150);
  EXPECT_EQ(c.ToleranciaEntreLetras, 5);
  EXPECT_EQ(c.TiempoEntrePalabras, 400);
  EXPECT_EQ(c.ToleranciaEntrePalabras, -3);

  // Writing then reading back gives the same sixteen values.
  ASSERT_TRUE(GuardarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta()));
  Configuracion otra;
  CargarConfiguracion(otra, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(otra, c);
}

TEST(Configuracion, SeventeenLinesLoadEntirelyFromTheDefaults) {
  prueba::CarpetaTemporal carpeta;
  std::string texto = kArchivoCompleto;
  texto.erase(texto.rfind("\"Tolerancia entre palabras"));
  carpeta.Escribir("kelu.ini", Ansi(texto));
  Configuracion c;
  CargarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(c, ConfiguracionPredeterminada());
}

TEST(Configuracion, UnconvertibleValuesLeaveTheirFieldUnchanged) {
  prueba::CarpetaTemporal carpeta;
  std::string texto = kArchivoCompleto;
  auto reemplazar = [&](const std::string& de, const std::string& a) { texto.replace(texto.find(de), de.size(), a); };
  reemplazar("punto:30", "punto:treinta");
  reemplazar("punto:12", "punto:40000");
  reemplazar("Siempre visible:true", "Siempre visible:quizá");
  reemplazar("\"Ubicación:Arriba\"", "\"Ubicación Arriba\"");   // no colon: empty text
  reemplazar("\"Fijar puntero:0\"", "\"Fijar puntero\"");       // no colon: unchanged
  carpeta.Escribir("kelu.ini", Ansi(texto));
  Configuracion c;
  c.SiempreVisible = true;  // values before the load stay
  c.FijarPuntero = true;
  c.DuracionPunto = 7;
  CargarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(c.DuracionPunto, 7);
  EXPECT_EQ(c.ToleranciaPunto, 0);
  EXPECT_TRUE(c.SiempreVisible);
  EXPECT_TRUE(c.FijarPuntero);
  EXPECT_EQ(c.Ubicacion, "");
  EXPECT_EQ(c.DuracionRaya, 90);  // the lines after a bad one still load
}

TEST(Configuracion, TextWithAQuoteDoesNotSurviveButACommaDoes) {
  prueba::CarpetaTemporal carpeta;
  Configuracion c = ConfiguracionPredeterminada();
  c.Codigo = "uno, dos";
  c.Idioma = "el \"mejor\"";
  ASSERT_TRUE(GuardarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta()));
  Configuracion leida;
  CargarConfiguracion(leida, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(leida.Codigo, "uno, dos");
  EXPECT_NE(leida.Idioma, c.Idioma);
  EXPECT_EQ(leida.DuracionPunto, 25);  // and nothing after it shifts
}

TEST(Configuracion, AFailedWriteLeavesTheEarlierFileByteForByte) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("kelu.ini", Ansi(kArchivoCompleto));
  const std::string antes = carpeta.Leer("kelu.ini");
  prueba::ArchivosConFallos archivos;

  archivos.fallarEscrituraTras = 100;  // the disk fills up midway
  EXPECT_FALSE(GuardarConfiguracion(ConfiguracionPredeterminada(), archivos, carpeta.Ruta()));
  EXPECT_EQ(carpeta.Leer("kelu.ini"), antes);
  EXPECT_FALSE(carpeta.Existe("kelu.ini.tmp"));

  archivos.fallarEscrituraTras = -1;
  archivos.fallarReemplazo = true;  // the file is locked
  EXPECT_FALSE(GuardarConfiguracion(ConfiguracionPredeterminada(), archivos, carpeta.Ruta()));
  EXPECT_EQ(carpeta.Leer("kelu.ini"), antes);
  EXPECT_FALSE(carpeta.Existe("kelu.ini.tmp"));

  archivos.fallarReemplazo = false;
  EXPECT_TRUE(GuardarConfiguracion(ConfiguracionPredeterminada(), archivos, carpeta.Ruta()));
  EXPECT_NE(carpeta.Leer("kelu.ini"), antes);
}

TEST(Configuracion, AFolderThatCannotBeWrittenReportsFailure) {
  Configuracion c = ConfiguracionPredeterminada();
  EXPECT_FALSE(GuardarConfiguracion(c, ArchivosDelSistema(), prueba::CarpetaTemporal().En("no\\existe")));
}

// A name the ANSI code page cannot hold (a Cyrillic language name here, or
// "Español" on a Cyrillic system) must come back as it was, not as "?"s;
// what the code page holds is written as earlier versions wrote it.
TEST(Configuracion, EveryNameSurvivesASaveOnAnyCodePage) {
  struct Caso {
    std::string idioma;
    bool conMarca;
  };
  for (const Caso& caso : {Caso{"Español", false}, Caso{"Русский", true}}) {
    SCOPED_TRACE(caso.idioma);
    prueba::CarpetaTemporal carpeta;
    Configuracion c = ConfiguracionPredeterminada();
    c.Idioma = caso.idioma;
    ASSERT_TRUE(GuardarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta()));
    EXPECT_EQ(carpeta.Leer("kelu.ini").rfind("\xEF\xBB\xBF", 0) == 0, caso.conMarca);
    Configuracion leida;
    EXPECT_EQ(CargarConfiguracion(leida, ArchivosDelSistema(), carpeta.Ruta()), LecturaConfiguracion::Leida);
    EXPECT_EQ(leida, c);
  }
}

}  // namespace kelu
