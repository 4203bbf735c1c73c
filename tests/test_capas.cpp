#include <gtest/gtest.h>

#include "platform/capas.h"

namespace kelu {
namespace {

int Arriba(const std::vector<Rectangulo>& areas, int x, int y) { return AreaEn(areas, OrdenDeDibujo(areas), x, y); }

}  // namespace

TEST(Capas, TheCentreLabelInsideThePadTakesThePressesOnIt) {
  // The keying pad and its centre label, in tab order: pad first.
  const std::vector<Rectangulo> areas{{5640, 240, 3135, 855}, {6840, 600, 855, 255}};
  EXPECT_EQ(Arriba(areas, 7000, 700), 1);
  EXPECT_EQ(Arriba(areas, 5700, 300), 0);
  EXPECT_EQ(Arriba(areas, 100, 100), -1);
}

TEST(Capas, TheSmallerOneIsOnTopWhateverTheGivenOrder) {
  const std::vector<Rectangulo> areas{{6840, 600, 855, 255}, {5640, 240, 3135, 855}};
  EXPECT_EQ(Arriba(areas, 7000, 700), 0);
  EXPECT_EQ(OrdenDeDibujo(areas), (std::vector<size_t>{1, 0}));  // the pad is drawn first
}

TEST(Capas, OfTwoEqualSizesTheLaterIsOnTop) {
  const std::vector<Rectangulo> areas{{0, 0, 100, 100}, {50, 50, 100, 100}, {0, 0, 10, 10}};
  EXPECT_EQ(OrdenDeDibujo(areas), (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(Arriba(areas, 60, 60), 1);
  EXPECT_EQ(Arriba(areas, 5, 5), 2);
}

TEST(Capas, TheRightAndBottomEdgesAreOutside) {
  const std::vector<Rectangulo> areas{{10, 20, 30, 40}};
  EXPECT_EQ(Arriba(areas, 10, 20), 0);
  EXPECT_EQ(Arriba(areas, 39, 59), 0);
  EXPECT_EQ(Arriba(areas, 40, 30), -1);
  EXPECT_EQ(Arriba(areas, 20, 60), -1);
  EXPECT_EQ(Arriba(areas, 9, 30), -1);
}

TEST(Capas, AnEmptyAreaIsNeverHitNorHidesAnother) {
  const std::vector<Rectangulo> areas{{0, 0, 100, 100}, {10, 10, 0, 50}, {20, 20, -5, -5}};
  EXPECT_EQ(Arriba(areas, 10, 10), 0);
  EXPECT_EQ(Arriba(areas, 18, 18), 0);
  EXPECT_EQ(Arriba({}, 0, 0), -1);
}

}  // namespace kelu
