#include <gtest/gtest.h>

#include "dx/editors/dxMaskRoutines.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

String S(const char* utf8) { return Utf8ToString(utf8); }

class DxMaskRoutinesTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    SetLocale(GetParam());
  }
  void TearDown() override { SetFormatSettings(saved_); }
  // The locale's separators in place of "." (date) and ":" (time) in an expected text.
  String Local(const char* utf8) {
    String s = S(utf8);
    for (Char& c : s) {
      if (c == u'.') c = FormatSettings().DateSeparator;
      if (c == u'|') c = FormatSettings().TimeSeparator;
    }
    return s;
  }
  TFormatSettings saved_;
};

INSTANTIATE_TEST_SUITE_P(Locales, DxMaskRoutinesTest, ::testing::Values("ru-RU", "en-US"),
                         [](const auto& info) { return std::string(info.param[0] == 'r' ? "Russian" : "English"); });

TEST_P(DxMaskRoutinesTest, FieldsGiveTheSaveFlagAndTheBlank) {
  struct Case {
    const char* mask;
    bool save;
    Char blank;
  };
  const Case cases[] = {
      {"000", true, u'_'},           {"000;0;_", false, u'_'},     {"000;1;*", true, u'*'},
      {"!99/99/00;1;_", true, u'_'}, {"999;0", false, u'_'},        {"999;", true, u'_'},
      {"a\\;0", true, u'_'},         {"(999) 000-0000;1; ", true, u' '},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadMaskSaveFlag(S(c.mask)), c.save) << c.mask;
    EXPECT_EQ(ReadMaskBlank(S(c.mask)), c.blank) << c.mask;
  }
}

TEST_P(DxMaskRoutinesTest, CharacterKindsAndPositions) {
  const String mask = S(">LL\\-00:00;0;_");
  EXPECT_EQ(GetMaskCharType(mask, 1), mcDirective);
  EXPECT_EQ(GetMaskCharType(mask, 2), mcMask);
  EXPECT_EQ(GetMaskCharType(mask, 4), mcDirective);  // the escape
  EXPECT_EQ(GetMaskCharType(mask, 5), mcLiteral);    // the escaped "-"
  EXPECT_EQ(GetMaskCharType(mask, 8), mcIntlLiteral);
  EXPECT_EQ(GetMaskCharType(mask, 11), mcFieldSeparator);
  EXPECT_EQ(GetMaskCharType(mask, 12), mcField);
  EXPECT_EQ(MaskCharCount(mask), 8);
  EXPECT_EQ(TextPosToMaskPos(mask, 0), 2);
  EXPECT_EQ(TextPosToMaskPos(mask, 2), 5);
  EXPECT_EQ(TextPosToMaskPos(mask, 8), -1);
  EXPECT_EQ(MaskPosToTextPos(mask, 5), 3);
  EXPECT_TRUE(IsLiteralPosition(mask, 2));
  EXPECT_TRUE(IsLiteralPosition(mask, 5));
  EXPECT_FALSE(IsLiteralPosition(mask, 4));
  EXPECT_TRUE(GetMaskDirectives(mask, 2).Contains(mdUpperCase));
  EXPECT_TRUE(GetMaskDirectives(S("<>0"), 3).Empty());
}

TEST_P(DxMaskRoutinesTest, ApplyMaskFormatFillsFromTheLeftOrTheRight) {
  struct Case {
    const char* mask;
    const char* value;
    const char* expected;  // "." is the date separator, "|" the time separator
  };
  const Case cases[] = {
      {"!99/99/00;1;_", "", "__.__.__"},
      {"99/99/00;1;_", "", "__.__.__"},
      {"99/99/00;1;_", "0107", "01.07.__"},
      {"!99/99/00;1;_", "0107", "__.01.07"},
      {"(999) 000-0000;1;_", "4951234567", "(495) 123-4567"},
      {"(999) 000-0000;1;_", "495", "(495) ___-____"},
      {"00:00;1;_", "1230", "12|30"},
      {"000;0;_", "12345", "123"},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyMaskFormat(S(c.mask), S(c.value), u'_'), Local(c.expected)) << c.mask;
}

TEST_P(DxMaskRoutinesTest, StripMaskDropsLiteralsAndOuterBlanks) {
  EXPECT_EQ(StripMask(S("99/99/00;1;_"), Local("01.07.__"), u'_'), u"0107");
  EXPECT_EQ(StripMask(S("!99/99/00;1;_"), Local("__.01.07"), u'_'), u"0107");
  EXPECT_EQ(StripMask(S("(999) 000-0000;1;_"), S("(4_5) 123-4567"), u'_'), u"4 51234567");
  EXPECT_EQ(StripMask(S("000;0;_"), S("___"), u'_'), u"");
}

TEST_P(DxMaskRoutinesTest, AlignToLiteralsPadsAndCutsEachField) {
  const String mask = S("99/99/0000;1;_");
  EXPECT_EQ(AlignToLiterals(mask, Local("1.7.2024"), u'_'), Local("1_.7_.2024"));
  EXPECT_EQ(AlignToLiterals(mask, Local("123.4"), u'_'), Local("12.4_.____"));
  EXPECT_EQ(AlignToLiterals(mask, S(""), u'_'), Local("__.__.____"));
  EXPECT_EQ(AlignToLiterals(S("!99/99/0000;1;_"), Local("1.7.2024"), u'_'), Local("_1._7.2024"));
  EXPECT_EQ(FitSubField(S("000"), S("ab|cd"), 0, 2, 4, u'_'), u"ab__|cd");
  EXPECT_EQ(FitSubField(S("!000"), S("abcd|"), 0, 4, 2, u'_'), u"cd|");
}

// Which characters each kind of position takes, and what it makes of them.
TEST_P(DxMaskRoutinesTest, EachPositionAcceptsItsKindOfCharacter) {
  struct Case {
    const char* mask;
    int pos;
    const char* typed;
    bool accepted;
    const char* stored;
  };
  const Case cases[] = {
      {"0", 1, "7", true, "7"},   {"0", 1, "a", false, ""},   {"9", 1, " ", false, ""},
      {"#", 1, "+", true, "+"},   {"#", 1, " ", true, " "},   {"#", 1, "x", false, ""},
      {"L", 1, "ж", true, "ж"},   {"L", 1, "5", false, ""},   {"l", 1, "Q", true, "Q"},
      {"A", 1, "5", true, "5"},   {"a", 1, "-", false, ""},   {"C", 1, "-", true, "-"},
      {">L", 2, "ж", true, "Ж"},  {"<L", 2, "Q", true, "q"},  {"<>L", 3, "q", true, "q"},
      {"00-00", 3, "5", true, "-"},
  };
  for (const Case& c : cases) {
    Char fitted = 0;
    const bool accepted = AcceptMaskChar(S(c.mask), c.pos, S(c.typed)[0], fitted);
    EXPECT_EQ(accepted, c.accepted) << c.mask << " " << c.typed;
    if (accepted) {
      EXPECT_EQ(String(1, fitted), S(c.stored)) << c.mask << " " << c.typed;
    }
  }
}

TEST_P(DxMaskRoutinesTest, CompletenessLooksAtRequiredPositionsOnly) {
  int missing = 0;
  EXPECT_TRUE(IsMaskTextComplete(S("000;0;_"), S("123"), u'_', false, missing));
  EXPECT_FALSE(IsMaskTextComplete(S("000;0;_"), S("12_"), u'_', false, missing));
  EXPECT_EQ(missing, 2);
  EXPECT_TRUE(IsMaskTextComplete(S("000;0;_"), S("12_"), u'_', true, missing));
  EXPECT_FALSE(IsMaskTextComplete(S("000;0;_"), S("1 3"), u'_', true, missing));
  EXPECT_EQ(missing, 1);
  EXPECT_TRUE(IsMaskTextComplete(S("CC9"), S("  _"), u'_', false, missing));
}

}  // namespace
