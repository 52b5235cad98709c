#include <gtest/gtest.h>

#include "cx/editors/cxDateUtils.h"
#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxFormats.h"
#include "cx/editors/cxRegExpr.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include "platform/rtl/StringTable.h"

namespace {

// Wednesday 14 February 2024 (a leap year), 06:00.
const TDateTime kToday = EncodeDate(2024, 2, 14);
const TDateTime kNow = kToday + 0.25;

class DateUtilsTest : public ::testing::Test {
 protected:
  void SetUp() override { UseLocale("ru-RU"); }
  void TearDown() override {
    GetFormatController()->SetUsePlatformDateFormats(false);
    UseLocale("ru-RU");
  }
  static void UseLocale(const char* name) {
    SetLocale(name);
    GetFormatController()->Refresh();
  }
  VirtualClockScope clock{kNow};
};

TEST_F(DateUtilsTest, MonthPairs) {
  struct Case {
    Integer year, month, delta, newYear, newMonth;
  };
  const Case cases[] = {
      {2024, 1, -1, 2023, 12}, {2024, 11, 14, 2026, 1}, {2024, 3, -15, 2022, 12}, {2024, 12, 1, 2025, 1},
      {2024, 5, 0, 2024, 5},   {2024, 5, 24, 2026, 5},  {2024, 5, -24, 2022, 5},  {2024, 1, -13, 2022, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " + " << c.delta);
    Integer year = c.year, month = c.month;
    IncMonthPair(year, month, c.delta);
    EXPECT_EQ(year, c.newYear);
    EXPECT_EQ(month, c.newMonth);
  }
  Integer year = 2024, month = 1;
  PrevMonthPair(year, month);
  EXPECT_EQ(year * 100 + month, 202312);
  NextMonthPair(year, month);
  NextMonthPair(year, month);
  EXPECT_EQ(year * 100 + month, 202402);
}

TEST_F(DateUtilsTest, CalendarRules) {
  EXPECT_EQ(CheckDayOfMonth(2023, 2, 30), 28);
  EXPECT_EQ(CheckDayOfMonth(2024, 2, 30), 29);
  EXPECT_EQ(CheckDayOfMonth(2024, 5, 0), 1);
  EXPECT_EQ(CheckDayOfMonth(2024, 5, 31), 31);
  EXPECT_EQ(CheckDayOfMonth(2024, 4, 31), 30);
  for (Integer year : {2000, 2024, -4, -400, 0}) EXPECT_TRUE(cxIsLeapYear(year)) << year;
  for (Integer year : {1900, 2023, -100, -1}) EXPECT_FALSE(cxIsLeapYear(year)) << year;
  EXPECT_EQ(DaysInMonthOf(1900, 2), 28);
  EXPECT_EQ(DaysInMonthOf(2000, 2), 29);
  EXPECT_EQ(DaysInMonthOf(2023, 12), 31);
  EXPECT_EQ(DaysInMonthOf(2023, 9), 30);
  EXPECT_EQ(GetDateElement(deYear, kNow), 2024);
  EXPECT_EQ(GetDateElement(deMonth, kNow), 2);
  EXPECT_EQ(GetDateElement(deDay, kNow), 14);
}

TEST_F(DateUtilsTest, DateAndTimeOfAValue) {
  EXPECT_EQ(DateOfValue(45336.75), 45336);
  EXPECT_EQ(DateOfValue(45337 - 1e-12), 45337);  // short of a whole day by less than 1e-11
  EXPECT_EQ(DateOfValue(45337 - 1e-9), 45336);
  EXPECT_EQ(DateOfValue(-1.5), -1);
  EXPECT_EQ(DateOfValue(-2 + 1e-12), -2);
  EXPECT_DOUBLE_EQ(TimeOfValue(45336.75), 0.75);
  EXPECT_DOUBLE_EQ(TimeOfValue(45336.5 + 0.4 / 86400000.0), 0.5);  // millisecond precision
  EXPECT_EQ(TimeOfValue(45336), 0);
}

struct SmartCase {
  const char16_t* text;
  TDateTime expected;
};

TEST_F(DateUtilsTest, SmartWordsWithTheirOffsets) {
  const SmartCase cases[] = {
      {u"today", kToday},
      {u"today+3", kToday + 3},
      {u"Today - 2", kToday - 2},
      {u"  TOMORROW  ", kToday + 1},
      {u"tomorrowx", kToday + 1},  // the rest is not a signed number: ignored
      {u"today+", kToday},
      {u"today+x", kToday},
      {u"today +10", kToday + 10},
      {u"yesterday", kToday - 1},
      {u"Monday", kToday + 5},  // the next Monday
      {u"wednesday", kToday},   // today itself
      {u"Tuesday", kToday + 6},
      {u"sunday+1", kToday + 5},
      {u"first", kToday - 3},  // this week's Sunday
      {u"fifth", kToday + 1},
      {u"seventh", kToday + 3},
      {u"bom", EncodeDate(2024, 2, 1)},
      {u"eom", EncodeDate(2024, 2, 29)},
      {u"eom-1", EncodeDate(2024, 2, 28)},
      {u"now", kNow},
      {u"now+1", kNow + 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.text));
    TDateTime date = 0;
    EXPECT_TRUE(SmartTextToDate(c.text, date));
    EXPECT_DOUBLE_EQ(date, c.expected);
  }
}

TEST_F(DateUtilsTest, SmartWordsComeFromTheStringTableLongestFirst) {
  EXPECT_EQ(FindSmartDateWord(u"SATURDAY+2"), sdwSunday + 6);
  EXPECT_EQ(FindSmartDateWord(u"someday"), -1);
  // A translation where one word begins another: the longer one wins.
  RegisterResourceString(cxSDateToday, u"to");
  EXPECT_EQ(FindSmartDateWord(u"tomorrow"), sdwTomorrow);
  EXPECT_EQ(FindSmartDateWord(u"to+1"), sdwToday);
  TDateTime date = 0;
  EXPECT_TRUE(SmartTextToDate(u"to+1", date));
  EXPECT_EQ(date, kToday + 1);
  RegisterResourceString(cxSDateToday, u"today");
  EXPECT_EQ(cxGetSmartDateWord(sdwToday), u"today");
}

struct TextDateCase {
  const char* locale;
  const char16_t* text;
  bool ok;
  TDateTime expected;
};

TEST_F(DateUtilsTest, OtherTextsFallBackToTheVariantConversion) {
  const TextDateCase cases[] = {
      {"ru-RU", u"12.03.2024", true, EncodeDate(2024, 3, 12)},
      {"ru-RU", u" 1.2.2023 ", true, EncodeDate(2023, 2, 1)},
      {"ru-RU", u"12 марта 2024", true, EncodeDate(2024, 3, 12)},
      {"en-US", u"3/12/2024", true, EncodeDate(2024, 3, 12)},
      {"en-US", u"12-Mar-2024", true, EncodeDate(2024, 3, 12)},
      {"ru-RU", u"garbage", false, cxNullDate},
      {"en-US", u"31/31/2024", false, cxNullDate},
      {"ru-RU", u"", false, cxNullDate},
      {"ru-RU", u"   ", false, cxNullDate},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " " + StringToUtf8(c.text));
    UseLocale(c.locale);
    TDateTime date = 0;
    EXPECT_EQ(SmartTextToDate(c.text, date), c.ok);
    EXPECT_DOUBLE_EQ(date, c.expected);
  }
}

TEST_F(DateUtilsTest, FirstTwoDotsBecomeBlanksOnlyForTheLocalesDotSeparator) {
  // The blanks make "+.1" read as "+ 1" after a smart word; only the first two dots change.
  TDateTime date = 0;
  ASSERT_TRUE(SmartTextToDate(u"today+.1", date));
  EXPECT_EQ(date, kToday + 1);
  ASSERT_TRUE(SmartTextToDate(u"today+..1", date));
  EXPECT_EQ(date, kToday + 1);
  ASSERT_TRUE(SmartTextToDate(u"today+...1", date));
  EXPECT_EQ(date, kToday);
  GetFormatController()->SetUsePlatformDateFormats(true);
  ASSERT_TRUE(SmartTextToDate(u"today+.1", date));
  EXPECT_EQ(date, kToday);
  GetFormatController()->SetUsePlatformDateFormats(false);
  UseLocale("en-US");
  ASSERT_TRUE(SmartTextToDate(u"today+.1", date));
  EXPECT_EQ(date, kToday);
}

TEST_F(DateUtilsTest, TryTextToDateByEitherConversion) {
  TDateTime date = 0;
  EXPECT_TRUE(TryTextToDate(u"14.02.2024", false, date));
  EXPECT_EQ(date, kToday);
  EXPECT_FALSE(TryTextToDate(u"14 февраля 2024", false, date));
  EXPECT_EQ(date, cxNullDate);
  EXPECT_TRUE(TryTextToDate(u"14 февраля 2024", true, date));
  EXPECT_EQ(date, kToday);
  EXPECT_FALSE(TryTextToDate(u"31.02.2024", false, date));
  EXPECT_EQ(date, cxNullDate);
  EXPECT_FALSE(TryTextToDate(u"today", true, date));
}

TEST_F(DateUtilsTest, DateTexts) {
  EXPECT_EQ(cxDateTimeToText(cxNullDate), u"");
  EXPECT_EQ(cxDateTimeToText(kToday), u"14.02.2024");
  EXPECT_EQ(cxDateTimeToText(kToday + 0.5), u"14.02.2024 12:00:00");
  EXPECT_EQ(DateToDisplayText(true, kToday + 0.5), u"14.02.2024");
  EXPECT_EQ(DateToDisplayText(false, kToday + 0.5), u"14.02.2024 12:00:00");
  EXPECT_EQ(DateToDisplayText(true, cxNullDate), u"");
  EXPECT_EQ(DateToDisplayText(false, cxNullDate), u"");
  UseLocale("en-US");
  EXPECT_EQ(cxDateTimeToText(kToday), u"2/14/2024");
  EXPECT_EQ(cxDateTimeToText(kToday + 0.5), u"2/14/2024 12:00:00 PM");
  EXPECT_EQ(DateToDisplayText(true, kToday), u"02/14/2024");
  GetFormatController()->SetUsePlatformDateFormats(true);
  EXPECT_EQ(cxDateTimeToText(kToday + 0.5), u"2/14/2024 12:00:00 PM");
  EXPECT_EQ(cxDateTimeToText(kToday), u"2/14/2024");
}

struct MaskCase {
  const char16_t* text;
  bool accepted;
};

TEST_F(DateUtilsTest, RegExprDateMaskAcceptsDatesAndSmartWords) {
  const MaskCase russian[] = {
      {u"14.02.2024", true}, {u"1.2.2024", true}, {u"31.12.1999", true},  {u"14.фев.2024", true},
      {u"today+3", true},    {u"eom-10", true},   {u"32.01.2024", false}, {u"14.13.2024", false},
      {u"14.02.24", false},  {u"today", false},   {u"0.01.2024", false},
  };
  const String mask = cxGetRegExprDateEditMask(GetFormatController()->DateEditFormat(), true);
  EXPECT_EQ(mask, GetFormatController()->RegExprDateEditMask());
  for (const auto& c : russian) {
    SCOPED_TRACE(StringToUtf8(c.text));
    TcxRegExpr re;
    re.Compile(mask);
    EXPECT_EQ(re.FilterText(c.text) == c.text && re.IsFinal(), c.accepted);
  }

  UseLocale("en-US");
  EXPECT_EQ(cxGetRegExprDateEditMask(u"d-MMMM-yy", false),
            u"([012]?[1-9]|[123]0|31)'/'((0?[1-9]|1[012])|(January|February|March|April|May|June|July|August|"
            u"September|October|November|December))'/'\\d\\d");
  TcxRegExpr re;
  re.Compile(GetFormatController()->RegExprDateEditMask());
  EXPECT_EQ(re.FilterText(u"12/31/2024"), u"12/31/2024");
  EXPECT_TRUE(re.IsFinal());
}

}  // namespace

TEST(CxSmartDateWords, AReplacedStringTableEntryChangesTheWord) {
  cxSetResourceStringReplacement(cxSDateToday, u"сегодня");
  EXPECT_EQ(cxGetSmartDateWord(0), u"сегодня");
  cxClearResourceStringReplacements();
  EXPECT_EQ(cxGetSmartDateWord(0), u"today");
}
