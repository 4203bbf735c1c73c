#include <gtest/gtest.h>

#include "platform/numeros.h"

namespace kelu {

TEST(LeerNumero, ReadsTheLeadingNumberLikeVal) {
  EXPECT_EQ(LeerNumero("25"), 25);
  EXPECT_EQ(LeerNumero("  1 2 3abc"), 123);  // blanks are skipped anywhere
  EXPECT_EQ(LeerNumero("\t-4.5x"), -4.5);
  EXPECT_EQ(LeerNumero("1.2.3"), 1.2);  // one point only
  EXPECT_EQ(LeerNumero("2E3"), 2000);
  EXPECT_EQ(LeerNumero("2d-1"), 0.2);
  EXPECT_EQ(LeerNumero("7e"), 7);  // an exponent without digits is not part of it
  EXPECT_EQ(LeerNumero(""), 0);
  EXPECT_EQ(LeerNumero("abc"), 0);
  EXPECT_EQ(LeerNumero("-"), 0);
  EXPECT_EQ(LeerNumero(".5"), 0.5);
}

TEST(Redondear16, RoundsHalvesToEvenAndRefusesOverflow) {
  EXPECT_EQ(Redondear16(0.5), 0);
  EXPECT_EQ(Redondear16(1.5), 2);
  EXPECT_EQ(Redondear16(12.5), 12);
  EXPECT_EQ(Redondear16(13.5), 14);
  EXPECT_EQ(Redondear16(-2.5), -2);
  EXPECT_EQ(Redondear16(32767.4), 32767);
  EXPECT_EQ(Redondear16(-32768), -32768);
  EXPECT_FALSE(Redondear16(32767.5));
  EXPECT_FALSE(Redondear16(-32769));
  EXPECT_FALSE(Redondear16(40000));
  EXPECT_FALSE(Redondear16(1e300 * 1e300));
}

TEST(Entero16DeTexto, WholeTextMustBeANumber) {
  EXPECT_EQ(Entero16DeTexto(" 25 "), 25);
  EXPECT_EQ(Entero16DeTexto("-7"), -7);
  EXPECT_EQ(Entero16DeTexto("12.5"), 12);
  EXPECT_FALSE(Entero16DeTexto("25x"));
  EXPECT_FALSE(Entero16DeTexto(""));
  EXPECT_FALSE(Entero16DeTexto("abc"));
  EXPECT_FALSE(Entero16DeTexto("32768"));
}

TEST(BooleanoDeTexto, WordsInAnyCaseOrNumbers) {
  EXPECT_EQ(BooleanoDeTexto("True"), true);
  EXPECT_EQ(BooleanoDeTexto("fALSE"), false);
  EXPECT_EQ(BooleanoDeTexto(" TRUE "), true);
  EXPECT_EQ(BooleanoDeTexto("0"), false);
  EXPECT_EQ(BooleanoDeTexto("-1"), true);
  EXPECT_EQ(BooleanoDeTexto("0.5"), true);
  EXPECT_FALSE(BooleanoDeTexto("Verdadero"));
  EXPECT_FALSE(BooleanoDeTexto(""));
  EXPECT_FALSE(BooleanoDeTexto("1x"));
}

TEST(Aritmetica16, OverflowIsReportedNotWrapped) {
  EXPECT_EQ(Producto16(3276, 10), 32760);
  EXPECT_FALSE(Producto16(3277, 10));
  EXPECT_EQ(Resta16(-32000, 768), -32768);
  EXPECT_FALSE(Resta16(-32000, 769));
  EXPECT_FALSE(Suma16(32767, 1));
}

TEST(TextoDeNumero, ReadsBackAsTheSameNumber) {
  EXPECT_EQ(TextoDeNumero(75), "75");
  EXPECT_EQ(TextoDeNumero(-3), "-3");
  EXPECT_EQ(TextoDeNumero(-0.0), "0");
  EXPECT_EQ(TextoDeNumero(200), "200");
  EXPECT_EQ(TextoDeNumero(2.5), "2.5");
  for (double v : {10.5, 0.1 * 3, 1.0 / 3, 3 * 3.3, 1e20, -2.75e-7})
    EXPECT_EQ(LeerNumero(TextoDeNumero(v)), v) << TextoDeNumero(v);
}

}  // namespace kelu
