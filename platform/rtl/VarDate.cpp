#include "platform/rtl/VarDate.h"

#include <array>
#include <optional>
#include <vector>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"

namespace {

bool SameWord(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size() || a.empty()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i])) return false;
  }
  return true;
}

bool IsLetter(Char c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'\u0400' && c <= u'\u04FF');
}
bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

constexpr std::array<std::u16string_view, 12> kEnglishLong = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::array<std::u16string_view, 12> kEnglishShort = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
// Russian dates name the month in the genitive: "5 января 2025".
constexpr std::array<std::u16string_view, 12> kRussianGenitive = {
    u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
    u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря"};

template <typename Names>
Word FindIn(const Names& names, std::u16string_view word) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameWord(names[i], word)) return static_cast<Word>(i + 1);
  }
  return 0;
}

// 1..12 for a month name of the locale or of English; 0 otherwise.
Word MonthFromName(std::u16string_view word, const TFormatSettings& fs) {
  if (Word m = FindIn(fs.LongMonthNames, word)) return m;
  if (Word m = FindIn(fs.ShortMonthNames, word)) return m;
  if (Word m = FindIn(kEnglishLong, word)) return m;
  if (Word m = FindIn(kEnglishShort, word)) return m;
  if (fs.LocaleName.starts_with(u"ru")) return FindIn(kRussianGenitive, word);
  return 0;
}

// 0 for AM, 12 for PM, nullopt for any other word.
std::optional<int> AmPmBase(std::u16string_view word, const TFormatSettings& fs) {
  if (SameWord(word, u"AM") || SameWord(word, fs.TimeAMString)) return 0;
  if (SameWord(word, u"PM") || SameWord(word, fs.TimePMString)) return 12;
  return std::nullopt;
}

enum class DatePartKind { Number, Word, DatePunct, TimeSep };

struct Token {
  DatePartKind kind;
  std::u16string_view text;
  bool blankBefore = false;
};

bool Tokenize(const String& s, const TFormatSettings& fs, std::vector<Token>& tokens) {
  bool blank = false;
  size_t i = 0;
  while (i < s.size()) {
    const Char c = s[i];
    if (c == u' ' || c == u'\t' || c == u'\u00A0') {
      blank = true;
      ++i;
      continue;
    }
    Token t{DatePartKind::Number, {}, blank};
    size_t j = i + 1;
    if (IsDigit(c)) {
      while (j < s.size() && IsDigit(s[j])) ++j;
    } else if (IsLetter(c)) {
      t.kind = DatePartKind::Word;
      while (j < s.size() && IsLetter(s[j])) ++j;
    } else if (c == u':' || c == fs.TimeSeparator) {
      t.kind = DatePartKind::TimeSep;
    } else if (c == u'-' || c == u'/' || c == u'.' || c == u',' || c == fs.DateSeparator) {
      t.kind = DatePartKind::DatePunct;
    } else {
      return false;
    }
    t.text = std::u16string_view(s).substr(i, j - i);
    tokens.push_back(t);
    blank = false;
    i = j;
  }
  return true;
}

struct Number {
  unsigned value;
  size_t digits;
};

// Up to 4 digits (a longer run is no part of a date).
std::optional<Number> ToNumber(const Token& t) {
  if (t.kind != DatePartKind::Number || t.text.size() > 4) return std::nullopt;
  unsigned n = 0;
  for (Char c : t.text) n = n * 10 + (c - u'0');
  return Number{n, t.text.size()};
}

Word FullYear(const Number& year, const TFormatSettings& fs) {
  if (year.digits > 2) return static_cast<Word>(year.value);
  const int window = fs.TwoDigitYearCenturyWindow;
  const int centuryBase = YearOf(Date()) - window;
  int full = static_cast<int>(year.value) + centuryBase / 100 * 100;
  if (window > 0 && full < centuryBase) full += 100;
  return static_cast<Word>(full);
}

bool LocaleIsDayFirst(const TFormatSettings& fs) {
  for (Char c : fs.ShortDateFormat) {
    const Char u = AnsiUpperChar(c);
    if (u == u'D') return true;
    if (u == u'M' || u == u'Y') return false;
  }
  return false;
}

bool LocaleIsYearFirst(const TFormatSettings& fs) {
  for (Char c : fs.ShortDateFormat) {
    const Char u = AnsiUpperChar(c);
    if (u == u'Y') return true;
    if (u == u'M' || u == u'D') return false;
  }
  return false;
}

// Day and month in the locale's order; the other order when that one is impossible.
bool EncodeDayMonth(Word year, unsigned first, unsigned second, bool dayFirst, TDateTime& date) {
  const auto d = static_cast<Word>(dayFirst ? first : second);
  const auto m = static_cast<Word>(dayFirst ? second : first);
  if (first > 99 || second > 99) return false;
  return TryEncodeDate(year, m, d, date) || TryEncodeDate(year, d, m, date);
}

// The date items: numbers and at most one month name, separated by blanks and at most one
// punctuation mark each.
bool ParseDate(const std::vector<Token>& tokens, const TFormatSettings& fs, TDateTime& date) {
  std::vector<Number> numbers;
  Word month = 0;
  size_t monthAt = 0;
  size_t punct = 0;
  for (const Token& t : tokens) {
    if (t.kind == DatePartKind::DatePunct) {
      if (++punct > 1 || (numbers.empty() && month == 0)) return false;
      continue;
    }
    punct = 0;
    if (t.kind == DatePartKind::Word) {
      if (month != 0) return false;
      month = MonthFromName(t.text, fs);
      if (month == 0) return false;
      monthAt = numbers.size();
    } else if (auto n = ToNumber(t)) {
      numbers.push_back(*n);
    } else {
      return false;
    }
  }
  const Word currentYear = YearOf(Date());
  if (month != 0) {
    if (numbers.size() == 1) {
      const Number& n = numbers[0];
      if (n.digits <= 2 && monthAt == 1)
        return TryEncodeDate(currentYear, month, static_cast<Word>(n.value), date);
      if (n.digits <= 2 && n.value <= 31 && monthAt == 0)
        return TryEncodeDate(currentYear, month, static_cast<Word>(n.value), date);
      return TryEncodeDate(FullYear(n, fs), month, 1, date);
    }
    if (numbers.size() != 2) return false;
    // The year is the long number; otherwise the day comes first ("5 March 25", "March 5, 25").
    const bool yearFirst = numbers[0].digits > 2 && numbers[1].digits <= 2;
    const Number& day = yearFirst ? numbers[1] : numbers[0];
    const Number& year = yearFirst ? numbers[0] : numbers[1];
    if (day.digits > 2) return false;
    return TryEncodeDate(FullYear(year, fs), month, static_cast<Word>(day.value), date);
  }
  const bool dayFirst = LocaleIsDayFirst(fs);
  if (numbers.size() == 2) {
    // A long number is a year with its month ("03.2025"); otherwise day and month of this year.
    if (numbers[0].digits > 2 || numbers[1].digits > 2) {
      const bool yearFirst = numbers[0].digits > 2;
      const Number& m = yearFirst ? numbers[1] : numbers[0];
      const Number& y = yearFirst ? numbers[0] : numbers[1];
      if (m.digits > 2) return false;
      return TryEncodeDate(FullYear(y, fs), static_cast<Word>(m.value), 1, date);
    }
    return EncodeDayMonth(currentYear, numbers[0].value, numbers[1].value, dayFirst, date);
  }
  if (numbers.size() != 3) return false;
  if (numbers[0].digits > 2 || (LocaleIsYearFirst(fs) && numbers[2].digits <= 2)) {
    // ISO and other year-first dates.
    if (numbers[1].digits > 2 || numbers[2].digits > 2) return false;
    return TryEncodeDate(FullYear(numbers[0], fs), static_cast<Word>(numbers[1].value),
                         static_cast<Word>(numbers[2].value), date);
  }
  if (numbers[1].digits > 2) return false;
  return EncodeDayMonth(FullYear(numbers[2], fs), numbers[0].value, numbers[1].value, dayFirst, date);
}

// h:n[:s[.z]] or h alone before AM/PM, then nothing but AM/PM.
bool ParseTime(const std::vector<Token>& tokens, const TFormatSettings& fs, TDateTime& time) {
  std::vector<unsigned> parts;
  size_t i = 0;
  Word msec = 0;
  while (i < tokens.size() && tokens[i].kind == DatePartKind::Number) {
    if (!parts.empty() && tokens[i].blankBefore) return false;
    auto n = ToNumber(tokens[i]);
    if (!n || n->digits > 2) return false;
    parts.push_back(n->value);
    ++i;
    if (i < tokens.size() && tokens[i].kind == DatePartKind::TimeSep && !tokens[i].blankBefore && parts.size() < 3) {
      ++i;
      if (i == tokens.size() || tokens[i].kind != DatePartKind::Number) return false;
      continue;
    }
    // Fractions of a second after the seconds.
    if (parts.size() == 3 && i + 1 < tokens.size() && tokens[i].kind == DatePartKind::DatePunct &&
        (tokens[i].text[0] == u'.' || tokens[i].text[0] == fs.DecimalSeparator) &&
        tokens[i + 1].kind == DatePartKind::Number && !tokens[i + 1].blankBefore) {
      const std::u16string_view digits = tokens[i + 1].text;
      unsigned ms = 0;
      for (size_t k = 0; k < 3; ++k) ms = ms * 10 + (k < digits.size() ? digits[k] - u'0' : 0);
      msec = static_cast<Word>(ms);
      i += 2;
    }
    break;
  }
  if (parts.empty()) return false;
  std::optional<int> base;
  if (i < tokens.size() && tokens[i].kind == DatePartKind::Word) {
    base = AmPmBase(tokens[i].text, fs);
    if (!base) return false;
    ++i;
  }
  if (i != tokens.size()) return false;
  if (parts.size() == 1 && !base) return false;
  unsigned hour = parts[0];
  if (base) {
    if (hour == 0 || hour > 12) return false;
    hour = hour % 12 + static_cast<unsigned>(*base);
  }
  return TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(parts.size() > 1 ? parts[1] : 0),
                       static_cast<Word>(parts.size() > 2 ? parts[2] : 0), msec, time);
}

// Where the time starts: the number before the first time separator, or the number before a
// closing AM/PM; tokens.size() when there is no time.
size_t TimeStart(const std::vector<Token>& tokens, const TFormatSettings& fs) {
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (tokens[i].kind == DatePartKind::TimeSep) return tokens[i - 1].kind == DatePartKind::Number ? i - 1 : 0;
  }
  const size_t n = tokens.size();
  if (n >= 2 && tokens[n - 1].kind == DatePartKind::Word && AmPmBase(tokens[n - 1].text, fs) &&
      tokens[n - 2].kind == DatePartKind::Number) {
    return n - 2;
  }
  if (n >= 1 && tokens[0].kind == DatePartKind::TimeSep) return 0;
  return n;
}

}  // namespace

bool TryVarDateFromStr(const String& text, TDateTime& value) {
  const TFormatSettings& fs = FormatSettings();
  std::vector<Token> tokens;
  if (!Tokenize(text, fs, tokens) || tokens.empty()) return false;
  const size_t timeAt = TimeStart(tokens, fs);
  const std::vector<Token> datePart(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(timeAt));
  const std::vector<Token> timePart(tokens.begin() + static_cast<std::ptrdiff_t>(timeAt), tokens.end());
  TDateTime date = 0, time = 0;
  if (!datePart.empty()) {
    // The time follows the date after a blank, not glued to it.
    if (!timePart.empty() && !timePart.front().blankBefore && datePart.back().kind != DatePartKind::DatePunct)
      return false;
    if (!ParseDate(datePart, fs, date)) return false;
  }
  if (!timePart.empty() && !ParseTime(timePart, fs, time)) return false;
  value = date >= 0 ? date + time : date - time;
  return true;
}

TDateTime VarDateFromStr(const String& text) {
  TDateTime value;
  if (!TryVarDateFromStr(text, value)) {
    throw EVariantError("Could not convert variant of type (String) into type (Date)");
  }
  return value;
}
