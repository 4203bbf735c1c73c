// The Windows file layer on the real file system: names beyond ASCII and
// beyond MAX_PATH, and replacing a file that exists.
#ifdef _WIN32
#include <gtest/gtest.h>

#include "platform/archivos.h"
#include "tests/archivos_prueba.h"

namespace kelu {

TEST(ArchivosWin32, NamesBeyondAsciiAreWrittenReadAndDeleted) {
  prueba::CarpetaTemporal carpeta;
  Archivos& archivos = ArchivosDelSistema();
  const std::string ruta = carpeta.En("Español ñandú 😀.lng");
  ASSERT_TRUE(archivos.Escribir(ruta, std::string("a\0b\r\n", 5)));
  EXPECT_TRUE(carpeta.Existe("Español ñandú 😀.lng"));
  EXPECT_TRUE(archivos.Abrible(ruta));
  EXPECT_EQ(archivos.Leer(ruta), std::string("a\0b\r\n", 5));
  archivos.Borrar(ruta);
  EXPECT_FALSE(archivos.Abrible(ruta));
  EXPECT_EQ(archivos.Leer(ruta), std::nullopt);
}

TEST(ArchivosWin32, AnEmptyFileReadsAsEmptyNotAsMissing) {
  prueba::CarpetaTemporal carpeta;
  ASSERT_TRUE(ArchivosDelSistema().Escribir(carpeta.En("vacio.ini"), ""));
  EXPECT_EQ(ArchivosDelSistema().Leer(carpeta.En("vacio.ini")), std::string());
}

TEST(ArchivosWin32, ReplacingPutsTheNewBytesInPlaceOfTheOld) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("kelu.ini", "viejo");
  Archivos& archivos = ArchivosDelSistema();
  ASSERT_TRUE(archivos.Escribir(carpeta.En("kelu.ini.tmp"), "nuevo"));
  ASSERT_TRUE(archivos.Reemplazar(carpeta.En("kelu.ini.tmp"), carpeta.En("kelu.ini")));
  EXPECT_EQ(carpeta.Leer("kelu.ini"), "nuevo");
  EXPECT_FALSE(carpeta.Existe("kelu.ini.tmp"));
  EXPECT_FALSE(archivos.Reemplazar(carpeta.En("no-existe.tmp"), carpeta.En("kelu.ini")));
  EXPECT_EQ(carpeta.Leer("kelu.ini"), "nuevo");
}

TEST(ArchivosWin32, APathLongerThanMaxPathStillWorks) {
  prueba::CarpetaTemporal carpeta;
  const std::string ruta = carpeta.En(std::string(240, 'k') + ".kel");
  ASSERT_GT(ruta.size(), 260u);
  Archivos& archivos = ArchivosDelSistema();
  ASSERT_TRUE(archivos.Escribir(ruta, "largo"));
  EXPECT_EQ(archivos.Leer(ruta), "largo");
  ASSERT_TRUE(archivos.Reemplazar(ruta, ruta + "2"));
  EXPECT_EQ(archivos.Leer(ruta + "2"), "largo");
  archivos.Borrar(ruta + "2");
  EXPECT_FALSE(archivos.Abrible(ruta + "2"));
}

TEST(ArchivosWin32, WritingIntoAMissingFolderFails) {
  prueba::CarpetaTemporal carpeta;
  EXPECT_FALSE(ArchivosDelSistema().Escribir(carpeta.En("no\\existe\\kelu.ini"), "x"));
}

}  // namespace kelu
#endif
