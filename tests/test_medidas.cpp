#include <gtest/gtest.h>

#include "platform/medidas.h"

namespace kelu {

TEST(Medidas, TwipsPerPixelFollowTheDpi) {
  EXPECT_DOUBLE_EQ(TwipsPorPixel(96), 15);
  EXPECT_DOUBLE_EQ(TwipsPorPixel(120), 12);
  EXPECT_DOUBLE_EQ(TwipsPorPixel(144), 10);
  EXPECT_DOUBLE_EQ(TwipsPorPixel(0), 15);  // an unknown DPI counts as 96
}

TEST(Medidas, PixelsRoundToNearestWithHalvesToEven) {
  EXPECT_EQ(TwipsAPixeles(8880, 96), 592);
  EXPECT_EQ(TwipsAPixeles(7, 96), 0);
  EXPECT_EQ(TwipsAPixeles(8, 96), 1);
  EXPECT_EQ(TwipsAPixeles(7.5, 96), 0);   // 0.5
  EXPECT_EQ(TwipsAPixeles(22.5, 96), 2);  // 1.5
  EXPECT_EQ(TwipsAPixeles(37.5, 96), 2);  // 2.5
  EXPECT_EQ(TwipsAPixeles(15, 144), 2);   // 1.5
  EXPECT_EQ(TwipsAPixeles(25, 144), 2);   // 2.5
  EXPECT_EQ(TwipsAPixeles(35, 144), 4);   // 3.5
  EXPECT_EQ(TwipsAPixeles(6, 120), 0);    // 0.5
  EXPECT_EQ(TwipsAPixeles(18, 120), 2);   // 1.5
  EXPECT_EQ(TwipsAPixeles(-22.5, 96), -2);
}

TEST(Medidas, TwipsFromPixelsRoundTheSameWay) {
  EXPECT_EQ(PixelesATwips(600, 96), 9000);
  EXPECT_EQ(PixelesATwips(123, 96), 1845);
  EXPECT_EQ(PixelesATwips(1, 192), 8);   // 7.5
  EXPECT_EQ(PixelesATwips(3, 192), 22);  // 22.5
  EXPECT_EQ(PixelesATwips(1280, 120), 15360);
}

TEST(Medidas, FontHeightsAreNegativeRoundedPixelSizes) {
  EXPECT_EQ(AlturaFuente(9, 96), -12);
  EXPECT_EQ(AlturaFuente(8.25, 96), -11);
  EXPECT_EQ(AlturaFuente(9.75, 96), -13);
  EXPECT_EQ(AlturaFuente(12, 96), -16);
  EXPECT_EQ(AlturaFuente(21.75, 96), -29);
  EXPECT_EQ(AlturaFuente(8.25, 120), -14);   // 13.75
  EXPECT_EQ(AlturaFuente(3.375, 96), -4);    // 4.5, half to even
  EXPECT_EQ(AlturaFuente(21.75, 144), -44);  // 43.5, half to even
}

TEST(Medidas, ASelfSizingLabelKeepsTheEdgeItsTextIsAlignedTo) {
  const Rectangulo r{4950, 360, 1200, 525};
  EXPECT_EQ(AjustarAlTexto(r, 900, 510, Alineacion::Izquierda), (Rectangulo{4950, 360, 900, 510}));
  EXPECT_EQ(AjustarAlTexto(r, 900, 510, Alineacion::Derecha), (Rectangulo{5250, 360, 900, 510}));
  EXPECT_EQ(AjustarAlTexto(r, 1800, 510, Alineacion::Derecha), (Rectangulo{4350, 360, 1800, 510}));
  EXPECT_EQ(AjustarAlTexto(r, 900, 510, Alineacion::Centro), (Rectangulo{5100, 360, 900, 510}));
  EXPECT_EQ(AjustarAlTexto(r, 0, 0, Alineacion::Derecha), (Rectangulo{6150, 360, 0, 0}));
}

}  // namespace kelu
