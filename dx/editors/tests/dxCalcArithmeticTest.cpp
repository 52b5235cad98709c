#include "dx/editors/dxCalcArithmetic.h"

#include <gtest/gtest.h>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

namespace {

class TTextDisplay : public TdxCalcDisplay {
 public:
  String ReadDisplay() override { return Text; }
  void WriteDisplay(const String& Value) override {
    Text = Value;
    ++Writes;
  }
  String Text = u"0";
  int Writes = 0;
};

// Keys as typed characters, with 'B' for Back, 'C' for C, 'E' for CE, 'S' MS, 'R' MR, 'P' M+,
// 'L' MC, 'N' +/-, 'Q' sqrt, 'V' 1/x.
TdxCalcButtonKind KeyOf(char c) {
  switch (c) {
    case 'B': return cbBack;
    case 'C': return cbClear;
    case 'E': return cbCancel;
    case 'S': return cbMS;
    case 'R': return cbMR;
    case 'P': return cbMP;
    case 'L': return cbMC;
    case 'N': return cbSign;
    case 'Q': return cbSqrt;
    case 'V': return cbRev;
    default: return CalcKeyOfChar(static_cast<Char>(c));
  }
}

class DxCalcArithmeticTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    TFormatSettings fs = saved_;
    fs.DecimalSeparator = u'.';
    SetFormatSettings(fs);
  }
  void TearDown() override { SetFormatSettings(saved_); }

  void Type(const char* Keys) {
    for (const char* k = Keys; *k; ++k) calc.ProcessKey(KeyOf(*k));
  }

  TTextDisplay display;
  TdxCalcArithmetic calc{display};
  TFormatSettings saved_;
};

}  // namespace

TEST_F(DxCalcArithmeticTest, Sequences) {
  struct Case {
    const char* keys;
    const char* shown;
  } cases[] = {
      {"2+3=", "5"},
      {"2+3==", "5"},           // a pending "=" computes nothing
      {"200+10%", "220"},       // 10 % of 200 added at once
      {"50*10%", "5"},
      {"2+*3=", "6"},           // a second operation key only replaces the pending one
      {"7-10=", "-3"},
      {"1/4=", "0.25"},
      {"9Q", "3"},
      {"4V", "0.25"},
      {"12N", "-12"},
      {"1.5.2", "1.52"},        // a second separator is ignored
      {"123B", "12"},
      {"5B", "0"},
      {"5NB", "0"},             // "-5" is one digit long for Back
      {"12SC3+R=", "15"},       // "C" keeps the memory
      {"12SCR3", "123"},        // "MR" leaves the entry open
      {"2SPR", "4"},
      {"5/0=", "Error"},
      {"5/0=7+", "Error"},      // only CE and C leave the error state
      {"5/0=E", "0"},
      {"0V", "Error"},
      {"4NQ", "Error"},
  };
  for (const Case& c : cases) {
    display.Text = u"0";
    calc.Reset();
    calc.ProcessKey(cbClear);
    Type(c.keys);
    EXPECT_EQ(StringToUtf8(display.Text), c.shown) << c.keys;
  }
}

TEST_F(DxCalcArithmeticTest, PrecisionLimitsTypedDigitsAndBeeps) {
  const int beeps = MessageBeepCount();
  Type("1234567890123456");
  EXPECT_EQ(StringToUtf8(display.Text), "1234567890123");
  EXPECT_EQ(MessageBeepCount() - beeps, 3);
  Type("C1N234567890123");  // a leading minus does not count
  EXPECT_EQ(StringToUtf8(display.Text), "-1234567890123");
  Type("C1.23456789012345");  // the separator counts
  EXPECT_EQ(StringToUtf8(display.Text), "1.23456789012");
  EXPECT_EQ(MessageBeepCount() - beeps, 6);
  calc.SetBeepOnError(false);
  Type("9");
  EXPECT_EQ(MessageBeepCount() - beeps, 6);
}

// Text typed into the editor is the display: a text that is not a number puts the calculator in
// its error state instead of raising out of the key press.
TEST_F(DxCalcArithmeticTest, UnconvertibleDisplayIsAnError) {
  int errors = 0;
  calc.OnCalcError = [&] { ++errors; };
  for (TdxCalcButtonKind key : {cbAdd, cbSign, cbSqrt, cbMS, cbEqual}) {
    calc.ProcessKey(cbClear);
    Type("1");
    display.Text = u"abc";
    EXPECT_NO_THROW(calc.ProcessKey(key)) << key;
    EXPECT_EQ(calc.EntryState(), cesError) << key;
    EXPECT_EQ(StringToUtf8(display.Text), "Error") << key;
  }
  EXPECT_EQ(errors, 5);
  calc.ProcessKey(cbClear);
  EXPECT_EQ(StringToUtf8(display.Text), "0");
  EXPECT_EQ(calc.EntryState(), cesStart);
}

TEST_F(DxCalcArithmeticTest, EventsAndMemoryKeys) {
  int results = 0, changes = 0;
  calc.OnCalcResult = [&] { ++results; };
  calc.OnDisplayTextChange = [&] { ++changes; };
  calc.OnCalcButton = [](TdxCalcButtonKind& Key) {
    if (Key == cbMul) Key = cbAdd;
  };
  Type("2*3=");
  EXPECT_EQ(StringToUtf8(display.Text), "5");
  EXPECT_EQ(results, 1);
  EXPECT_EQ(changes, 4);  // "2", "0" for the new number, "3", "5"
  EXPECT_TRUE(calc.MemoryKeysGreyed());
  Type("S");
  EXPECT_FALSE(calc.MemoryKeysGreyed());
  Type("C");
  EXPECT_FALSE(calc.MemoryKeysGreyed());
  Type("L");
  EXPECT_TRUE(calc.MemoryKeysGreyed());
}

TEST_F(DxCalcArithmeticTest, PasteReadsAnAmountWithTheCurrencyString) {
  TFormatSettings fs = FormatSettings();
  fs.CurrencyString = u"р.";
  SetFormatSettings(fs);
  calc.PasteText(u" 12.5 р.");
  EXPECT_EQ(StringToUtf8(display.Text), "12.5");
  EXPECT_EQ(calc.EntryState(), cesNumber);
  Type("1");
  EXPECT_EQ(StringToUtf8(display.Text), "12.51");
  calc.PasteText(u"twelve");
  EXPECT_EQ(StringToUtf8(display.Text), "0");
}

TEST(DxCalcKeys, KeyboardMapping) {
  EXPECT_EQ(CalcKeyOfVirtualKey(VK_RETURN, false), cbEqual);
  EXPECT_EQ(CalcKeyOfVirtualKey(VK_ESCAPE, false), cbClear);
  EXPECT_EQ(CalcKeyOfVirtualKey(VK_DELETE, false), cbCancel);
  EXPECT_EQ(CalcKeyOfVirtualKey('R', false), cbRev);
  EXPECT_EQ(CalcKeyOfVirtualKey('R', true), cbMR);
  EXPECT_EQ(CalcKeyOfVirtualKey('C', true), cbNone);
  EXPECT_EQ(CalcKeyOfVirtualKey('P', true), cbMP);
  EXPECT_EQ(CalcKeyOfChar(u'@'), cbSqrt);
  EXPECT_EQ(CalcKeyOfChar(u'\b'), cbBack);
  EXPECT_EQ(CalcKeyOfChar(u'x'), cbNone);
}
