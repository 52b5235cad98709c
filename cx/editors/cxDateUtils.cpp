#include "cx/editors/cxDateUtils.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "cx/editors/cxEditConsts.h"
#include "cx/editors/cxFormats.h"
#include "cx/foundation/cxClasses.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringTable.h"
#include "platform/rtl/VarDate.h"

namespace {

int SmartWordId(int index) {
  if (index <= sdwTomorrow) return cxSDateToday + index;
  if (index < sdwFirst) return cxSDateSunday + (index - sdwSunday);
  if (index == sdwFirst) return cxSDateFirst;
  if (index < sdwBOM) return cxSDateSecond + (index - sdwFirst - 1);
  if (index == sdwBOM) return cxSDateBOM;
  if (index == sdwEOM) return cxSDateEOM;
  return cxSDateNow;
}

std::vector<String> LoadSmartWords() {
  std::vector<String> words;
  words.reserve(cxSmartDateWordCount);
  for (int i = 0; i < cxSmartDateWordCount; ++i) words.push_back(cxGetSmartDateWord(i));
  return words;
}

// The index of the word the text starts with, and that word.
std::pair<int, String> MatchSmartWord(const String& text) {
  const std::vector<String> words = LoadSmartWords();
  std::vector<int> order(words.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  // Longest first, so that a word that begins another (first / fifth...) cannot shadow it.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (words[a].size() != words[b].size()) return words[a].size() > words[b].size();
    return AnsiCompareText(words[a], words[b]) > 0;
  });
  for (int index : order) {
    const String& word = words[index];
    if (word.empty() || text.size() < word.size()) continue;
    if (AnsiSameText(text.substr(0, word.size()), word)) return {index, word};
  }
  return {-1, String()};
}

bool IsLetter(Char c) { return AnsiUpperChar(c) != AnsiLowerChar(c); }
bool IsDateLetter(Char c) { return c == u'd' || c == u'm' || c == u'y'; }

String JoinNames(const std::array<String, 12>& names) {
  String result;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) result += u'|';
    result += names[i];
  }
  return result;
}

// The calendar the locale's date formatting can show (years 1..9999).
bool IsInCalendar(TDateTime date) { return date >= -693593.0 && date < 2958466.0; }

}  // namespace

String cxGetSmartDateWord(int index) { return cxGetResourceString(SmartWordId(index)); }

int FindSmartDateWord(const String& text) { return MatchSmartWord(text).first; }

bool ParseSmartDateText(const String& text, TDateTime& date) {
  const String trimmed = Trim(text);
  const auto [index, word] = MatchSmartWord(trimmed);
  if (index < 0) return false;
  const TDateTime today = Date();
  const int todayWeekDay = DayOfWeek(today) - 1;  // 0 = Sunday
  Word year, month, day;
  DecodeDate(today, year, month, day);
  if (index == sdwToday) {
    date = today;
  } else if (index == sdwYesterday) {
    date = today - 1;
  } else if (index == sdwTomorrow) {
    date = today + 1;
  } else if (index < sdwFirst) {
    int distance = (index - sdwSunday) - todayWeekDay;
    if (distance < 0) distance += 7;
    date = today + distance;
  } else if (index < sdwBOM) {
    date = today - todayWeekDay + (index - sdwFirst);
  } else if (index == sdwBOM) {
    date = EncodeDate(year, month, 1);
  } else if (index == sdwEOM) {
    date = EncodeDate(year, month, static_cast<Word>(DaysInMonthOf(year, month)));
  } else {
    date = Now();
  }
  const String rest = Trim(trimmed.substr(word.size()));
  if (rest.size() >= 2 && (rest[0] == u'+' || rest[0] == u'-')) {
    Integer days;
    if (TryStrToInt(Trim(rest.substr(1)), days)) date += rest[0] == u'+' ? days : -static_cast<double>(days);
  }
  return true;
}

void PrevMonthPair(Integer& year, Integer& month) {
  if (--month < 1) {
    month = 12;
    --year;
  }
}

void NextMonthPair(Integer& year, Integer& month) {
  if (++month > 12) {
    month = 1;
    ++year;
  }
}

void IncMonthPair(Integer& year, Integer& month, Integer delta) {
  year += delta / 12;  // both truncate toward zero, the remainder takes the sign of delta
  Integer m = month + delta % 12;
  if (m <= 0) {
    --year;
    m += 12;
  } else if (m > 12) {
    ++year;
    m -= 12;
  }
  month = m;
}

Integer GetDateElement(TcxDateElement kind, TDateTime date) {
  Word year, month, day;
  DecodeDate(date, year, month, day);
  switch (kind) {
    case deYear:
      return year;
    case deMonth:
      return month;
    default:
      return day;
  }
}

bool cxIsLeapYear(Integer year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Integer DaysInMonthOf(Integer year, Integer month) {
  static const Integer kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && cxIsLeapYear(year) ? 1 : 0);
}

Integer CheckDayOfMonth(Integer year, Integer month, Integer day) {
  if (day <= 0) return 1;
  return std::min(day, DaysInMonthOf(year, month));
}

TDateTime DateOfValue(TDateTime value) {
  return value >= 0 ? std::trunc(value + 1e-11) : std::trunc(value - 1e-11);
}

TDateTime TimeOfValue(TDateTime value) {
  Word hour, min, sec, msec;
  DecodeTime(value, hour, min, sec, msec);
  return EncodeTime(hour, min, sec, msec);
}

bool SmartTextToDate(const String& text, TDateTime& date) {
  String trimmed = Trim(text);
  if (trimmed.empty()) {
    date = cxNullDate;
    return false;
  }
  // The lenient conversion reads "01 02 2024" where "01.02.2024" could pass for a number.
  if (!GetFormatController()->UsePlatformDateFormats() && FormatSettings().DateSeparator == u'.') {
    int replaced = 0;
    for (Char& c : trimmed)
      if (c == u'.' && replaced < 2) {
        c = u' ';
        ++replaced;
      }
  }
  if (ParseSmartDateText(trimmed, date)) return true;
  if (TryVarDateFromStr(trimmed, date)) return true;
  date = cxNullDate;
  return false;
}

bool TryTextToDate(const String& text, bool useVariantConversion, TDateTime& date) {
  date = cxNullDate;
  TDateTime value;
  const bool ok = useVariantConversion ? TryVarDateFromStr(text, value) : TryStrToDate(text, value);
  if (ok) date = value;
  return ok;
}

String cxDateTimeToText(TDateTime date) {
  if (date == cxNullDate) return String();
  if (GetFormatController()->UsePlatformDateFormats()) return DateTimeToStr(date);
  if (!IsInCalendar(date)) return String();
  const TFormatSettings& settings = FormatSettings();
  String text = FormatDateTime(settings.ShortDateFormat, date);
  if (TimeOfValue(date) != 0) text += u' ' + FormatDateTime(settings.LongTimeFormat, date);
  return text;
}

String DateToDisplayText(bool useDisplayFormat, TDateTime date) {
  if (date == cxNullDate) return String();
  if (useDisplayFormat) return FormatDateTime(GetFormatController()->DateDisplayFormat(), date);
  return cxDateTimeToText(date);
}

String cxGetRegExprDateEditMask(const String& format, bool allowSmartWords) {
  const std::vector<String> words = LoadSmartWords();
  const TFormatSettings& settings = FormatSettings();
  const String lower = AnsiLowerCase(format);
  const bool year4 = lower.find(u"yyyy") != String::npos;
  const bool month4 = lower.find(u"mmmm") != String::npos;
  const String separator = String(u"'") + settings.DateSeparator + u"'";

  String mask;
  size_t i = 0;
  while (i < lower.size() && !IsDateLetter(lower[i]) && !IsLetter(lower[i])) ++i;
  while (i < lower.size()) {
    const Char letter = lower[i];
    if (!IsDateLetter(letter)) break;
    if (!mask.empty()) mask += separator;
    if (letter == u'd') {
      mask += u"([012]?[1-9]|[123]0|31)";
    } else if (letter == u'm') {
      mask += u"((0?[1-9]|1[012])|(" +
              JoinNames(month4 ? settings.LongMonthNames : settings.ShortMonthNames) + u"))";
    } else {
      mask += year4 ? u"\\d\\d\\d\\d" : u"\\d\\d";
    }
    // On to the next run of a different date letter.
    ++i;
    while (i < lower.size() && !(IsDateLetter(lower[i]) && lower[i] != letter)) ++i;
  }

  if (allowSmartWords) {
    String list;
    for (size_t k = 0; k < words.size(); ++k) {
      if (k > 0) list += u'|';
      list += words[k];
    }
    mask = u"(" + mask + u")|((" + list + u")((\\+|-)\\d(\\d(\\d(\\d?)?)?)?))";
  }
  return mask;
}
