// The locale calls of the operating system, answered from the current format settings: the thread
// locale, locale items, date and time pictures, locale comparison and upper-casing, and the
// system locale record the framework keeps.
#pragma once

#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/WinDef.h"

using LCID = DWORD;
using LCTYPE = DWORD;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LANG_ENGLISH_US = 0x0409;
constexpr LCID LANG_RUSSIAN_RU = 0x0419;

constexpr LCTYPE LOCALE_ILANGUAGE = 0x0001;
constexpr LCTYPE LOCALE_SLIST = 0x000C;
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
constexpr LCTYPE LOCALE_SCURRENCY = 0x0014;
constexpr LCTYPE LOCALE_ICURRDIGITS = 0x0019;
constexpr LCTYPE LOCALE_ICURRENCY = 0x001B;
constexpr LCTYPE LOCALE_INEGCURR = 0x001C;
constexpr LCTYPE LOCALE_SDATE = 0x001D;
constexpr LCTYPE LOCALE_STIME = 0x001E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
constexpr LCTYPE LOCALE_S1159 = 0x0028;
constexpr LCTYPE LOCALE_S2359 = 0x0029;
constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;        // Monday; ..7 Sunday
constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;  // Monday; ..7 Sunday
constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;      // ..12 at 0x0043
constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;
constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
constexpr LCTYPE LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;
constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;

constexpr DWORD DATE_SHORTDATE = 0x0001;
constexpr DWORD DATE_LONGDATE = 0x0002;
constexpr DWORD TIME_NOMINUTESORSECONDS = 0x0001;
constexpr DWORD TIME_NOSECONDS = 0x0002;
constexpr DWORD TIME_NOTIMEMARKER = 0x0004;
constexpr DWORD TIME_FORCE24HOURFORMAT = 0x0008;

constexpr DWORD NORM_IGNORECASE = 0x0001;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;

constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INVALID_FLAGS = 1004;

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;  // 0 Sunday
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

SYSTEMTIME DateTimeToSystemTime(TDateTime value);

// The locale of the current format settings ("ru-RU" 0x0419, "en-US" 0x0409).
LCID GetThreadLocale();
LCID GetUserDefaultLCID();

// The failure code of the last locale call that answered 0.
DWORD GetLastLocaleError();

// Copies the item with its terminator into `data` and answers the characters copied; with
// `cchData` 0 answers the size needed. 0 on failure (an unknown item or locale, a short buffer).
int GetLocaleInfo(LCID locale, LCTYPE type, LPWSTR data, int cchData);
// The item as a string; `fallback` when the locale has no such item.
String GetLocaleStr(LCID locale, LCTYPE type, const String& fallback);

// The date in the picture `format` (the locale's short or long date when null) or the time in
// `format` (the locale's time format when null); `time` null means now. Buffer rules as above.
int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR date, int cchDate);
int GetTimeFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR text, int cchText);

// A date or time picture cut into runs: a picture letter repeated `count` times, or (letter 0)
// literal text with its quotes removed.
struct TPictureRun {
  Char letter = 0;
  int count = 0;
  String literal;
};
std::vector<TPictureRun> SplitPicture(const String& picture);

// Compares by the locale's collation; -1 as a length means "up to the terminator". Answers
// CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN, 0 on failure.
int CompareString(LCID locale, DWORD flags, LPCWSTR string1, int count1, LPCWSTR string2, int count2);
// Upper-cases `length` characters in place by the locale's rules; answers the count.
DWORD CharUpperBuff(LPWSTR text, DWORD length);

// The framework's record of the system locale.
struct TSysLocale {
  LCID DefaultLCID = 0;
  int PriLangID = 0;
  int SubLangID = 0;
  bool FarEast = false;
  bool MiddleEast = false;
};
// Read from the current settings at each call, so a test's locale shows in it.
TSysLocale SysLocale();
