#include <gtest/gtest.h>

#include "platform/cadenas_sistema.h"

namespace kelu {

TEST(CadenasSistema, TheProgramPathIsQuotedAndTheArgumentsFollowAsTheyAre) {
  EXPECT_EQ(LineaDeComandos("C:\\Archivos de programa\\KELU\\notepad.exe", "Morse ampliado.kel"),
            "\"C:\\Archivos de programa\\KELU\\notepad.exe\" Morse ampliado.kel");
  EXPECT_EQ(LineaDeComandos("C:\\KELU\\notepad.exe", ""), "\"C:\\KELU\\notepad.exe\"");
  EXPECT_EQ(LineaDeComandos("notepad.exe", "\"a b\" c"), "\"notepad.exe\" \"a b\" c");
}

TEST(CadenasSistema, AFilterIsDescriptionAndPatternEachEndedAndThenAnEmptyOne) {
  const std::string filtro = FiltroDeArchivos(std::string("Archivos de idioma (*.lng)"), std::string("*.lng"));
  EXPECT_EQ(filtro, std::string("Archivos de idioma (*.lng)\0*.lng\0\0", 34));
  const std::u16string ancho = FiltroDeArchivos(std::u16string(u"Código"), std::u16string(u"*.kel"));
  EXPECT_EQ(ancho.size(), 14u);
  EXPECT_EQ(ancho[6], u'\0');
  EXPECT_EQ(ancho.substr(7, 5), u"*.kel");
  EXPECT_EQ(ancho.back(), u'\0');
}

}  // namespace kelu
