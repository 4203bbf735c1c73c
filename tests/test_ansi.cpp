#include <gtest/gtest.h>

#include "platform/archivos.h"

namespace kelu {

TEST(Ansi, EveryByteSurvivesTheTripThroughUtf8) {
  std::string todos;
  for (int b = 1; b < 256; ++b) todos += static_cast<char>(b);
  EXPECT_EQ(Utf8AAnsi(AnsiAUtf8(todos)), todos);
  EXPECT_EQ(AnsiAUtf8("Espa\xF1ol"), "Español");
  EXPECT_EQ(Utf8AAnsi("año €"), "a\xF1o \x80");
  EXPECT_EQ(Utf8AAnsi("Русский"), std::nullopt);  // not in this code page: refused, not "???????"
}

}  // namespace kelu
