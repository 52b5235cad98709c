#include <gtest/gtest.h>

#include <string>

#include "LocaleTestSupport.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

std::string U8(const String& s) { return StringToUtf8(s); }

// Wednesday 2025-03-05 14:07:09.045.
constexpr TDateTime kAfternoon = 45721 + (14 * 3600 + 7 * 60 + 9 + 0.045) / 86400;

TEST(FormatDateTime, SpecifiersInBothLocales) {
  struct Case {
    const char* format;
    const char* ru;
    const char* en;
  };
  const Case cases[] = {
      {"d", "5", "5"},
      {"dd", "05", "05"},
      {"ddd", "Ср", "Wed"},
      {"dddd", "среда", "Wednesday"},
      {"ddddd", "05.03.2025", "3/5/2025"},
      {"dddddd", "5 Март 2025 г.", "Wednesday, March 05, 2025"},
      {"m", "3", "3"},
      {"mm", "03", "03"},
      {"mmm", "мар", "Mar"},
      {"mmmm", "Март", "March"},
      {"yy", "25", "25"},
      {"yyyy", "2025", "2025"},
      {"y", "25", "25"},
      {"h", "14", "14"},
      {"hhh", "14", "14"},
      {"n", "7", "7"},
      {"nn", "07", "07"},
      {"s", "9", "9"},
      {"ss", "09", "09"},
      {"z", "45", "45"},
      {"zzz", "045", "045"},
      {"t", "14:07", "2:07 PM"},
      {"tt", "14:07:09", "2:07:09 PM"},
      {"c", "05.03.2025 14:07:09", "3/5/2025 2:07:09 PM"},
      {"", "05.03.2025 14:07:09", "3/5/2025 2:07:09 PM"},
      {"h:m", "14:7", "14:7"},  // m after h is minutes
      {"hh:mm:ss", "14:07:09", "14:07:09"},
      {"h 'h' mm", "14 h 07", "14 h 07"},  // quoted text does not break the h-m link
      {"hh x mm", "14 x 03", "14 x 03"},   // another letter does
      {"mm/dd/yyyy", "03.05.2025", "03/05/2025"},
      {"yyyy-mm-dd", "2025-03-05", "2025-03-05"},
      {"'dd' dd \"mm\" mm", "dd 05 mm 03", "dd 05 mm 03"},
      {"'unterminated", "unterminated", "unterminated"},
      {"hh:nn am/pm", "02:07 pm", "02:07 pm"},
      {"h AM/PM", "2 PM", "2 PM"},
      {"h a/p", "2 p", "2 p"},
      {"h A/P", "2 P", "2 P"},
      {"h ampm", "2 ", "2 PM"},
      {"ampm h", " 14", "PM 14"},  // the 12-hour clock only for an am/pm after the hour
      {"h 'am/pm'", "14 am/pm", "14 am/pm"},
      {"mmmm yyyy", "Март 2025", "March 2025"},
      {"a b", "a b", "a b"},
  };
  for (const char* locale : {"ru-RU", "en-US"}) {
    LocaleScope scope(locale);
    const bool ru = std::string(locale) == "ru-RU";
    for (const Case& c : cases) {
      EXPECT_EQ(U8(FormatDateTime(S(c.format), kAfternoon)), ru ? c.ru : c.en) << locale << " " << c.format;
    }
  }
}

TEST(FormatDateTime, TwelveHourClockAndMidnight) {
  LocaleScope scope("en-US");
  struct Case {
    Word h, n;
    const char* expected;
  };
  for (const Case& c : {Case{0, 30, "12:30 am 00"}, Case{11, 59, "11:59 am 11"}, Case{12, 0, "12:00 pm 12"},
                        Case{23, 5, "11:05 pm 23"}}) {
    const TDateTime v = EncodeDateTime(2025, 3, 5, c.h, c.n, 0, 0);
    EXPECT_EQ(U8(FormatDateTime(u"h:nn am/pm hh", v)), c.expected);
  }
  const TDateTime midnight = EncodeDate(2025, 3, 5);
  EXPECT_EQ(DateTimeToStr(midnight), u"3/5/2025");
  EXPECT_EQ(TimeToStr(midnight), u"12:00:00 AM");
  EXPECT_EQ(DateToStr(kAfternoon), u"3/5/2025");
  EXPECT_EQ(DateTimeToStr(midnight + EncodeTime(0, 0, 0, 1)), u"3/5/2025 12:00:00 AM");
}

TEST(FormatDateTime, ReadsTheCurrentSettings) {
  LocaleScope scope("ru-RU");
  FormatSettings().DateSeparator = u'-';
  FormatSettings().TimeSeparator = u'.';
  FormatSettings().ShortDateFormat = u"yyyy/mm/dd";
  EXPECT_EQ(FormatDateTime(u"c", kAfternoon), u"2025-03-05 14.07.09");
  // Formats naming each other stop instead of recursing for ever.
  FormatSettings().ShortDateFormat = u"ddddd";
  EXPECT_EQ(FormatDateTime(u"ddddd", kAfternoon), u"");
}

TEST(FormatDateTime, DatesBeforeDayZero) {
  LocaleScope scope("ru-RU");
  EXPECT_EQ(FormatDateTime(u"dd.mm.yyyy hh:nn", -1.25), u"29.12.1899 06:00");
  EXPECT_EQ(DateTimeToStr(EncodeDateTime(1, 1, 1, 23, 59, 59, 0)), u"01.01.0001 23:59:59");
}

TEST(DateTimeToSystemString, DefaultShortDateAndLongTime) {
  {
    LocaleScope scope("ru-RU");
    EXPECT_EQ(U8(DateTimeToSystemString(EncodeDateTime(2025, 3, 5, 9, 5, 3, 0))), "05.03.2025 9:05:03");
    EXPECT_EQ(U8(DateTimeToSystemString(EncodeDate(2025, 3, 5))), "05.03.2025");
  }
  LocaleScope scope("en-US");
  EXPECT_EQ(U8(DateTimeToSystemString(EncodeDateTime(2025, 3, 5, 9, 5, 3, 0))), "3/5/2025 9:05:03 AM");
  EXPECT_EQ(U8(DateTimeToSystemString(kAfternoon)), "3/5/2025 2:07:09 PM");
}

class StrToDateTest : public testing::Test {
 protected:
  // Today is 2025-03-05; the two-digit year window starts at 1975.
  VirtualClockScope clock_{EncodeDateTime(2025, 3, 5, 10, 0, 0, 0)};
};

TEST_F(StrToDateTest, DatesInBothLocales) {
  struct Case {
    const char* locale;
    const char* text;
    int y, m, d;  // y == 0: refused
  };
  const Case cases[] = {
      {"ru-RU", "05.03.2025", 2025, 3, 5},
      {"ru-RU", "5.3.2025", 2025, 3, 5},
      {"ru-RU", " 5 . 3 . 2025 ", 2025, 3, 5},
      {"ru-RU", "5.3.2025.", 2025, 3, 5},
      {"ru-RU", "29.02.2024", 2024, 2, 29},
      {"ru-RU", "01.01.0001", 1, 1, 1},
      {"ru-RU", "31.12", 2025, 12, 31},  // the current year
      {"ru-RU", "05.03.25", 2025, 3, 5},
      {"ru-RU", "05.03.75", 1975, 3, 5},
      {"ru-RU", "05.03.74", 2074, 3, 5},
      {"ru-RU", "05.03.99", 1999, 3, 5},
      {"ru-RU", "05.03.00", 2000, 3, 5},
      {"ru-RU", "05.03.025", 25, 3, 5},  // three digits are a full year
      {"ru-RU", "29.02.2023", 0, 0, 0},
      {"ru-RU", "32.01.2025", 0, 0, 0},
      {"ru-RU", "05/03/2025", 0, 0, 0},
      {"ru-RU", "05.03.2025x", 0, 0, 0},
      {"ru-RU", "05.03.2025 10:00", 0, 0, 0},
      {"ru-RU", "05.03.20255", 0, 0, 0},
      {"ru-RU", "05", 0, 0, 0},
      {"ru-RU", "", 0, 0, 0},
      {"ru-RU", "март", 0, 0, 0},
      {"en-US", "3/5/2025", 2025, 3, 5},
      {"en-US", "12/31/99", 1999, 12, 31},
      {"en-US", "3/5", 2025, 3, 5},
      {"en-US", "13/1/2025", 0, 0, 0},
      {"en-US", "5.3.2025", 0, 0, 0},
  };
  for (const Case& c : cases) {
    LocaleScope scope(c.locale);
    TDateTime v = -7;
    const bool ok = TryStrToDate(S(c.text), v);
    if (c.y == 0) {
      EXPECT_FALSE(ok) << c.locale << " '" << c.text << "'";
      EXPECT_EQ(v, -7);
      EXPECT_EQ(StrToDateDef(S(c.text), 42), 42);
    } else {
      ASSERT_TRUE(ok) << c.locale << " '" << c.text << "'";
      EXPECT_EQ(v, EncodeDate(c.y, c.m, c.d)) << c.locale << " '" << c.text << "'";
      EXPECT_EQ(StrToDate(S(c.text)), v);
    }
  }
}

TEST_F(StrToDateTest, YearFirstShortDateFormatAndWindow) {
  LocaleScope scope("en-US");
  FormatSettings().ShortDateFormat = u"yyyy/MM/dd";
  EXPECT_EQ(StrToDate(u"2025/3/5"), EncodeDate(2025, 3, 5));
  EXPECT_EQ(StrToDate(u"3/5"), EncodeDate(2025, 3, 5));
  FormatSettings().ShortDateFormat = u"M/d/yyyy";
  FormatSettings().TwoDigitYearCenturyWindow = 0;  // no window: the current century
  EXPECT_EQ(StrToDate(u"1/1/74"), EncodeDate(2074, 1, 1));
  EXPECT_EQ(StrToDate(u"1/1/99"), EncodeDate(2099, 1, 1));
}

TEST_F(StrToDateTest, Times) {
  struct Case {
    const char* locale;
    const char* text;
    int h, n, s, ms;  // h < 0: refused
  };
  const Case cases[] = {
      {"ru-RU", "14:07", 14, 7, 0, 0},
      {"ru-RU", "14:07:09", 14, 7, 9, 0},
      {"ru-RU", "14:07:09,045", 14, 7, 9, 45},
      {"ru-RU", "14", 14, 0, 0, 0},
      {"ru-RU", " 9:05 ", 9, 5, 0, 0},
      {"ru-RU", "2:07 PM", 14, 7, 0, 0},
      {"en-US", "2:07 PM", 14, 7, 0, 0},
      {"en-US", "2:07pm", 14, 7, 0, 0},
      {"en-US", "PM 2:07", 14, 7, 0, 0},
      {"en-US", "12:00 AM", 0, 0, 0, 0},
      {"en-US", "12:00 PM", 12, 0, 0, 0},
      {"en-US", "14:07:09.5", 14, 7, 9, 5},
      {"en-US", "13:00 PM", -1, 0, 0, 0},
      {"en-US", "0:30 AM", -1, 0, 0, 0},
      {"ru-RU", "24:00", -1, 0, 0, 0},
      {"ru-RU", "14:60", -1, 0, 0, 0},
      {"ru-RU", "14:07:", -1, 0, 0, 0},
      {"ru-RU", "14:07 xyz", -1, 0, 0, 0},
      {"ru-RU", "", -1, 0, 0, 0},
      {"ru-RU", ":30", -1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    LocaleScope scope(c.locale);
    TDateTime v = -7;
    const bool ok = TryStrToTime(S(c.text), v);
    if (c.h < 0) {
      EXPECT_FALSE(ok) << c.locale << " '" << c.text << "'";
    } else {
      ASSERT_TRUE(ok) << c.locale << " '" << c.text << "'";
      EXPECT_EQ(v, EncodeTime(c.h, c.n, c.s, c.ms)) << c.locale << " '" << c.text << "'";
    }
  }
}

TEST_F(StrToDateTest, DateAndTime) {
  LocaleScope scope("ru-RU");
  EXPECT_EQ(StrToDateTime(u"05.03.2025 14:07:09"), EncodeDateTime(2025, 3, 5, 14, 7, 9, 0));
  EXPECT_EQ(StrToDateTime(u"05.03.2025"), EncodeDate(2025, 3, 5));
  EXPECT_EQ(StrToDateTime(u"14:07"), EncodeTime(14, 7, 0, 0));
  EXPECT_EQ(StrToDateTime(u"29.12.1899 6:00"), -1.25);
  TDateTime v = 0;
  EXPECT_FALSE(TryStrToDateTime(u"05.03.2025 25:00", v));
  EXPECT_FALSE(TryStrToDateTime(u"05.03.2025 14:07 x", v));
  EXPECT_FALSE(TryStrToDateTime(u"05.03.2025x", v));
}

TEST_F(StrToDateTest, ErrorMessages) {
  LocaleScope scope("ru-RU");
  struct Case {
    TDateTime (*parse)(const String&);
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {&StrToDate, "31.02.2025", "'31.02.2025' is not a valid date"},
      {&StrToTime, "25:00", "'25:00' is not a valid time"},
      {&StrToDateTime, "05.03.2025 ночь", "'05.03.2025 ночь' is not a valid date and time"}};
  for (const Case& c : cases) {
    try {
      c.parse(S(c.text));
      ADD_FAILURE() << c.text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(U8(e.Message()), c.message);
    }
  }
}

TEST_F(StrToDateTest, FormattedTextParsesBack) {
  for (const char* locale : {"ru-RU", "en-US"}) {
    LocaleScope scope(locale);
    for (TDateTime v : {EncodeDateTime(2025, 3, 5, 14, 7, 9, 0), EncodeDateTime(1999, 12, 31, 0, 0, 1, 0),
                        EncodeDateTime(2024, 2, 29, 12, 30, 0, 0), EncodeDate(2000, 1, 1)}) {
      EXPECT_EQ(StrToDateTime(DateTimeToStr(v)), v) << locale << " " << U8(DateTimeToStr(v));
    }
  }
}

}  // namespace
