#include <gtest/gtest.h>

#include "keying/tabla_codigo.h"
#include "tests/archivos_prueba.h"

namespace kelu {
using prueba::Ansi;

TEST(TablaCodigo, CountLimitsTheEntriesAndSplitsAtTheFirstColon) {
  TablaCodigo t = TablaDeTexto("Códigos: 3\r\n.-:a\r\n.-.-:{ENTER}\r\n---...:::\r\n-:t\r\n");
  ASSERT_EQ(t.CantidadCodigos(), 3);  // the fourth entry line is ignored
  EXPECT_EQ(TextoDeCodigo(t, ".-"), "a");
  EXPECT_EQ(TextoDeCodigo(t, ".-.-"), "{ENTER}");
  EXPECT_EQ(TextoDeCodigo(t, "---..."), "::");
  EXPECT_EQ(TextoDeCodigo(t, "-"), "");
}

TEST(TablaCodigo, LookupIsExactAndTheFirstMatchWins) {
  TablaCodigo t = TablaDeTexto("x:4\r\n.-:a\r\n.- :b\r\n.-:c\r\n\"..:i, j\"\r\n");
  EXPECT_EQ(TextoDeCodigo(t, ".-"), "a");
  EXPECT_EQ(TextoDeCodigo(t, ".- "), "b");  // nothing is trimmed
  EXPECT_EQ(TextoDeCodigo(t, ".."), "i, j");
  EXPECT_EQ(TextoDeCodigo(t, "..."), "");
  EXPECT_EQ(TextoDeCodigo(t, "//espacio//"), " ");
  EXPECT_EQ(TextoDeCodigo(TablaDeTexto("x:1\r\n//espacio//:{ENTER}\r\n"), "//espacio//"), "{ENTER}");
  // An empty code is no code: nothing pending must never type anything.
  EXPECT_EQ(TextoDeCodigo(TablaDeTexto("x:2\r\n:x\r\n.-:a\r\n"), ""), "");
}

TEST(TablaCodigo, AnUnquotedCommaShiftsEveryLaterEntry) {
  TablaCodigo t = TablaDeTexto("x:3\r\n--..--:,\r\n.-:a\r\n-...:b\r\n");
  EXPECT_EQ(TextoDeCodigo(t, "--..--"), "");
  EXPECT_EQ(t.entradas[1].Secuencia, "");  // the empty field after the comma
  EXPECT_EQ(TextoDeCodigo(t, ".-"), "a");
  EXPECT_EQ(TextoDeCodigo(t, "-..."), "");  // pushed out of the count
}

TEST(TablaCodigo, AShortFileRepeatsItsLastField) {
  TablaCodigo t = TablaDeTexto("x:4\r\n.-:a\r\n-...:b\r\n");
  ASSERT_EQ(t.CantidadCodigos(), 4);
  EXPECT_EQ(t.Entrada(3).Secuencia, "-...");
  EXPECT_EQ(t.Entrada(4).Texto, "b");
  EXPECT_EQ(t.Entrada(1).Texto, "a");
  TablaCodigo solo = TablaDeTexto("Códigos:2\r\n");
  ASSERT_EQ(solo.CantidadCodigos(), 2);
  EXPECT_EQ(solo.Entrada(2).Secuencia, "Códigos");  // the count field itself
}

TEST(TablaCodigo, BrokenCountsGiveAnEmptyTable) {
  for (const char* texto : {"x:0\r\n.-:a\r\n", "x:-2\r\n.-:a\r\n", "x:tres\r\n.-:a\r\n", "sin dos puntos 3\r\n.-:a\r\n",
                            "x:40000\r\n.-:a\r\n", "x:1e9\r\n", ""})
    EXPECT_EQ(TablaDeTexto(texto).CantidadCodigos(), 0) << texto;
  EXPECT_EQ(TablaDeTexto("x: 2.5\r\n").CantidadCodigos(), 2);  // halves to even
  EXPECT_EQ(TablaDeTexto("x:3.5\r\n").CantidadCodigos(), 4);
}

TEST(TablaCodigo, AHugeAnnouncedCountWithFewEntriesStaysBounded) {
  TablaCodigo t = TablaDeTexto("x:32767\r\n.-:a\r\n-...:b\r\n");
  EXPECT_EQ(t.CantidadCodigos(), 32767);
  EXPECT_LE(t.entradas.size(), 3u);
  EXPECT_EQ(t.Entrada(32767).Texto, "b");
  EXPECT_EQ(TextoDeCodigo(t, "-..."), "b");
  EXPECT_EQ(TextoDeCodigo(t, "---"), "");
}

TEST(CargarCodigo, MissingFileFallsBackAndRecordsTheFallback) {
  prueba::CarpetaTemporal carpeta;
  carpeta.Escribir("morse_fijo.kel", Ansi("Fijo:1\n...:s\n"));
  carpeta.Escribir("Mío.kel", Ansi("Mío:1\n..--.:ñ\n"));
  TablaCodigo t;
  std::string codigo = "Mío";
  CargarCodigo(t, codigo, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(codigo, "Mío");
  EXPECT_EQ(TextoDeCodigo(t, "..--."), "ñ");  // read through the ANSI code page

  codigo = "No existe";
  CargarCodigo(t, codigo, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(codigo, "morse_fijo");
  EXPECT_EQ(TextoDeCodigo(t, "..--."), "");  // the old table is gone
  EXPECT_EQ(TextoDeCodigo(t, "..."), "s");

  // Locked, not missing: the fallback keys, the person's choice is kept.
  prueba::ArchivosConFallos bloqueados;
  bloqueados.ilegibles.insert(carpeta.En("Mío.kel"));
  codigo = "Mío";
  CargarCodigo(t, codigo, bloqueados, carpeta.Ruta());
  EXPECT_EQ(codigo, "Mío");
  EXPECT_EQ(TextoDeCodigo(t, "..."), "s");

  prueba::CarpetaTemporal vacia;
  codigo = "Tampoco";
  CargarCodigo(t, codigo, ArchivosDelSistema(), vacia.Ruta());
  EXPECT_EQ(codigo, "morse_fijo");
  EXPECT_EQ(t.CantidadCodigos(), 0);
}

}  // namespace kelu
