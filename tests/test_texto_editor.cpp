#include <gtest/gtest.h>

#include "tools/notepad/texto_editor.h"

namespace kelu::editor {

TEST(ArchivoDeLineaDeOrdenes, TakesTheWholeRestWithItsBlanks) {
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe Morse ampliado.kel"), "Morse ampliado.kel");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe   a  b .kel  "), "a  b .kel");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe\tcódigo ñ.kel"), "código ñ.kel");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("C:\\KELU\\notepad.exe ..\\x y\\z.txt"), "..\\x y\\z.txt");
}

TEST(ArchivoDeLineaDeOrdenes, AQuotedProgramNameMayHoldBlanks) {
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("\"C:\\Mis programas\\notepad.exe\" Mi archivo.kel"),
            "Mi archivo.kel");
  // No blank needed after the closing quote.
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("\"C:\\a b\\notepad.exe\"x.kel"), "x.kel");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("\"C:\\a b\\notepad.exe"), "");
}

TEST(ArchivoDeLineaDeOrdenes, StripsQuotesAroundTheFile) {
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe \"Morse ampliado.kel\""), "Morse ampliado.kel");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe \" x.kel \" "), "x.kel");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe \"a b.kel"), "a b.kel");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe \"\""), "");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe \""), "");
}

TEST(ArchivoDeLineaDeOrdenes, NothingAfterTheProgramMeansNoFile) {
  EXPECT_EQ(ArchivoDeLineaDeOrdenes(""), "");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe"), "");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("notepad.exe  \t "), "");
  EXPECT_EQ(ArchivoDeLineaDeOrdenes("\"C:\\a b\\notepad.exe\"  "), "");
}

TEST(ConFinesCrLf, EveryKindOfLineEndBecomesCrLf) {
  EXPECT_EQ(ConFinesCrLf("a\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(ConFinesCrLf("a\rb"), "a\r\nb");
  EXPECT_EQ(ConFinesCrLf("a\r\nb\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(ConFinesCrLf("a\n\nb"), "a\r\n\r\nb");
  EXPECT_EQ(ConFinesCrLf("a\n\r\nb"), "a\r\n\r\nb");
  EXPECT_EQ(ConFinesCrLf("a\r\r\nb"), "a\r\n\r\nb");  // not one line end eaten by the next
  EXPECT_EQ(ConFinesCrLf("\r"), "\r\n");
  EXPECT_EQ(ConFinesCrLf("\n"), "\r\n");
  EXPECT_EQ(ConFinesCrLf(""), "");
}

TEST(ConFinesCrLf, KeepsEveryOtherByte) {
  const std::string ansi("\xF1\xD1\xA0\x00\xFF.-", 7);  // ñ Ñ, a hard blank, a NUL
  EXPECT_EQ(ConFinesCrLf(ansi), ansi);
  EXPECT_EQ(ConFinesCrLf("A .-\nB -...\n"), "A .-\r\nB -...\r\n");
}

TEST(TituloDeVentana, ShowsOnlyTheFileName) {
  EXPECT_EQ(TituloDeVentana("Morse ampliado.kel"), "Morse ampliado.kel - Bloc de notas");
  EXPECT_EQ(TituloDeVentana("C:\\KELU\\Códigos\\Morse ampliado.kel"),
            "Morse ampliado.kel - Bloc de notas");
  EXPECT_EQ(TituloDeVentana("/home/u/año.txt"), "año.txt - Bloc de notas");
  EXPECT_EQ(TituloDeVentana(""), "Sin título - Bloc de notas");
}

}  // namespace kelu::editor
