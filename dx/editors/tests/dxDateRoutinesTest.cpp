#include "dx/editors/dxDateRoutines.h"

#include <gtest/gtest.h>

#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

class DxDateRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    clock_->SetNow(EncodeDate(2024, 2, 14) + 0.25);  // a Wednesday in a leap year, 6:00
  }
  void TearDown() override { SetFormatSettings(saved_); }
  static TDateTime Day(int D, int M = 2) { return EncodeDate(2024, static_cast<Word>(M), static_cast<Word>(D)); }

  VirtualClockScope clock_;
  TFormatSettings saved_;
};

}  // namespace

TEST_F(DxDateRoutinesTest, Keywords) {
  struct Case {
    const char* text;
    bool found;
    TDateTime date;
  } cases[] = {
      {"TODAY", true, Day(14)},        {"today", true, Day(14)},          {"Yesterday", true, Day(13)},
      {"TOMORROW", true, Day(15)},     {"SUNDAY", true, Day(18)},         {"wednesday", true, Day(14)},
      {"TUESDAY", true, Day(20)},      {"FIRST", true, Day(11)},          {"SEVENTH", true, Day(17)},
      {"BOM", true, Day(1)},           {"EOM", true, Day(29)},            {"NOW", true, Day(14) + 0.25},
      {"NOWHERE", true, Day(14) + 0.25},  // only the start is compared
      {"today+3", true, Day(17)},      {"TODAY - 20", true, Day(25, 1)},  {"TODAY +  2 ", true, Day(16)},
      {"TODAY+", true, Day(14)},       {"TODAY+x", true, Day(14)},        {"EOM-1.5", true, Day(29)},
      {"TOD", false, 0},               {"the TODAY", false, 0},
  };
  for (const Case& c : cases) {
    TDateTime date = -1;
    EXPECT_EQ(ParseDateKeyword(Utf8ToString(c.text), date), c.found) << c.text;
    if (c.found) EXPECT_DOUBLE_EQ(date, c.date) << c.text;
    else EXPECT_EQ(date, -1) << c.text;
  }
}

TEST_F(DxDateRoutinesTest, MasksAndFormatsForRussianAndEnglishSettings) {
  struct Case {
    const char* locale;
    const char* shortFormat;  // nullptr: the locale's own
    const char* mask;
    const char* format;
    const char* shown;  // 2024-03-05 in the edit format
  } cases[] = {
      {"ru-RU", nullptr, "!99.99.9999;1; ", "dd.MM.yyyy", "05.03.2024"},
      {"ru-RU", "d.M.yy", "!99.99.99;1; ", "dd.MM.yy", "05.03.24"},
      {"en-US", nullptr, "!99/99/9999;1; ", "MM/dd/yyyy", "03/05/2024"},
      {"en-US", "dd-MMMM-yyyy", "!99-lll-9999;1; ", "dd-MMM-yyyy", "05-Mar-2024"},
  };
  for (const Case& c : cases) {
    TFormatSettings fs = LocaleFormatSettings(c.locale);
    if (c.shortFormat) fs.ShortDateFormat = Utf8ToString(c.shortFormat);
    SetFormatSettings(fs);
    EXPECT_EQ(StringToUtf8(GetDateEditMask()), c.mask) << c.locale << " " << StringToUtf8(fs.ShortDateFormat);
    EXPECT_EQ(StringToUtf8(GetDateEditFormat()), c.format) << c.locale;
    EXPECT_EQ(StringToUtf8(DateToEditText(true, Day(5, 3))), c.shown) << c.locale;
  }
}

TEST_F(DxDateRoutinesTest, ParsingText) {
  SetLocale("ru-RU");
  struct Case {
    const char* text;
    bool parsed;
    TDateTime date;
  } cases[] = {
      {"05.03.2024", true, Day(5, 3)},  {" 5.3.2024 ", true, Day(5, 3)},  {"tomorrow", true, Day(15)},
      {"", false, 0},                   {"   ", false, 0},                {"nonsense", false, 0},
      {"31.02.2024", false, 0},
  };
  for (const Case& c : cases) {
    TDateTime date = -1;
    EXPECT_EQ(ParseDateText(Utf8ToString(c.text), date), c.parsed) << c.text;
    EXPECT_DOUBLE_EQ(date, c.parsed ? c.date : -1) << c.text;
  }
  EXPECT_EQ(DateToLocaleText(dxNullDate), u"");
  EXPECT_EQ(StringToUtf8(DateToLocaleText(Day(5, 3))), "05.03.2024");
  EXPECT_EQ(StringToUtf8(DateToLocaleText(Day(5, 3) + 0.5)), "05.03.2024 12:00:00");
  EXPECT_EQ(DateToEditText(false, dxNullDate), u"");
}

TEST_F(DxDateRoutinesTest, HookAnswersWhenNoKeywordMatches) {
  SetDateTextHook([](const String& Text, TDateTime& Date) {
    if (Text != u"payday") return false;
    Date = 123;
    return true;
  });
  TDateTime date = 0;
  EXPECT_TRUE(ParseDateKeyword(u"payday", date));
  EXPECT_EQ(date, 123);
  EXPECT_FALSE(ParseDateKeyword(u"someday", date));
  SetDateTextHook(nullptr);
  EXPECT_FALSE(ParseDateKeyword(u"payday", date));
}
