// The locale calls over the format settings: items, date and time pictures, buffer rules,
// comparison and upper-casing.
#include <gtest/gtest.h>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Locale.h"
#include "platform/rtl/String.h"
#include "platform/rtl/tests/LocaleTestSupport.h"

namespace {

String Item(LCID locale, LCTYPE type) {
  Char buf[100] = {};
  return GetLocaleInfo(locale, type, buf, 100) ? String(buf) : String(u"<fail>");
}

SYSTEMTIME Day(WORD y, WORD m, WORD d, WORD h = 0, WORD n = 0, WORD s = 0) {
  return DateTimeToSystemTime(EncodeDate(y, m, d) + EncodeTime(h, n, s, 0));
}

String Date(DWORD flags, const SYSTEMTIME& t, LPCWSTR picture = nullptr) {
  Char buf[100] = {};
  return GetDateFormat(LOCALE_USER_DEFAULT, flags, &t, picture, buf, 100) ? String(buf) : String(u"<fail>");
}

String Time(DWORD flags, const SYSTEMTIME& t, LPCWSTR picture = nullptr) {
  Char buf[100] = {};
  return GetTimeFormat(LOCALE_USER_DEFAULT, flags, &t, picture, buf, 100) ? String(buf) : String(u"<fail>");
}

}  // namespace

TEST(Locale, ThreadLocaleAndItemsFollowTheSettings) {
  LocaleScope ru("ru-RU");
  EXPECT_EQ(GetThreadLocale(), LANG_RUSSIAN_RU);
  struct {
    LCTYPE type;
    const char* ru;
    const char* en;
  } cases[] = {
      {LOCALE_IFIRSTDAYOFWEEK, "0", "6"},       {LOCALE_SSHORTDATE, "dd.MM.yyyy", "M/d/yyyy"},
      {LOCALE_SDATE, ".", "/"},                 {LOCALE_STIME, ":", ":"},
      {LOCALE_SDECIMAL, ",", "."},              {LOCALE_SCURRENCY, "р.", "$"},
      {LOCALE_ICURRENCY, "3", "0"},             {LOCALE_ICURRDIGITS, "2", "2"},
      {LOCALE_SMONTHNAME1 + 1, "Февраль", "February"}, {LOCALE_SABBREVDAYNAME1, "Пн", "Mon"},
      {LOCALE_SDAYNAME1 + 6, "воскресенье", "Sunday"}, {LOCALE_STIMEFORMAT, "H:mm:ss", "h:mm:ss tt"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(Item(LOCALE_USER_DEFAULT, c.type), Utf8ToString(c.ru)) << c.type;
    // Another locale answers from its own settings, without switching.
    EXPECT_EQ(Item(LANG_ENGLISH_US, c.type), Utf8ToString(c.en)) << c.type;
  }
  EXPECT_EQ(SysLocale().DefaultLCID, LANG_RUSSIAN_RU);
  EXPECT_FALSE(SysLocale().MiddleEast);
  LocaleScope en("en-US");
  EXPECT_EQ(GetThreadLocale(), LANG_ENGLISH_US);
  EXPECT_EQ(Item(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL), u".");
}

TEST(Locale, BufferRulesAndFailures) {
  LocaleScope ru("ru-RU");
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0), 11);  // with the terminator
  Char small[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, small, 4), 0);
  EXPECT_EQ(GetLastLocaleError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(small[0], u'x');  // nothing half-written
  EXPECT_EQ(GetLocaleInfo(0x0411, LOCALE_SDATE, small, 4), 0);  // a locale the layer does not have
  EXPECT_EQ(GetLastLocaleError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7777, small, 4), 0);
  EXPECT_EQ(GetLastLocaleError(), ERROR_INVALID_FLAGS);
  EXPECT_EQ(GetLocaleStr(LOCALE_USER_DEFAULT, 0x7777, u"def"), u"def");
  SYSTEMTIME bad = Day(2024, 2, 29);
  bad.wDay = 30;
  EXPECT_EQ(Date(0, bad), u"<fail>");
  // A picture of its own together with a locale format flag is refused.
  EXPECT_EQ(Date(DATE_LONGDATE, Day(2024, 1, 5), u"d"), u"<fail>");
}

TEST(Locale, DatePictures) {
  LocaleScope ru("ru-RU");
  const SYSTEMTIME t = Day(2024, 3, 5);
  EXPECT_EQ(Date(DATE_SHORTDATE, t), u"05.03.2024");
  EXPECT_EQ(Date(DATE_LONGDATE, t), Utf8ToString("5 Март 2024 г."));
  EXPECT_EQ(Date(0, t, u"ddd d/M/yy 'it''s' MMM"), Utf8ToString("Вт 5/3/24 it's мар"));
  LocaleScope en("en-US");
  EXPECT_EQ(Date(DATE_SHORTDATE, t), u"3/5/2024");
  EXPECT_EQ(Date(DATE_LONGDATE, t), u"Tuesday, March 05, 2024");
}

TEST(Locale, TimePicturesAndFlags) {
  LocaleScope en("en-US");
  const SYSTEMTIME t = Day(2024, 3, 5, 0, 7, 9);
  EXPECT_EQ(Time(0, t), u"12:07:09 AM");
  EXPECT_EQ(Time(TIME_NOSECONDS, t), u"12:07 AM");
  EXPECT_EQ(Time(TIME_FORCE24HOURFORMAT, t), u"0:07:09");
  EXPECT_EQ(Time(TIME_NOTIMEMARKER, Day(2024, 3, 5, 13, 0, 0)), u"1:00:00");
  EXPECT_EQ(Time(0, t, u"HH'h'mm"), u"00h07");
  LocaleScope ru("ru-RU");
  EXPECT_EQ(Time(0, Day(2024, 3, 5, 13, 7, 9)), u"13:07:09");
}

TEST(Locale, CompareStringAndUpperCase) {
  LocaleScope ru("ru-RU");
  const String a = Utf8ToString("ёлка"), b = Utf8ToString("ЕЛЬ");
  EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE, u"abc", -1, u"ABC", -1), CSTR_EQUAL);
  EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, 0, u"abc", -1, u"abd", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, 0, u"abcz", 3, u"abc", 3), CSTR_EQUAL);  // counted lengths
  EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1), CSTR_LESS_THAN);
  String text = Utf8ToString("привет, world");
  EXPECT_EQ(CharUpperBuff(text.data(), 5), 5u);
  EXPECT_EQ(text, Utf8ToString("ПРИВЕт, world"));
}
