#include <gtest/gtest.h>

#include "platform/utf16.h"

namespace kelu {
namespace {

std::u16string U16(std::string_view utf8) { return Utf8AUtf16<char16_t>(utf8); }

}  // namespace

TEST(Utf16, SpanishTextAndCharactersBeyondTheBmpRoundTrip) {
  for (std::string texto : {"", "KELU", "Español: ñandú, año, €", "a😀b", "𝄞 clave"})
    EXPECT_EQ(Utf16AUtf8(U16(texto)), texto);
  EXPECT_EQ(U16("ñ"), u"\u00F1");
  EXPECT_EQ(U16("😀"), std::u16string({char16_t(0xD83D), char16_t(0xDE00)}));
}

TEST(Utf16, EachMalformedByteBecomesOneReplacementAndDecodingGoesOn) {
  EXPECT_EQ(U16("a\x80" "b"), u"a\uFFFDb");              // a lone continuation byte
  EXPECT_EQ(U16("a\xC3"), u"a\uFFFD");                   // cut short at the end
  EXPECT_EQ(U16("\xC3(x"), u"\uFFFD(x");                 // a lead byte without its continuation
  EXPECT_EQ(U16("\xC0\xAF"), u"\uFFFD\uFFFD");           // an overlong '/'
  EXPECT_EQ(U16("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD"); // overlong in three bytes
  EXPECT_EQ(U16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // an encoded surrogate
  EXPECT_EQ(U16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // beyond U+10FFFF
  EXPECT_EQ(U16("\xF4\x8F\xBF\xBF").size(), 2u);        // U+10FFFF itself is valid
}

TEST(Utf16, LoneSurrogatesBecomeTheReplacementCharacter) {
  const std::u16string alta{u'a', char16_t(0xD83D)};
  const std::u16string baja{char16_t(0xDE00), u'b'};
  const std::u16string invertidas{char16_t(0xDE00), char16_t(0xD83D)};
  EXPECT_EQ(Utf16AUtf8(alta), "a\xEF\xBF\xBD");
  EXPECT_EQ(Utf16AUtf8(baja), "\xEF\xBF\xBD" "b");
  EXPECT_EQ(Utf16AUtf8(invertidas), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf16, ACutNeverSplitsASurrogatePair) {
  const std::u16string texto = U16("a😀b");  // a, high, low, b
  const std::u16string_view v(texto);
  EXPECT_EQ(CorteSinPartir(v, 0), 0u);
  EXPECT_EQ(CorteSinPartir(v, 1), 1u);
  EXPECT_EQ(CorteSinPartir(v, 2), 1u);  // would end on the high half
  EXPECT_EQ(CorteSinPartir(v, 3), 3u);
  EXPECT_EQ(CorteSinPartir(v, 4), 4u);
  EXPECT_EQ(CorteSinPartir(v, 100), 4u);
}

TEST(Utf16, PositionsInATextBoxCountUtf16Units) {
  EXPECT_EQ(UnidadesUtf16(""), 0u);
  EXPECT_EQ(UnidadesUtf16("año"), 3u);  // four bytes
  EXPECT_EQ(UnidadesUtf16("😀!"), 3u);  // five bytes
}

}  // namespace kelu
