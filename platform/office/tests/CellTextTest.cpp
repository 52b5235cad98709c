// Displayed text per format code and value, in the Russian locale the program runs with.
#include <gtest/gtest.h>

#include <limits>

#include "platform/office/CellText.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

struct FormatCase {
  double value;
  const char16_t* code;
  const char16_t* shown;
};

class CellTextTest : public testing::Test {
 protected:
  void SetUp() override { SetLocale("ru-RU"); }
  void TearDown() override { SetLocale("en-US"); }
};

TEST_F(CellTextTest, ShowsValuesAsTheirFormatSays) {
  const FormatCase cases[] = {
      {1234, u"", u"1234"},
      {1234.5, u"General", u"1234,5"},
      {-0.125, u"", u"-0,125"},
      {1.0 / 3, u"", u"0,3333333333"},
      {123456789012345.0, u"", u"1,23457E+14"},
      {0.00001, u"", u"0,00001"},
      {-2.5e-12, u"", u"-2,5E-12"},
      {98765.4321, u"", u"98765,4321"},
      {3.14159, u"0.00", u"3,14"},
      {2.5, u"0", u"3"},
      {1.005, u"0.00", u"1,01"},
      {1234567.891, u"#,##0.00", u"1\u00A0234\u00A0567,89"},
      {0.256, u"0.0%", u"25,6%"},
      {-5, u"0;(0)", u"(5)"},
      {0, u"0;-0;\"нет\"", u"нет"},
      {7, u"\"№ \"0", u"№ 7"},
      {42, u"@", u"42"},
      {43831, u"dd.mm.yyyy", u"01.01.2020"},
      {43831.75, u"dd.mm.yyyy h:mm", u"01.01.2020 18:00"},
      {43831, u"[$-419]d mmmm yyyy", u"1 Январь 2020"},
      {43831, u"yyyy\"г.\"", u"2020г."},
      {43831, u"d\\-mmm\\-yy", u"1-янв-20"},
      {0.5 + 90.0 / 86400, u"hh:mm:ss", u"12:01:30"},
      {0.75, u"h:mm AM/PM", u"6:00 PM"},
      {1.5, u"[h]:mm", u"36:00"},
      {60, u"dd.mm.yyyy", u"29.02.1900"},
      {61, u"dd.mm.yyyy", u"01.03.1900"},
      {1, u"dd.mm.yyyy", u"01.01.1900"},
      {43831, u"[Red]dd/mm/yyyy", u"01/01/2020"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.code));
    EXPECT_EQ(FormatCellNumber(c.value, c.code, false), c.shown);
  }
}

TEST_F(CellTextTest, DateSystemsDifferByFourYearsAndADay) {
  EXPECT_EQ(FormatCellNumber(0, u"dd.mm.yyyy", true), u"01.01.1904");
  EXPECT_EQ(FormatCellNumber(43831 - 1462, u"dd.mm.yyyy", true), u"01.01.2020");
}

TEST_F(CellTextTest, ValuesOutsideTheDateRangeShowAsNumbers) {
  for (const char16_t* code : {u"", u"0.00", u"dd.mm.yyyy"}) {
    EXPECT_EQ(FormatCellNumber(std::numeric_limits<double>::quiet_NaN(), code, false), u"#NUM!");
    EXPECT_EQ(FormatCellNumber(-std::numeric_limits<double>::infinity(), code, false), u"#NUM!");
  }
  EXPECT_EQ(FormatCellNumber(1e300, u"0." + String(400, u'0'), false).size(), 301u + 1 + 30);
  EXPECT_EQ(FormatCellNumber(-1, u"dd.mm.yyyy", false), u"-1");
  EXPECT_EQ(FormatCellNumber(1e10, u"dd.mm.yyyy", false), u"10000000000");
}

TEST_F(CellTextTest, BuiltInShortDateFollowsTheLocale) {
  Workbook book;
  book.xfFormats = {14};
  WorkbookCell cell{WorkbookCell::Kind::Number, {}, 32874, 0};
  EXPECT_EQ(CellDisplayText(book, cell), u"01.01.1990");
  SetLocale("en-US");
  EXPECT_EQ(CellDisplayText(book, cell), u"1/1/1990");
}

}  // namespace

namespace {

// Format codes come from the file: any text must format without fault.
TEST_F(CellTextTest, ArbitraryFormatCodesNeverFault) {
  const String alphabet = u"0#?.,%Ee+-;\"\\[]$hHmMsSdDyYAMP/@_* 419Gg";
  const double values[] = {0, -1, 0.5, 43831.75, 1e15, -1e-15, 2958466, 1e300};
  std::uint32_t seed = 7;
  for (int round = 0; round < 20000; ++round) {
    String code;
    seed = seed * 1103515245 + 12345;
    for (std::uint32_t n = seed >> 27; n > 0; --n) {
      seed = seed * 1103515245 + 12345;
      code.push_back(alphabet[(seed >> 16) % alphabet.size()]);
    }
    for (double value : values) EXPECT_NO_THROW(FormatCellNumber(value, code, round % 2 == 0)) << StringToUtf8(code);
  }
}

}  // namespace
