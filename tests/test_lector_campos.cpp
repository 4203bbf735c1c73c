#include <gtest/gtest.h>

#include <vector>

#include "platform/lector_campos.h"

namespace kelu {
namespace {
std::vector<std::string> Campos(std::string_view texto) {
  LectorCampos lector(texto);
  std::vector<std::string> campos;
  while (auto c = lector.Siguiente()) campos.push_back(*c);
  return campos;
}
}  // namespace

using V = std::vector<std::string>;

TEST(LectorCampos, OneItemPerLineUnlessACommaSplitsIt) {
  EXPECT_EQ(Campos("uno\r\ndos\r\n"), (V{"uno", "dos"}));
  EXPECT_EQ(Campos("a,b\r\nc"), (V{"a", "b", "c"}));  // the last line needs no line end
  EXPECT_EQ(Campos("a\nb\rc"), (V{"a", "b", "c"}));   // lone LF or CR also end a line
  EXPECT_EQ(Campos(""), V{});
}

TEST(LectorCampos, QuotesProtectCommasAndAreDropped) {
  EXPECT_EQ(Campos("\"--..--:,\"\r\nx"), (V{"--..--:,", "x"}));
  EXPECT_EQ(Campos("\"a,b\" resto ignorado,c"), (V{"a,b", "c"}));
  EXPECT_EQ(Campos("\"sin cierre, hasta el final\r\nz"), (V{"sin cierre, hasta el final\r\nz"}));
  EXPECT_EQ(Campos("\"Versión \"\r\n"), (V{"Versión "}));  // trailing blank kept inside quotes
}

TEST(LectorCampos, BlanksEmptyLinesAndInnerQuotes) {
  EXPECT_EQ(Campos("   a b  \t\r\n"), (V{"a b"}));  // leading and trailing blanks go
  EXPECT_EQ(Campos("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));  // an empty line is an empty item
  EXPECT_EQ(Campos("Duración del \"punto\" :\r\n"), (V{"Duración del \"punto\" :"}));
  EXPECT_EQ(Campos("a,\r\nb"), (V{"a", "", "b"}));
}

TEST(SepararLinea, SplitsAtTheFirstColon) {
  EXPECT_EQ(SepararLinea(".-:a"), (std::pair<std::string, std::string>{".-", "a"}));
  EXPECT_EQ(SepararLinea("---...:::"), (std::pair<std::string, std::string>{"---...", "::"}));
  EXPECT_EQ(SepararLinea(":x"), (std::pair<std::string, std::string>{"", "x"}));
  EXPECT_EQ(SepararLinea("sin dos puntos"), (std::pair<std::string, std::string>{"", ""}));
  EXPECT_EQ(SepararLinea("a:"), (std::pair<std::string, std::string>{"a", ""}));
}

}  // namespace kelu
