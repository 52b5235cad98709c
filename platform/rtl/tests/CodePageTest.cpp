#include <gtest/gtest.h>

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"

namespace {

AnsiString AllBytes() {
  AnsiString all(256, '\0');
  for (int b = 0; b < 256; ++b) all[b] = static_cast<char>(b);
  return all;
}

TEST(CodePageTest, EveryByteRoundTrips) {
  for (Word cp : {CP_WIN1251, CP_WIN1252}) {
    const String text = AnsiToString(AllBytes(), cp);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(StringToAnsi(text, cp), AllBytes()) << cp;
    EXPECT_TRUE(IsAnsiRepresentable(text, cp));
    // No two bytes share a character.
    for (int a = 0; a < 256; ++a)
      for (int b = a + 1; b < 256; ++b) ASSERT_NE(text[a], text[b]) << cp << ": " << a << " " << b;
  }
}

TEST(CodePageTest, KnownCharacters) {
  struct Case {
    Word cp;
    Byte byte;
    Char ch;
  } cases[] = {
      {CP_WIN1251, 0xC0, u'А'},      {CP_WIN1251, 0xDF, u'Я'}, {CP_WIN1251, 0xE0, u'а'},
      {CP_WIN1251, 0xFF, u'я'},      {CP_WIN1251, 0xA8, u'Ё'}, {CP_WIN1251, 0xB8, u'ё'},
      {CP_WIN1251, 0xB9, u'№'},      {CP_WIN1251, 0x88, u'€'}, {CP_WIN1251, 0xA0, u'\u00A0'},
      {CP_WIN1251, 0x98, u'\u0098'},  // the one undefined byte
      {CP_WIN1252, 0x80, u'€'},      {CP_WIN1252, 0xE9, u'é'}, {CP_WIN1252, 0x9F, u'Ÿ'},
      {CP_WIN1252, 0x81, u'\u0081'}, {CP_WIN1252, 0x41, u'A'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiCharToChar(c.byte, c.cp), c.ch) << c.cp << " " << int(c.byte);
    EXPECT_EQ(CharToAnsiChar(c.ch, c.cp), c.byte) << c.cp << " " << int(c.byte);
  }
}

TEST(CodePageTest, UnmappableCharactersBecomeQuestionMarks) {
  // Cyrillic in 1252, Latin-1 accents in 1251, CJK, and an emoji (a surrogate pair: one '?').
  EXPECT_EQ(StringToAnsi(u"Жé中\U0001F600.", CP_WIN1252), AnsiString("?\xE9??."));
  EXPECT_EQ(StringToAnsi(u"Жé中\U0001F600.", CP_WIN1251), AnsiString("\xC6???."));
  EXPECT_FALSE(IsAnsiRepresentable(u"Жé", CP_WIN1251));
  EXPECT_EQ(StringToAnsi(u"a\xD800", CP_WIN1251), AnsiString("a?"));
}

TEST(CodePageTest, DefaultFollowsTheLocaleAndUnknownPagesFail) {
  const TFormatSettings saved = FormatSettings();
  SetLocale("ru-RU");
  EXPECT_EQ(StringToAnsi(u"Ёж"), AnsiString("\xA8\xE6"));
  EXPECT_EQ(AnsiToString("\xA8\xE6"), u"Ёж");
  SetLocale("en-US");
  EXPECT_EQ(AnsiToString("\xA8\xE6"), u"¨æ");
  SetFormatSettings(saved);
  EXPECT_THROW(StringToAnsi(u"x", 866), EConvertError);
  EXPECT_THROW(AnsiToString("x", 437), EConvertError);
}

TEST(CodePageTest, AnsiStringsCompareByUnsignedBytes) {
  // 'я' (0xFF) after 'А' (0xC0) after ASCII: the 8-bit string order, not a signed-char order.
  const AnsiString z = StringToAnsi(u"я", CP_WIN1251), a = StringToAnsi(u"А", CP_WIN1251);
  EXPECT_LT(AnsiString("Z"), a);
  EXPECT_LT(a, z);
  // Code-page order, not alphabet order: 'ё' (0xB8) sorts before 'а' (0xE0).
  EXPECT_LT(StringToAnsi(u"ё", CP_WIN1251), StringToAnsi(u"а", CP_WIN1251));
}

}  // namespace
