#include <gtest/gtest.h>

#include "cx/editors/cxStandardMask.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

// Describes the compiled items as text: a literal as itself, a class position as its mask letter,
// followed by ^ (upper), v (lower) for case control.
String Describe(const TcxStandardMask& mask) {
  String text;
  for (int i = 0; i < mask.Count(); ++i) {
    TcxStandardMaskCustomItem* item = mask.Items(i);
    if (auto* literal = dynamic_cast<TcxStandardMaskLiteralItem*>(item)) {
      text += u'=';
      text += literal->Literal;
      continue;
    }
    auto* many = dynamic_cast<TcxStandardMaskManyItem*>(item);
    Char letter = u'?';
    if (dynamic_cast<TcxStandardMaskAlphaItem*>(item)) letter = u'L';
    if (dynamic_cast<TcxStandardMaskAlphaNumericItem*>(item)) letter = u'A';
    if (dynamic_cast<TcxStandardMaskASCIIItem*>(item)) letter = u'C';
    if (dynamic_cast<TcxStandardMaskNumericItem*>(item)) letter = u'0';
    if (dynamic_cast<TcxStandardMaskNumericSymbolItem*>(item)) letter = u'#';
    text += many->Optional ? static_cast<Char>(letter == u'0' ? u'9' : letter | 0x20) : letter;
    if (many->CaseControl == 0) text += u'^';
    if (many->CaseControl == 1) text += u'v';
  }
  return text;
}

class StandardMaskTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  TcxStandardMask mask;
};

struct CompileCase {
  const char16_t* mask;
  const char16_t* items;
  const char16_t* empty;
  Char blank;
  bool exclamation;
};

TEST_F(StandardMaskTest, CompilesFieldsLiteralsTailAndCaseDirectives) {
  const CompileCase cases[] = {
      {u"", u"", u"", u'_', false},
      {u"!(999)000-0000;1;_", u"=(999=)000=-0000", u"(___)___-____", u'_', true},
      {u"00/00/00;0;*", u"00=.00=.00", u"**.**.**", u'*', false},
      {u"99:99", u"99=:99", u"__:__", u'_', false},
      {u">LL<ll", u"L^L^lvlv", u"____", u'_', false},
      {u">L<>l", u"L^l", u"__", u'_', false},
      {u"Aa Cc #", u"Aa= Cc= #", u"__ __ _", u'_', false},
      // A tail ';X' is skipped; ';' followed by two or four characters is literal.
      {u"a;b", u"a", u"_", u'_', false},
      {u"0;12", u"0=;=1=2", u"_;12", u'_', false},
      {u"0;1;2;", u"0=;=1=;=2=;", u"_;1;2;", u'_', false},
      {u"0;1x_", u"0=;=1=x=_", u"_;1x_", u'_', false},
      // '\' makes the next character literal; a trailing one is dropped.
      {u"\\0\\L9", u"=0=L9", u"0L_", u'_', false},
      {u"9\\", u"9", u"_", u'_', false},
      {u"\\\\", u"=\\", u"\\", u'_', false},
      // '!' counts only in the first position.
      {u"9!9", u"9=!9", u"_!_", u'_', false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.mask));
    mask.Compile(c.mask);
    EXPECT_EQ(Describe(mask), c.items);
    EXPECT_EQ(mask.GetEmptyString(), c.empty);
    EXPECT_EQ(mask.Blank(), c.blank);
    EXPECT_EQ(mask.ExclamationMark(), c.exclamation);
    EXPECT_EQ(mask.Mask(), c.mask);
  }
}

TEST_F(StandardMaskTest, SeparatorsAreReadAtCompileTime) {
  SetLocale("en-US");
  mask.Compile(u"00/00");
  EXPECT_EQ(mask.GetEmptyString(), u"__/__");
  SetLocale("ru-RU");
  EXPECT_EQ(mask.GetEmptyString(), u"__/__");
  mask.Compile(u"00/00");
  EXPECT_EQ(mask.GetEmptyString(), u"__.__");
}

TEST_F(StandardMaskTest, ClearAndRecompileStartAfresh) {
  mask.Compile(u"!00;1;*");
  mask.Compile(u"00");
  EXPECT_EQ(mask.Blank(), u'_');
  EXPECT_FALSE(mask.ExclamationMark());
  mask.Clear();
  EXPECT_EQ(mask.Count(), 0);
  EXPECT_EQ(mask.Mask(), u"");
}

struct CheckCase {
  const char16_t* mask;
  Char typed;
  bool accepted;
  Char after;
};

TEST_F(StandardMaskTest, ItemsCheckTheirClassAndConvertCase) {
  const CheckCase cases[] = {
      {u"L", u'a', true, u'a'},
      {u"L", u'1', false, u'1'},
      {u"L", u'\u0436', false, u'\u0436'},
      {u"A", u'7', true, u'7'},
      {u"A", u'-', false, u'-'},
      {u"C", u' ', true, u' '},
      {u"C", u'_', true, u'_'},
      {u"0", u'5', true, u'5'},
      {u"0", u'x', false, u'x'},
      {u"#", u'+', true, u'+'},
      {u"#", u'-', true, u'-'},
      {u"#", u'.', false, u'.'},
      {u">L", u'b', true, u'B'},
      {u"<L", u'B', true, u'b'},
      {u">C", u'\u0436', true, u'\u0436'},
      // Case control applies even when the test fails.
      {u">0", u'q', false, u'Q'},
      {u"x", u'x', true, u'x'},
      {u"x", u'X', false, u'X'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.mask) + " " + StringToUtf8(String(1, c.typed)));
    mask.Compile(c.mask);
    Char ch = c.typed;
    EXPECT_EQ(mask.Items(0)->Check(ch), c.accepted);
    EXPECT_EQ(ch, c.after);
  }
}

struct FormatCase {
  const char16_t* mask;
  const char16_t* text;
  const char16_t* formatted;
};

TEST_F(StandardMaskTest, FormatOffersEachCharacterToTheFirstFreePosition) {
  const FormatCase cases[] = {
      {u"", u"abc", u""},
      {u"99", u"1 2", u"1_"},  // the space uses up the second position, '2' is dropped
      {u"(000)", u"(123)", u"(123)"},
      {u"(000)", u"123", u"(123)"},
      {u"!(999)000-0000;1;_", u"5551234567", u"(555)123-4567"},
      {u"!(999)000-0000;1;_", u"(555)123-4567", u"(555)123-4567"},
      {u">LL<ll", u"abCD", u"ABcd"},
      {u"00.00", u"1", u"1_.__"},
      {u"LL", u"1a2b", u"ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.mask) + " " + StringToUtf8(c.text));
    mask.Compile(c.mask);
    String text = c.text;
    mask.Format(text);
    EXPECT_EQ(text, c.formatted);
  }
}

struct ValidCase {
  const char16_t* mask;
  const char16_t* text;
  bool fullValid;
  bool valid;
};

TEST_F(StandardMaskTest, FullValidNeedsRequiredPositionsValidAllowsBlanks) {
  const ValidCase cases[] = {
      {u"", u"", true, true},
      {u"(000)", u"(123)", true, true},
      {u"(000)", u"(1_3)", false, true},  // a blank in a required position
      {u"(000)", u"(1 3)", false, true},
      {u"09", u"1_", true, true},
      {u"(000)", u"(1", false, true},  // shorter text
      {u"(000)", u"(1234)", false, false},
      {u"(000)", u"[123)", false, false},
      {u"00;0;*", u"1*", false, true},
      {u"99;0;*", u"1*", true, true},
      {u"99;0;*", u"1_", false, false},  // '_' is not the blank of this mask
      {u"LL", u"a1", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.mask) + " " + StringToUtf8(c.text));
    mask.Compile(c.mask);
    String full = c.text;
    EXPECT_EQ(mask.IsFullValid(full), c.fullValid);
    String weak = c.text;
    EXPECT_EQ(mask.IsValid(weak), c.valid);
  }
}

TEST_F(StandardMaskTest, ValidationConvertsTheCallersTextInPlace) {
  mask.Compile(u">LL");
  String text = u"ab";
  EXPECT_TRUE(mask.IsFullValid(text));
  EXPECT_EQ(text, u"AB");
}

}  // namespace
