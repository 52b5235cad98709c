#include <gtest/gtest.h>

#include "dx/editors/dxEditorRoutines.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

TEST(DxEditorRoutinesTest, DefaultCurrencyFormatQuotesSeparatorsInTheSymbol) {
  const TFormatSettings saved = FormatSettings();
  struct Case {
    const char* symbol;
    Byte format;
    Byte decimals;
    const char* expected;
  };
  const Case cases[] = {
      {"$", 0, 2, "$,0.00;-$,0.00"},
      {"р.", 1, 2, ",0.00р'.';-,0.00р'.'"},
      {"a,b.", 3, 2, ",0.00 a','b'.';-,0.00 a','b'.'"},
      {"€", 2, 0, "€ ,0.;-€ ,0."},
      {"", 1, 2, ",0.00;-,0.00"},
  };
  for (const Case& c : cases) {
    TFormatSettings fs = saved;
    fs.CurrencyString = Utf8ToString(c.symbol);
    fs.CurrencyFormat = c.format;
    fs.CurrencyDecimals = c.decimals;
    SetFormatSettings(fs);
    EXPECT_EQ(StringToUtf8(GetDefaultCurrencyDisplayFormat()), c.expected) << c.symbol;
  }
  SetFormatSettings(saved);
}

TEST(DxEditorRoutinesTest, DatePartsWithTolerance) {
  EXPECT_EQ(TruncWithTolerance(3.0 - 1e-12), 3);
  EXPECT_EQ(TruncWithTolerance(2.999), 2);
  EXPECT_EQ(TruncWithTolerance(-1.5), -1);
  EXPECT_EQ(TruncWithTolerance(-2.0 + 1e-12), -2);
  EXPECT_NEAR(GetTimePart(-1.25), 0.25, 1e-9);
  EXPECT_NEAR(GetTimePart(45000.75), 0.75, 1e-9);
  EXPECT_NEAR(dxMaxTime, (23 * 3600 + 59 * 60 + 59) / 86400.0, 1e-12);
}

TEST(DxEditorRoutinesTest, StartUpLoadsTheKeywordsAndTheHandCursor) {
  EXPECT_EQ(DateKeywords()[0], u"TODAY");
  EXPECT_EQ(DateKeywords()[3], u"SUNDAY");
  EXPECT_EQ(DateKeywords()[19], u"NOW");
  EXPECT_NE(Screen->Cursors(crdxHandPoint), Screen->Cursors(crDefault));
}

TEST(DxEditorRoutinesTest, TheDefaultCheckSizeComesFromTheSystemPicture) {
  EXPECT_EQ(dxDefaultCheckSize().cx, 13);
  EXPECT_EQ(dxDefaultCheckSize().cy, 13);
}

}  // namespace
