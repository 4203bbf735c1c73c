#include <gtest/gtest.h>

#include "platform/headless/toolkit_headless.h"
#include "startup/ayuda.h"
#include "tests/archivos_prueba.h"

namespace kelu {

class Ayuda : public ::testing::Test {
 protected:
  Ayuda() {
    kit.carpetaPrograma = carpeta.Ruta();
    for (const char* pagina : {"kelu_español.html", "kelu_English.html"})
      carpeta.Escribir(pagina, "<html></html>");
    programa = std::make_unique<Programa>(kit, kit, ArchivosDelSistema());
  }
  std::string Abrir(const std::string& idioma) {
    programa->configuracion.Idioma = idioma;
    AbrirAyuda(*programa, dueno);
    return kit.documentosAbiertos.back();
  }

  prueba::CarpetaTemporal carpeta;
  ToolkitHeadless kit;
  Ventana dueno{kit, "frmOpciones", "Opciones", 100, 100};
  std::unique_ptr<Programa> programa;
};

TEST_F(Ayuda, TheLanguagesOwnPageIsFoundWhateverItsCaseAndBlanks) {
  EXPECT_EQ(Abrir("Español"), carpeta.En("kelu_Español.html"));
  EXPECT_EQ(Abrir(" English "), carpeta.En("kelu_English.html"));
}

TEST_F(Ayuda, ALanguageWithoutAPageGetsTheSpanishOneUnchecked) {
  EXPECT_EQ(Abrir("Deutsch"), carpeta.En("kelu_español.html"));
  EXPECT_EQ(Abrir(""), carpeta.En("kelu_español.html"));
  prueba::CarpetaTemporal vacia;
  kit.carpetaPrograma = vacia.Ruta();
  programa = std::make_unique<Programa>(kit, kit, ArchivosDelSistema());
  EXPECT_EQ(Abrir("Español"), vacia.En("kelu_español.html"));
  EXPECT_EQ(kit.documentosAbiertos.size(), 3u);
}

}  // namespace kelu
