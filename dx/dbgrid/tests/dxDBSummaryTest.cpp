#include <gtest/gtest.h>

#include "dx/dbgrid/dxDBSummary.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/String.h"

namespace {

struct TSummaryCase {
  TdxSummaryType Type;
  const char16_t* Format;
  TFieldType DataType;
  double Value;
  int Style;
  const char* Expected;
};

// The tests run in the program's Russian locale: a comma separates the decimals.
TEST(DxDBSummary, FormatsNumbersByKindAndStyle) {
  const TSummaryCase cases[] = {
      {cstNone, u"", ftInteger, 5, 1, ""},
      {cstSum, u"", ftFloat, 1234.5, 1, "1234,50"},
      {cstSum, u"", ftFloat, -2, 1, "-2,00"},
      {cstSum, u"", ftFloat, -2, 0, "(SUM=-2,00)"},
      {cstCount, u"", ftInteger, 7, 1, "7"},
      {cstCount, u"", ftInteger, 7, 0, "(COUNT=7)"},
      {cstCount, u"", ftDate, 7, 0, "(COUNT=7)"},
      {cstMin, u"", ftInteger, 3, 1, "MIN=3,00"},
      {cstAvg, u"", ftInteger, 2.5, 0, "(AVG=2,50)"},
      {cstMax, u"0", ftInteger, 9, 1, "9"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StringToUtf8(FormatSummaryValue(c.Type, c.Format, c.DataType, c.Value, c.Style)), c.Expected)
        << c.Expected;
}

TEST(DxDBSummary, DatesCarryTheirPrefix) {
  const double day = 45000;
  const std::string date = StringToUtf8(DateToStr(day));
  EXPECT_EQ(StringToUtf8(FormatSummaryValue(cstMin, u"", ftDate, day, 0)), "(MIN=" + date + ")");
  EXPECT_EQ(StringToUtf8(FormatSummaryValue(cstMin, u"", ftDate, day, 1)), "MIN=" + date);
  EXPECT_EQ(StringToUtf8(FormatSummaryValue(cstMin, u"from ", ftDate, day, 0)), "from " + date);
}

}  // namespace
