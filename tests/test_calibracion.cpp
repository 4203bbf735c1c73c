#include <gtest/gtest.h>

#include "keying/calibracion.h"

namespace kelu {

TEST(Calibracion, ProposesBandsThatMeetBetweenTheClouds) {
  struct Caso {
    MuestrasCalibracion m;
    bool valida, solapados;
    int punto, tolPunto, raya, tolRaya, letras;
  };
  const Caso casos[] = {
      // Steady hand: 250 ms dots, 750 ms dashes; a 3 s spasm and a 20 ms bounce are dropped.
      {{{240, 250, 260, 250, 20, 255, 245, 250}, {740, 760, 750, 3000, 750, 745}, {200, 220, 210}, {900, 1000, 950}},
       true, false, 27, 16, 115, 72, 45},
      // Dots reach the dashes: said plainly, nothing proposed.
      {{{200, 300, 400, 420}, {380, 450, 500, 520}, {}, {}}, false, true, 0, 0, 0, 0, 0},
      // Presses a tick away from all the others are no outliers: the dots reach the dashes.
      {{{150, 150, 150, 150, 150, 160}, {160, 180, 180, 180, 180, 180}, {}, {}}, false, true, 0, 0, 0, 0, 0},
      // Apart, yet the longest dot would count as a dash: the threshold lies at 20.
      {{{100, 150, 200, 150, 120, 180}, {260, 270, 280, 270, 260}, {}, {}}, false, true, 0, 0, 0, 0, 0},
      // Too few presses of a kind.
      {{{250, 250}, {750, 750, 750}, {}, {}}, false, false, 0, 0, 0, 0, 0},
      // No pauses to go by: eight dots.
      {{{300, 310, 290}, {900, 910, 890}, {}, {}}, true, false, 32, 20, 138, 86, 240},
  };
  for (const Caso& c : casos) {
    const PropuestaCalibracion p = ProponerTiempos(c.m);
    EXPECT_EQ(p.valida, c.valida);
    EXPECT_EQ(p.solapados, c.solapados);
    EXPECT_EQ(p.DuracionPunto, c.punto);
    EXPECT_EQ(p.ToleranciaPunto, c.tolPunto);
    EXPECT_EQ(p.DuracionRaya, c.raya);
    EXPECT_EQ(p.ToleranciaRaya, c.tolRaya);
    EXPECT_EQ(p.TiempoEntreLetras, c.letras);
    if (p.valida) {
      EXPECT_EQ(p.DuracionPunto + p.ToleranciaPunto, p.DuracionRaya - p.ToleranciaRaya);
    }
  }
}

}  // namespace kelu
