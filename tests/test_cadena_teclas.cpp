#include "keying/cadena_teclas.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace kelu {
namespace {

// The events of a string written out, or "ERROR" when it is malformed.
std::string Eventos(std::string_view texto) {
  auto eventos = AnalizarCadenaTeclas(texto);
  return eventos ? DescribirEventos(*eventos) : "ERROR";
}

TEST(CadenaTeclas, PlainTextTypesItselfInAnyScript) {
  EXPECT_EQ(Eventos(""), "");
  EXPECT_EQ(Eventos("Hola, mundo."), "Hola, mundo.");
  auto eventos = AnalizarCadenaTeclas("año ΩЖ中😀");
  ASSERT_TRUE(eventos);
  ASSERT_EQ(eventos->size(), 8u);
  EXPECT_EQ((*eventos)[1].caracter, U'ñ');
  EXPECT_EQ((*eventos)[7].caracter, U'😀');
  EXPECT_FALSE((*eventos)[7].conModificador);
  EXPECT_EQ(TextoPlano(*eventos), "año ΩЖ中😀");
}

TEST(CadenaTeclas, InvalidUtf8IsAnError) {
  EXPECT_EQ(Eventos("a\xC3"), "ERROR");           // cut short
  EXPECT_EQ(Eventos("\xC3(a"), "ERROR");          // bad continuation
  EXPECT_EQ(Eventos("\xC0\xAF"), "ERROR");        // overlong '/'
  EXPECT_EQ(Eventos("\xED\xA0\x80"), "ERROR");    // surrogate
  EXPECT_EQ(Eventos("\xF4\x90\x80\x80"), "ERROR");  // above U+10FFFF
  EXPECT_EQ(Eventos("\xFF"), "ERROR");
  EXPECT_EQ(Eventos("{\xC3}"), "ERROR");
}

TEST(CadenaTeclas, EveryKeyNameAndAlias) {
  const struct { const char* nombre; uint8_t vk; } casos[] = {
      {"BACKSPACE", 0x08}, {"BS", 0x08}, {"BKSP", 0x08}, {"BREAK", 0x03},
      {"CAPSLOCK", 0x14}, {"CLEAR", 0x0C}, {"DELETE", 0x2E}, {"DEL", 0x2E},
      {"DOWN", 0x28}, {"END", 0x23}, {"ENTER", 0x0D}, {"ESC", 0x1B},
      {"ESCAPE", 0x1B}, {"HELP", 0x2F}, {"HOME", 0x24}, {"INSERT", 0x2D},
      {"INS", 0x2D}, {"LEFT", 0x25}, {"NUMLOCK", 0x90}, {"PGDN", 0x22},
      {"PGUP", 0x21}, {"PRTSC", 0x2C}, {"RIGHT", 0x27}, {"SCROLLLOCK", 0x91},
      {"TAB", 0x09}, {"UP", 0x26}, {"ADD", 0x6B}, {"SUBTRACT", 0x6D},
      {"MULTIPLY", 0x6A}, {"DIVIDE", 0x6F}, {"F1", 0x70}, {"F9", 0x78},
      {"F10", 0x79}, {"F16", 0x7F},
  };
  for (const auto& c : casos) {
    std::string minusculas = c.nombre;
    for (char& ch : minusculas) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (const std::string& nombre : {std::string(c.nombre), minusculas}) {
      auto eventos = AnalizarCadenaTeclas("{" + nombre + "}");
      ASSERT_TRUE(eventos) << nombre;
      ASSERT_EQ(eventos->size(), 1u) << nombre;
      EXPECT_EQ((*eventos)[0].tipo, TipoEvento::TeclaVirtual) << nombre;
      EXPECT_EQ((*eventos)[0].vk, c.vk) << nombre;
    }
  }
  for (int f = 1; f <= 16; ++f) {
    auto eventos = AnalizarCadenaTeclas("{F" + std::to_string(f) + "}");
    ASSERT_TRUE(eventos) << f;
    EXPECT_EQ((*eventos)[0].vk, 0x6F + f);
  }
  EXPECT_EQ(Eventos("{Bs}{eNtEr}{pgDn}"), "{BACKSPACE}{ENTER}{PGDN}");
}

TEST(CadenaTeclas, UnknownKeyNamesAreErrors) {
  for (const char* malo : {"{F0}", "{F17}", "{F01}", "{ENTR}", "{ENTER }", "{ ENTER}", "{LEFTARROW}",
                           "{ab}", "{ÑU}", "{SHIFT}", "{}"})
    EXPECT_EQ(Eventos(malo), "ERROR") << malo;
}

TEST(CadenaTeclas, EnterAndTabInPlainText) {
  auto eventos = AnalizarCadenaTeclas("a~b{TAB}c{ENTER}^~");
  ASSERT_TRUE(eventos);
  EXPECT_EQ(DescribirEventos(*eventos), "a{ENTER}b{TAB}c{ENTER}<^>{ENTER}</^>");
  EXPECT_EQ(TextoPlano(*eventos), "a\nb\tc\n");
}

TEST(CadenaTeclas, ModifierAppliesToNextKeyOnly) {
  EXPECT_EQ(Eventos("+ec"), "<+>e</+>c");
  EXPECT_EQ(Eventos("^c%f"), "<^>c</^><%>f</%>");
  EXPECT_EQ(Eventos("+{LEFT}x"), "<+>{LEFT}</+>x");
  EXPECT_EQ(Eventos("%{F4}"), "<%>{F4}</%>");
  EXPECT_EQ(Eventos("^{+}"), "<^>+</^>");
  EXPECT_EQ(Eventos("+ñ"), "<+>ñ</+>");
}

TEST(CadenaTeclas, CombinedModifiersReleaseInReverse) {
  EXPECT_EQ(Eventos("^+a"), "<^><+>a</+></^>");
  EXPECT_EQ(Eventos("%^+{DEL}"), "<%><^><+>{DELETE}</+></^></%>");
  // The same modifier twice is pressed once.
  EXPECT_EQ(Eventos("++a"), "<+>a</+>");
}

TEST(CadenaTeclas, CharacterKnowsWhetherAModifierIsDown) {
  auto eventos = AnalizarCadenaTeclas("a^b+(cd)e");
  ASSERT_TRUE(eventos);
  std::string marcas;
  for (const EventoTecla& e : *eventos)
    if (e.tipo == TipoEvento::Caracter) marcas += e.conModificador ? 'M' : '-';
  EXPECT_EQ(marcas, "-MMM-");
  EXPECT_EQ(TextoPlano(*eventos), "ae");
}

TEST(CadenaTeclas, GroupsHoldModifiers) {
  EXPECT_EQ(Eventos("+(ec)"), "<+>ec</+>");
  EXPECT_EQ(Eventos("x^+(ab)y"), "x<^><+>ab</+></^>y");
  EXPECT_EQ(Eventos("(ab)"), "ab");
  // Inside a group, a further modifier is for its next key only.
  EXPECT_EQ(Eventos("+(a^bc)"), "<+>a<^>b</^>c</+>");
  // A modifier the group already holds is neither pressed nor released again.
  EXPECT_EQ(Eventos("+(a+b)c"), "<+>ab</+>c");
  EXPECT_EQ(Eventos("^(a%(b{UP})c)"), "<^>a<%>b{UP}</%>c</^>");
  EXPECT_EQ(Eventos("+({h 2})"), "<+>hh</+>");
}

TEST(CadenaTeclas, BracedSpecialsAreLiteral) {
  auto eventos = AnalizarCadenaTeclas("{+}{^}{%}{~}{(}{)}{[}{]}{{}{}}");
  ASSERT_TRUE(eventos);
  EXPECT_EQ(TextoPlano(*eventos), "+^%~()[]{}");
  EXPECT_EQ(Eventos("{a}{ñ}{ }{5}{😀}"), "añ 5😀");
  EXPECT_EQ(Eventos("{<}{{}"), "{<}{{}");  // escaped so a description is unambiguous
}

TEST(CadenaTeclas, Repeats) {
  EXPECT_EQ(Eventos("{LEFT 3}"), "{LEFT}{LEFT}{LEFT}");
  EXPECT_EQ(Eventos("{h 10}"), "hhhhhhhhhh");
  EXPECT_EQ(Eventos("{} 2}"), "}}");
  EXPECT_EQ(Eventos("{{ 2}"), "{{}{{}");
  EXPECT_EQ(Eventos("{  3}"), "   ");
  EXPECT_EQ(Eventos("{ñ 2}{enter 002}"), "ññ{ENTER}{ENTER}");
  EXPECT_EQ(Eventos("+{RIGHT 2}"), "<+>{RIGHT}{RIGHT}</+>");
  EXPECT_EQ(Eventos("a{b 0}c+{x 0}"), "ac");
}

TEST(CadenaTeclas, RepeatBounds) {
  auto eventos = AnalizarCadenaTeclas("{a " + std::to_string(kMaxRepeticiones) + "}");
  ASSERT_TRUE(eventos);
  EXPECT_EQ(eventos->size(), static_cast<size_t>(kMaxRepeticiones));
  EXPECT_EQ(Eventos("{a " + std::to_string(kMaxRepeticiones + 1) + "}"), "ERROR");
  EXPECT_EQ(Eventos("{a 99999999999999999999}"), "ERROR");  // no overflow into a small count
  // The whole string has its own limit, whatever each repeat says.
  std::string muchas;
  for (int i = 0; i * kMaxRepeticiones <= kMaxPulsaciones; ++i) muchas += "{a " + std::to_string(kMaxRepeticiones) + "}";
  EXPECT_EQ(Eventos(muchas), "ERROR");
  EXPECT_EQ(Eventos(std::string(kMaxPulsaciones + 1, 'a')), "ERROR");
  EXPECT_NE(Eventos(std::string(kMaxPulsaciones, 'a')), "ERROR");
}

TEST(CadenaTeclas, BadCountsAreErrors) {
  for (const char* malo : {"{a  3}", "{a 3 }", "{a }", "{a -1}", "{a +1}", "{a 1.5}", "{a x}",
                           "{LEFT  3}", "{LEFT3 }", "{ 3}", "{a b 3}"})
    EXPECT_EQ(Eventos(malo), "ERROR") << malo;
}

TEST(CadenaTeclas, MalformedStringsAreErrors) {
  for (const char* malo : {
           "}", "a}b", "{", "{a", "{ENTER", "{}", "{}a", "{} 2",  // braces
           "[", "a]", "+[", "+(]a)",                               // brackets
           "(", "+(ab", "(a(b)", ")", "ab)", "(a))", "()", "+()",  // parentheses
           "+", "a^", "x%+", "+(a^)", "^)",                        // modifiers with no key
       })
    EXPECT_EQ(Eventos(malo), "ERROR") << malo;
}

TEST(CadenaTeclas, NestingDepthIsBounded) {
  const std::string ok = std::string(kMaxAnidamiento, '(') + "a" + std::string(kMaxAnidamiento, ')');
  EXPECT_EQ(Eventos(ok), "a");
  const std::string hondo(100000, '(');
  EXPECT_EQ(Eventos(hondo + "a" + std::string(100000, ')')), "ERROR");
}

}  // namespace
}  // namespace kelu
