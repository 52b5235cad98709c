// Locale calls over the format settings. Date and time pictures are the operating system's
// ("dd.MM.yyyy", "H:mm:ss", "h:mm:ss tt"); the settings keep them in that form apart from the
// framework's "AMPM", which becomes "tt".
#include "platform/rtl/Locale.h"

#include <algorithm>
#include <optional>

#include "platform/rtl/Collation.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"

namespace {

thread_local DWORD g_lastError = 0;

int Fail(DWORD error) {
  g_lastError = error;
  return 0;
}

LCID LocaleIdOf(const String& name) { return name.rfind(u"ru", 0) == 0 ? LANG_RUSSIAN_RU : LANG_ENGLISH_US; }

// The settings of a locale id; none for one the layer does not know.
std::optional<TFormatSettings> SettingsOf(LCID locale) {
  if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT || locale == 0) return FormatSettings();
  if (locale == LocaleIdOf(FormatSettings().LocaleName)) return FormatSettings();
  if (locale == LANG_RUSSIAN_RU) return LocaleFormatSettings("ru-RU");
  if (locale == LANG_ENGLISH_US) return LocaleFormatSettings("en-US");
  return std::nullopt;
}

String TimePicture(const TFormatSettings& s) {
  return StringReplace(s.LongTimeFormat, u"AMPM", u"tt", rfReplaceAll | rfIgnoreCase);
}

String Number(int value) { return IntToStr(value); }

std::optional<String> LocaleItem(const TFormatSettings& s, LCTYPE type) {
  type &= ~LOCALE_NOUSEROVERRIDE;
  // Day names are numbered from Monday, the settings' arrays from Sunday.
  if (type >= LOCALE_SDAYNAME1 && type < LOCALE_SDAYNAME1 + 7) return s.LongDayNames[(type - LOCALE_SDAYNAME1 + 1) % 7];
  if (type >= LOCALE_SABBREVDAYNAME1 && type < LOCALE_SABBREVDAYNAME1 + 7)
    return s.ShortDayNames[(type - LOCALE_SABBREVDAYNAME1 + 1) % 7];
  if (type >= LOCALE_SMONTHNAME1 && type < LOCALE_SMONTHNAME1 + 12) return s.LongMonthNames[type - LOCALE_SMONTHNAME1];
  if (type >= LOCALE_SABBREVMONTHNAME1 && type < LOCALE_SABBREVMONTHNAME1 + 12)
    return s.ShortMonthNames[type - LOCALE_SABBREVMONTHNAME1];
  const bool russian = LocaleIdOf(s.LocaleName) == LANG_RUSSIAN_RU;
  switch (type) {
    case LOCALE_ILANGUAGE: return IntToHex(static_cast<Integer>(LocaleIdOf(s.LocaleName)), 4);
    case LOCALE_SENGLANGUAGE: return String(russian ? u"Russian" : u"English");
    case LOCALE_SLIST: return String(1, s.ListSeparator);
    case LOCALE_SDECIMAL: return String(1, s.DecimalSeparator);
    case LOCALE_STHOUSAND: return String(1, s.ThousandSeparator);
    case LOCALE_SCURRENCY: return s.CurrencyString;
    case LOCALE_ICURRDIGITS: return Number(s.CurrencyDecimals);
    case LOCALE_ICURRENCY: return Number(s.CurrencyFormat);
    case LOCALE_INEGCURR: return Number(s.NegCurrFormat);
    case LOCALE_SDATE: return String(1, s.DateSeparator);
    case LOCALE_STIME: return String(1, s.TimeSeparator);
    case LOCALE_SSHORTDATE: return s.ShortDateFormat;
    case LOCALE_SLONGDATE: return s.LongDateFormat;
    case LOCALE_STIMEFORMAT: return TimePicture(s);
    case LOCALE_S1159: return s.TimeAMString;
    case LOCALE_S2359: return s.TimePMString;
    case LOCALE_IDEFAULTANSICODEPAGE: return Number(s.CodePage);
    case LOCALE_IFIRSTDAYOFWEEK: return Number(s.FirstDayOfWeek);
    default: return std::nullopt;
  }
}

// Copies `text` and its terminator as the locale calls do.
int CopyOut(const String& text, LPWSTR buffer, int cch) {
  const int needed = static_cast<int>(text.size()) + 1;
  if (cch == 0) return needed;
  if (cch < 0 || !buffer) return Fail(ERROR_INVALID_PARAMETER);
  if (cch < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = u'\0';
  return needed;
}

String Padded(int value, int width) {
  String s = Number(value);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), u'0');
  return s;
}

// Expands a picture: literal runs are copied, letter runs go to `field` (false: copied as they are).
template <class Field>
String ExpandPicture(const String& picture, Field&& field) {
  String out;
  for (const TPictureRun& run : SplitPicture(picture))
    if (!run.letter)
      out += run.literal;
    else if (!field(run.letter, run.count, out))
      out.append(static_cast<size_t>(run.count), run.letter);
  return out;
}

bool ValidDate(const SYSTEMTIME& t) {
  TDateTime d;
  return TryEncodeDate(t.wYear, t.wMonth, t.wDay, d);
}

SYSTEMTIME NowOrGiven(const SYSTEMTIME* time) { return time ? *time : DateTimeToSystemTime(Now()); }

bool IsPictureLetter(Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Removes a picture letter and what ties it to the field before it (separators and spaces).
String DropField(const String& picture, Char letter) {
  String out = picture;
  size_t at;
  while ((at = out.find(letter)) != String::npos) {
    size_t end = at;
    while (end < out.size() && out[end] == letter) ++end;
    size_t start = at;
    while (start > 0 && !IsPictureLetter(out[start - 1])) --start;
    if (start == 0) {  // leading field: take the separator after it instead
      while (end < out.size() && !IsPictureLetter(out[end])) ++end;
    }
    out.erase(start, end - start);
  }
  return out;
}

}  // namespace

std::vector<TPictureRun> SplitPicture(const String& picture) {
  std::vector<TPictureRun> runs;
  auto literal = [&runs]() -> String& {
    if (runs.empty() || runs.back().letter) runs.push_back(TPictureRun{});
    return runs.back().literal;
  };
  for (size_t i = 0; i < picture.size();) {
    const Char c = picture[i];
    if (c == u'\'') {  // quoted text; '' inside it is one quote
      String& text = literal();
      for (++i; i < picture.size(); ++i) {
        if (picture[i] != u'\'') {
          text += picture[i];
        } else if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
          text += u'\'';
          ++i;
        } else {
          ++i;
          break;
        }
      }
      continue;
    }
    if (!IsPictureLetter(c)) {
      literal() += c;
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    runs.push_back(TPictureRun{c, static_cast<int>(run), String()});
    i += run;
  }
  return runs;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
  SYSTEMTIME t;
  Word y, m, d, h, n, s, ms;
  DecodeDateTime(value, y, m, d, h, n, s, ms);
  t.wYear = y;
  t.wMonth = m;
  t.wDay = d;
  t.wHour = h;
  t.wMinute = n;
  t.wSecond = s;
  t.wMilliseconds = ms;
  t.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
  return t;
}

LCID GetThreadLocale() { return LocaleIdOf(FormatSettings().LocaleName); }
LCID GetUserDefaultLCID() { return GetThreadLocale(); }
DWORD GetLastLocaleError() { return g_lastError; }

int GetLocaleInfo(LCID locale, LCTYPE type, LPWSTR data, int cchData) {
  auto settings = SettingsOf(locale);
  if (!settings) return Fail(ERROR_INVALID_PARAMETER);
  auto item = LocaleItem(*settings, type);
  if (!item) return Fail(ERROR_INVALID_FLAGS);
  return CopyOut(*item, data, cchData);
}

String GetLocaleStr(LCID locale, LCTYPE type, const String& fallback) {
  auto settings = SettingsOf(locale);
  if (!settings) return fallback;
  auto item = LocaleItem(*settings, type);
  return item && !item->empty() ? *item : fallback;
}

int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR date, int cchDate) {
  auto settings = SettingsOf(locale);
  if (!settings) return Fail(ERROR_INVALID_PARAMETER);
  if (format && (flags & (DATE_SHORTDATE | DATE_LONGDATE))) return Fail(ERROR_INVALID_FLAGS);
  if ((flags & DATE_SHORTDATE) && (flags & DATE_LONGDATE)) return Fail(ERROR_INVALID_FLAGS);
  const SYSTEMTIME t = NowOrGiven(time);
  if (!ValidDate(t)) return Fail(ERROR_INVALID_PARAMETER);
  const String picture = format ? String(format) : (flags & DATE_LONGDATE) ? settings->LongDateFormat : settings->ShortDateFormat;
  TDateTime day = EncodeDate(t.wYear, t.wMonth, t.wDay);
  const int weekDay = DayOfWeek(day) - 1;
  const TFormatSettings& s = *settings;
  String text = ExpandPicture(picture, [&](Char c, int run, String& out) {
    switch (c) {
      case u'd':
        if (run == 1) out += Number(t.wDay);
        else if (run == 2) out += Padded(t.wDay, 2);
        else if (run == 3) out += s.ShortDayNames[weekDay];
        else out += s.LongDayNames[weekDay];
        return true;
      case u'M':
        if (run == 1) out += Number(t.wMonth);
        else if (run == 2) out += Padded(t.wMonth, 2);
        else if (run == 3) out += s.ShortMonthNames[t.wMonth - 1];
        else out += s.LongMonthNames[t.wMonth - 1];
        return true;
      case u'y':
        if (run == 1) out += Number(t.wYear % 100);
        else if (run == 2) out += Padded(t.wYear % 100, 2);
        else out += Number(t.wYear);
        return true;
      case u'g': return true;  // no eras in these calendars
      default: return false;
    }
  });
  return CopyOut(text, date, cchDate);
}

int GetTimeFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR text, int cchText) {
  auto settings = SettingsOf(locale);
  if (!settings) return Fail(ERROR_INVALID_PARAMETER);
  const SYSTEMTIME t = NowOrGiven(time);
  if (t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59) return Fail(ERROR_INVALID_PARAMETER);
  String picture = format ? String(format) : TimePicture(*settings);
  if (flags & TIME_NOMINUTESORSECONDS) picture = DropField(DropField(picture, u's'), u'm');
  else if (flags & TIME_NOSECONDS) picture = DropField(picture, u's');
  if (flags & TIME_NOTIMEMARKER) picture = DropField(picture, u't');
  const bool force24 = (flags & TIME_FORCE24HOURFORMAT) != 0;
  const TFormatSettings& s = *settings;
  const String& marker = t.wHour < 12 ? s.TimeAMString : s.TimePMString;
  String result = ExpandPicture(picture, [&](Char c, int run, String& out) {
    switch (c) {
      case u'h':
      case u'H': {
        int hour = t.wHour;
        if (c == u'h' && !force24) hour = hour % 12 == 0 ? 12 : hour % 12;
        out += run == 1 ? Number(hour) : Padded(hour, 2);
        return true;
      }
      case u'm': out += run == 1 ? Number(t.wMinute) : Padded(t.wMinute, 2); return true;
      case u's': out += run == 1 ? Number(t.wSecond) : Padded(t.wSecond, 2); return true;
      case u't':
        if (!force24) out += run == 1 ? marker.substr(0, 1) : marker;
        return true;
      default: return false;
    }
  });
  return CopyOut(TrimRight(result), text, cchText);
}

int CompareString(LCID locale, DWORD flags, LPCWSTR string1, int count1, LPCWSTR string2, int count2) {
  auto settings = SettingsOf(locale);
  if (!settings || !string1 || !string2) return Fail(ERROR_INVALID_PARAMETER);
  std::u16string_view a = count1 < 0 ? std::u16string_view(string1) : std::u16string_view(string1, count1);
  std::u16string_view b = count2 < 0 ? std::u16string_view(string2) : std::u16string_view(string2, count2);
  int c = CollateCompare(a, b, (flags & NORM_IGNORECASE) != 0, settings->LocaleName);
  return c < 0 ? CSTR_LESS_THAN : c > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

DWORD CharUpperBuff(LPWSTR text, DWORD length) {
  if (!text) return 0;
  for (DWORD i = 0; i < length; ++i) text[i] = AnsiUpperChar(text[i]);
  return length;
}

TSysLocale SysLocale() {
  TSysLocale l;
  l.DefaultLCID = GetThreadLocale();
  l.PriLangID = static_cast<int>(l.DefaultLCID & 0x3FF);
  l.SubLangID = static_cast<int>(l.DefaultLCID >> 10);
  // Neither locale the layer offers is a far-eastern or right-to-left one.
  l.FarEast = false;
  l.MiddleEast = false;
  return l;
}
