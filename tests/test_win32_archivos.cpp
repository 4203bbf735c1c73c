// The Windows file layer on the real file system: names beyond ASCII and
// beyond MAX_PATH, and replacing a file that exists.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <share.h>

#include "config/configuracion.h"
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

TEST(ArchivosWin32, ALockedSettingsFileStaysAsItWas) {
  prueba::CarpetaTemporal carpeta;
  Configuracion c = ConfiguracionPredeterminada();
  ASSERT_TRUE(GuardarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta()));
  const std::string antes = carpeta.Leer("kelu.ini");
  // Another program holds the file open with no sharing at all.
  const std::string ascii = carpeta.En("kelu.ini");  // the temporary folder's path is plain ASCII
  const std::wstring ruta(ascii.begin(), ascii.end());
  int bloqueo = _wsopen(ruta.c_str(), _O_RDWR | _O_BINARY, _SH_DENYRW);
  ASSERT_GE(bloqueo, 0);
  // Locked is not missing: the file is there though it cannot be read.
  EXPECT_TRUE(ArchivosDelSistema().Existe(ascii));
  EXPECT_FALSE(ArchivosDelSistema().Abrible(ascii));
  c.DuracionPunto = 99;
  EXPECT_FALSE(GuardarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta()));
  _close(bloqueo);
  EXPECT_EQ(carpeta.Leer("kelu.ini"), antes);
  EXPECT_FALSE(carpeta.Existe("kelu.ini.tmp"));
}

}  // namespace kelu
#endif
