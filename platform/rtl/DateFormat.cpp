#include "platform/rtl/DateFormat.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"

namespace {

// ---- Formatting ----

Char PictureUpper(Char c) { return c >= u'a' && c <= u'z' ? static_cast<Char>(c - 32) : c; }

bool SameTextAt(const String& text, size_t pos, const String& word) {
  if (pos + word.size() > text.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (AnsiUpperChar(text[pos + i]) != AnsiUpperChar(word[i])) return false;
  }
  return true;
}

// True when text at pos starts with the ASCII word, ignoring case.
bool StartsAt(const String& text, size_t pos, std::u16string_view word) {
  if (pos + word.size() > text.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (PictureUpper(text[pos + i]) != word[i]) return false;
  }
  return true;
}

class DateTimeFormatter {
 public:
  DateTimeFormatter(const TFormatSettings& settings, TDateTime value) : fs_(settings) {
    DecodeDateFully(value, year_, month_, day_, dayOfWeek_);
    DecodeTime(value, hour_, min_, sec_, msec_);
  }

  String Run(const String& format) {
    Append(format.empty() ? String(u"c") : format, 0);
    return std::move(out_);
  }

 private:
  void Number(unsigned value, size_t digits) {
    String text;
    do {
      text.insert(text.begin(), static_cast<Char>(u'0' + value % 10));
      value /= 10;
    } while (value != 0);
    if (text.size() < digits) out_.append(digits - text.size(), u'0');
    out_ += text;
  }

  // A name from the locale's tables; an undecodable value has none.
  template <size_t N>
  void Name(const std::array<String, N>& names, Word index) {
    if (index < N) out_ += names[index];
  }

  // An hour followed (before the next hour) by an am/pm specifier is on the 12-hour clock.
  static bool TwelveHourAhead(const String& format, size_t pos) {
    bool quoted = false;
    Char quote = 0;
    for (; pos < format.size(); ++pos) {
      const Char c = format[pos];
      if (quoted) {
        if (c == quote) quoted = false;
        continue;
      }
      if (c == u'\'' || c == u'"') {
        quoted = true;
        quote = c;
      } else if (c == u'a' || c == u'A') {
        return StartsAt(format, pos, u"AM/PM") || StartsAt(format, pos, u"A/P") ||
               StartsAt(format, pos, u"AMPM");
      } else if (c == u'h' || c == u'H') {
        return false;
      }
    }
    return false;
  }

  void Append(const String& format, int level) {
    // The locale's formats may name each other; two levels are enough and stop a loop.
    if (level > 2) return;
    Char lastToken = 0;
    size_t i = 0;
    while (i < format.size()) {
      const Char starter = format[i];
      Char token = PictureUpper(starter);
      if (token >= u'A' && token <= u'Z') {
        if (token == u'M' && lastToken == u'H') token = u'N';
        lastToken = token;
      }
      size_t count = 1;
      auto takeRun = [&] {
        count = 0;
        while (i < format.size() && format[i] == starter) {
          ++i;
          ++count;
        }
      };
      switch (token) {
        case u'Y':
          takeRun();
          if (count <= 2) {
            Number(year_ % 100, 2);
          } else {
            Number(year_, 4);
          }
          break;
        case u'M':
          takeRun();
          if (count <= 2) {
            Number(month_, count);
          } else if (count == 3) {
            Name(fs_.ShortMonthNames, static_cast<Word>(month_ - 1));
          } else {
            Name(fs_.LongMonthNames, static_cast<Word>(month_ - 1));
          }
          break;
        case u'D':
          takeRun();
          if (count <= 2) {
            Number(day_, count);
          } else if (count == 3) {
            Name(fs_.ShortDayNames, static_cast<Word>(dayOfWeek_ - 1));
          } else if (count == 4) {
            Name(fs_.LongDayNames, static_cast<Word>(dayOfWeek_ - 1));
          } else if (count == 5) {
            Append(fs_.ShortDateFormat, level + 1);
          } else {
            Append(fs_.LongDateFormat, level + 1);
          }
          break;
        case u'H': {
          takeRun();
          unsigned h = hour_;
          if (TwelveHourAhead(format, i)) {
            if (h == 0) {
              h = 12;
            } else if (h > 12) {
              h -= 12;
            }
          }
          Number(h, count > 2 ? 2 : count);
          break;
        }
        case u'N':
          takeRun();
          Number(min_, count > 2 ? 2 : count);
          break;
        case u'S':
          takeRun();
          Number(sec_, count > 2 ? 2 : count);
          break;
        case u'Z':
          takeRun();
          Number(msec_, count > 3 ? 3 : count);
          break;
        case u'T':
          takeRun();
          Append(count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, level + 1);
          break;
        case u'C':
          takeRun();
          Append(fs_.ShortDateFormat, level + 1);
          if (hour_ != 0 || min_ != 0 || sec_ != 0 || msec_ != 0) {
            out_ += u' ';
            Append(fs_.LongTimeFormat, level + 1);
          }
          break;
        case u'A':
          if (StartsAt(format, i, u"AM/PM")) {
            out_.append(format, i + (hour_ >= 12 ? 3 : 0), 2);
            i += 5;
          } else if (StartsAt(format, i, u"A/P")) {
            out_ += format[i + (hour_ >= 12 ? 2 : 0)];
            i += 3;
          } else if (StartsAt(format, i, u"AMPM")) {
            out_ += hour_ >= 12 ? fs_.TimePMString : fs_.TimeAMString;
            i += 4;
          } else {
            out_ += starter;
            ++i;
          }
          break;
        case u'/':
          if (fs_.DateSeparator != 0) out_ += fs_.DateSeparator;
          ++i;
          break;
        case u':':
          if (fs_.TimeSeparator != 0) out_ += fs_.TimeSeparator;
          ++i;
          break;
        case u'\'':
        case u'"': {
          const size_t end = format.find(starter, i + 1);
          const size_t stop = end == String::npos ? format.size() : end;
          out_.append(format, i + 1, stop - i - 1);
          i = end == String::npos ? stop : stop + 1;
          break;
        }
        default:
          out_ += starter;
          ++i;
          break;
      }
    }
  }

  const TFormatSettings& fs_;
  Word year_ = 0, month_ = 0, day_ = 0, dayOfWeek_ = 0;
  Word hour_ = 0, min_ = 0, sec_ = 0, msec_ = 0;
  String out_;
};

// ---- Parsing ----

enum class DateOrder { MDY, DMY, YMD };

// The first of d, m, y (or the era year e) in the short date format decides.
DateOrder GetDateOrder(const String& format) {
  for (Char c : format) {
    switch (PictureUpper(c)) {
      case u'E':
      case u'Y':
        return DateOrder::YMD;
      case u'M':
        return DateOrder::MDY;
      case u'D':
        return DateOrder::DMY;
      default:
        break;
    }
  }
  return DateOrder::MDY;
}

class Scanner {
 public:
  Scanner(const String& text, const TFormatSettings& settings) : s_(text), fs_(settings) {}

  bool AtEnd() const { return pos_ >= s_.size(); }
  size_t Position() const { return pos_; }
  void Reset(size_t pos) { pos_ = pos; }

  void Blanks() {
    while (pos_ < s_.size() && s_[pos_] == u' ') ++pos_;
  }

  // Up to four digits; digits counts them (a year of one or two digits is a short year).
  bool Number(Word& value, int& digits) {
    Blanks();
    size_t p = pos_;
    unsigned n = 0;
    while (p < s_.size() && s_[p] >= u'0' && s_[p] <= u'9' && n < 1000) {
      n = n * 10 + (s_[p] - u'0');
      ++p;
    }
    if (p == pos_) return false;
    digits = static_cast<int>(p - pos_);
    pos_ = p;
    value = static_cast<Word>(n);
    return true;
  }

  bool Char_(Char c) {
    Blanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // An empty symbol never matches.
  bool Symbol(const String& symbol) {
    if (symbol.empty()) return false;
    Blanks();
    if (!SameTextAt(s_, pos_, symbol)) return false;
    pos_ += symbol.size();
    return true;
  }

  bool Date(TDateTime& date) {
    const DateOrder order = GetDateOrder(fs_.ShortDateFormat);
    Word n1, n2, n3;
    int l1, l2, l3;
    if (!Number(n1, l1) || !Char_(fs_.DateSeparator) || !Number(n2, l2)) return false;
    const Word currentYear = YearOf(::Date());
    Word y, m, d;
    if (Char_(fs_.DateSeparator)) {
      if (!Number(n3, l3)) return false;
      int yearDigits;
      switch (order) {
        case DateOrder::MDY:
          y = n3, m = n1, d = n2, yearDigits = l3;
          break;
        case DateOrder::DMY:
          y = n3, m = n2, d = n1, yearDigits = l3;
          break;
        default:
          y = n1, m = n2, d = n3, yearDigits = l1;
          break;
      }
      if (yearDigits <= 2) {
        const int window = fs_.TwoDigitYearCenturyWindow;
        const int centuryBase = currentYear - window;
        int full = y + centuryBase / 100 * 100;
        if (window > 0 && full < centuryBase) full += 100;
        y = static_cast<Word>(full);
      }
    } else {
      y = currentYear;
      if (order == DateOrder::DMY) {
        d = n1, m = n2;
      } else {
        m = n1, d = n2;
      }
    }
    Char_(fs_.DateSeparator);
    Blanks();
    return TryEncodeDate(y, m, d, date);
  }

  bool AmPm(int& baseHour) {
    if (Symbol(fs_.TimeAMString) || Symbol(u"AM")) {
      baseHour = 0;
    } else if (Symbol(fs_.TimePMString) || Symbol(u"PM")) {
      baseHour = 12;
    } else {
      return false;
    }
    return true;
  }

  bool Time(TDateTime& time) {
    int baseHour = -1;
    if (AmPm(baseHour)) Blanks();
    Word hour, min = 0, sec = 0, msec = 0;
    int digits;
    if (!Number(hour, digits)) return false;
    if (Char_(fs_.TimeSeparator)) {
      if (!Number(min, digits)) return false;
      if (Char_(fs_.TimeSeparator)) {
        if (!Number(sec, digits)) return false;
        if (Char_(fs_.DecimalSeparator) && !Number(msec, digits)) return false;
      }
    }
    if (baseHour < 0) AmPm(baseHour);
    if (baseHour >= 0) {
      if (hour == 0 || hour > 12) return false;
      if (hour == 12) hour = 0;
      hour = static_cast<Word>(hour + baseHour);
    }
    Blanks();
    return TryEncodeTime(hour, min, sec, msec, time);
  }

 private:
  const String& s_;
  const TFormatSettings& fs_;
  size_t pos_ = 0;
};

[[noreturn]] void RaiseNotValid(const String& text, const char* what) {
  throw EConvertError(u"'" + text + u"' is not a valid " + Utf8ToString(what));
}

}  // namespace

String FormatDateTime(const String& format, TDateTime value) {
  return DateTimeFormatter(FormatSettings(), value).Run(format);
}

String DateToStr(TDateTime value) { return FormatDateTime(u"ddddd", value); }
String TimeToStr(TDateTime value) { return FormatDateTime(u"tt", value); }
String DateTimeToStr(TDateTime value) { return FormatDateTime(u"c", value); }

String DateTimeToSystemString(TDateTime value) {
  Word h, n, s, ms;
  DecodeTime(value, h, n, s, ms);
  if (h == 0 && n == 0 && s == 0 && ms == 0) return DateToStr(value);
  return DateToStr(value) + u" " + TimeToStr(value);
}

bool TryStrToDate(const String& text, TDateTime& value) {
  Scanner scan(text, FormatSettings());
  TDateTime date;
  if (!scan.Date(date) || !scan.AtEnd()) return false;
  value = date;
  return true;
}

bool TryStrToTime(const String& text, TDateTime& value) {
  Scanner scan(text, FormatSettings());
  TDateTime time;
  if (!scan.Time(time) || !scan.AtEnd()) return false;
  value = time;
  return true;
}

bool TryStrToDateTime(const String& text, TDateTime& value) {
  Scanner scan(text, FormatSettings());
  TDateTime date, time = 0;
  if (scan.Date(date) && (scan.AtEnd() || (scan.Time(time) && scan.AtEnd()))) {
    value = date >= 0 ? date + time : date - time;
    return true;
  }
  return TryStrToTime(text, value);
}

TDateTime StrToDate(const String& text) {
  TDateTime value;
  if (!TryStrToDate(text, value)) RaiseNotValid(text, "date");
  return value;
}

TDateTime StrToTime(const String& text) {
  TDateTime value;
  if (!TryStrToTime(text, value)) RaiseNotValid(text, "time");
  return value;
}

TDateTime StrToDateTime(const String& text) {
  TDateTime value;
  if (!TryStrToDateTime(text, value)) RaiseNotValid(text, "date and time");
  return value;
}

TDateTime StrToDateDef(const String& text, TDateTime defaultValue) {
  TDateTime value;
  return TryStrToDate(text, value) ? value : defaultValue;
}
