#include "platform/office/CellText.h"

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"

namespace {

Char Lower(Char c) { return c >= u'A' && c <= u'Z' ? static_cast<Char>(c + 32) : c; }

String LowerAscii(String s) {
  for (Char& c : s) c = Lower(c);
  return s;
}

String BuiltInFormat(std::uint16_t index) {
  const String shortDate = LowerAscii(FormatSettings().ShortDateFormat);
  switch (index) {
    case 1: return u"0";
    case 2: return u"0.00";
    case 3: return u"#,##0";
    case 4: return u"#,##0.00";
    case 9: return u"0%";
    case 10: return u"0.00%";
    case 11: return u"0.00E+00";
    case 14: return shortDate;
    case 15: return u"d-mmm-yy";
    case 16: return u"d-mmm";
    case 17: return u"mmm-yy";
    case 18: return u"h:mm AM/PM";
    case 19: return u"h:mm:ss AM/PM";
    case 20: return u"h:mm";
    case 21: return u"h:mm:ss";
    case 22: return shortDate + u" h:mm";
    case 37: return u"#,##0 ;(#,##0)";
    case 38: return u"#,##0 ;[Red](#,##0)";
    case 39: return u"#,##0.00;(#,##0.00)";
    case 40: return u"#,##0.00;[Red](#,##0.00)";
    case 45: return u"mm:ss";
    case 46: return u"[h]:mm:ss";
    case 47: return u"mm:ss.0";
    case 48: return u"##0.0E+0";
    case 49: return u"@";
    default: return {};
  }
}

String Ascii(const std::string& s) { return String(s.begin(), s.end()); }

String WithDecimalSeparator(String s) {
  for (Char& c : s)
    if (c == u'.') c = FormatSettings().DecimalSeparator;
  return s;
}

// General: integers as they are, other values with up to ten significant digits and no trailing
// zeros, the exponent form only for very large or very small magnitudes.
String GeneralText(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e11) return Ascii(std::to_string(static_cast<long long>(value)));
  char buffer[64];
  const double magnitude = std::fabs(value);
  if (magnitude >= 1e11 || magnitude < 1e-9) {
    std::snprintf(buffer, sizeof buffer, "%.5E", value);
    std::string text = buffer;
    const std::size_t exponent = text.find('E');
    std::string mantissa = text.substr(0, exponent);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.') mantissa.pop_back();
    return WithDecimalSeparator(Ascii(mantissa + text.substr(exponent)));
  }
  const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
  std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(10 - integerDigits, 0, 19), value);
  std::string text = buffer;
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return WithDecimalSeparator(Ascii(text));
}

// Splits a code into its ';' sections, ignoring separators inside quotes and brackets.
std::vector<String> Sections(const String& code) {
  std::vector<String> sections(1);
  bool quoted = false, bracket = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const Char c = code[i];
    if (c == u'"') quoted = !quoted;
    if (!quoted && c == u'[') bracket = true;
    if (!quoted && c == u']') bracket = false;
    if (c == u'\\' && i + 1 < code.size()) {
      sections.back() += code.substr(i, 2);
      ++i;
      continue;
    }
    if (c == u';' && !quoted && !bracket) {
      sections.emplace_back();
      continue;
    }
    sections.back().push_back(c);
  }
  return sections;
}

// The format's pieces: literal text, or a run of one placeholder letter.
struct Token {
  bool literal;
  String text;
};

std::vector<Token> Tokens(const String& section) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < section.size();) {
    const Char c = section[i];
    if (c == u'"') {
      const std::size_t end = section.find(u'"', i + 1);
      tokens.push_back({true, section.substr(i + 1, (end == String::npos ? section.size() : end) - i - 1)});
      i = end == String::npos ? section.size() : end + 1;
    } else if (c == u'\\' && i + 1 < section.size()) {
      tokens.push_back({true, section.substr(i + 1, 1)});
      i += 2;
    } else if (c == u'[') {
      const std::size_t end = section.find(u']', i);
      const String inside = section.substr(i + 1, (end == String::npos ? section.size() : end) - i - 1);
      // Elapsed-time brackets ([h], [mm]) are placeholders; locale and colour brackets show nothing.
      if (!inside.empty() && (Lower(inside[0]) == u'h' || Lower(inside[0]) == u'm' || Lower(inside[0]) == u's'))
        tokens.push_back({false, u"[" + LowerAscii(inside)});
      i = end == String::npos ? section.size() : end + 1;
    } else if (c == u'_' || c == u'*') {
      if (c == u'_') tokens.push_back({true, u" "});
      i += 2;
    } else if (section.compare(i, 5, u"AM/PM") == 0 || section.compare(i, 5, u"am/pm") == 0) {
      tokens.push_back({false, u"am/pm"});
      i += 5;
    } else {
      const Char l = Lower(c);
      if (l == u'y' || l == u'm' || l == u'd' || l == u'h' || l == u's' || l == u'e') {
        std::size_t j = i;
        while (j < section.size() && Lower(section[j]) == l) ++j;
        tokens.push_back({false, String(j - i, l)});
        i = j;
      } else {
        tokens.push_back({true, String(1, c)});
        ++i;
      }
    }
  }
  return tokens;
}

bool IsDateFormat(const std::vector<Token>& tokens) {
  for (const Token& t : tokens)
    if (!t.literal && t.text[0] != u'e') return true;
  return false;
}

struct CivilDate {
  int year, month, day;
};

CivilDate FromDays(long long days) {  // days since 1970-01-01
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long doe = days - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2)), month, day};
}

String Padded(long long value, std::size_t width) {
  String s = Ascii(std::to_string(value));
  while (s.size() < width) s.insert(s.begin(), u'0');
  return s;
}

String DateText(double serial, const std::vector<Token>& tokens, bool dates1904) {
  if (serial < 0 || serial > 2958465.999) return GeneralText(serial);
  long long wholeDays = static_cast<long long>(std::floor(serial));
  long long seconds = std::llround((serial - static_cast<double>(wholeDays)) * 86400);
  if (seconds >= 86400) {
    ++wholeDays;
    seconds -= 86400;
  }
  CivilDate date{};
  if (dates1904) {
    date = FromDays(wholeDays - 24107);  // 1904-01-01 is day 0
  } else if (wholeDays == 60) {
    date = {1900, 2, 29};  // the 1900 system counts a 29 February that never was
  } else if (wholeDays == 0) {
    date = {1900, 1, 0};
  } else {
    date = FromDays(wholeDays - (wholeDays < 60 ? 25568 : 25569));
  }
  const long long hours = seconds / 3600, minutes = seconds / 60 % 60, secs = seconds % 60;
  bool twelveHour = false;
  for (const Token& t : tokens) twelveHour |= !t.literal && t.text == u"am/pm";
  const auto& fs = FormatSettings();

  String out;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.literal) {
      out += t.text;
      continue;
    }
    const std::size_t n = t.text.size();
    switch (t.text[0]) {
      case u'y': out += n <= 2 ? Padded(date.year % 100, 2) : Padded(date.year, 4); break;
      case u'd':
        if (n <= 2) {
          out += Padded(date.day, n);
        } else {
          const int weekday = static_cast<int>(((wholeDays + 6) % 7 + 7) % 7);  // serial 1 is a Sunday
          out += n == 3 ? fs.ShortDayNames[static_cast<std::size_t>(weekday)] : fs.LongDayNames[static_cast<std::size_t>(weekday)];
        }
        break;
      case u'm': {
        // Minutes when next to hours or seconds, otherwise the month.
        bool minute = false;
        for (std::size_t j = i; j-- > 0;)
          if (!tokens[j].literal) {
            minute = tokens[j].text[0] == u'h' || tokens[j].text.starts_with(u"[h");
            break;
          }
        for (std::size_t j = i + 1; j < tokens.size() && !minute; ++j)
          if (!tokens[j].literal) {
            minute = tokens[j].text[0] == u's';
            break;
          }
        const auto month = static_cast<std::size_t>(date.month - 1);
        if (minute && n <= 2) out += Padded(minutes, n);
        else if (n <= 2) out += Padded(date.month, n);
        else if (n == 3) out += fs.ShortMonthNames[month];
        else if (n == 5) out += fs.LongMonthNames[month].substr(0, 1);
        else out += fs.LongMonthNames[month];
        break;
      }
      case u'h': out += Padded(twelveHour ? (hours + 11) % 12 + 1 : hours, std::min<std::size_t>(n, 2)); break;
      case u's': out += Padded(secs, std::min<std::size_t>(n, 2)); break;
      case u'[': {
        const Char unit = t.text[1];
        const long long total = static_cast<long long>(std::floor(serial * (unit == u'h' ? 24 : unit == u'm' ? 1440 : 86400)));
        out += Padded(total, t.text.size() - 1);
        break;
      }
      default: out += hours < 12 ? u"AM" : u"PM"; break;
    }
  }
  return out;
}

String Grouped(const String& digits) {
  String out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(FormatSettings().ThousandSeparator);
    out.push_back(digits[i]);
  }
  return out;
}

constexpr std::size_t kMaxDecimals = 30;

// A number section: literals around one run of digit placeholders.
String NumberText(double value, const String& section) {
  std::size_t first = String::npos, last = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < section.size(); ++i) {
    const Char c = section[i];
    if (c == u'"') quoted = !quoted;
    if (quoted) continue;
    if (c == u'0' || c == u'#' || c == u'?' || ((c == u'.' || c == u',') && first != String::npos)) {
      if (first == String::npos) first = i;
      last = i;
    }
  }
  auto literal = [](const String& part) {
    String out;
    for (const Token& t : Tokens(part)) out += t.text;
    return out;
  };
  if (first == String::npos) return literal(section);
  const String picture = section.substr(first, last - first + 1);
  const bool percent = section.find(u'%') != String::npos;
  const std::size_t point = picture.find(u'.');
  std::size_t decimals = 0;
  if (point != String::npos)
    for (std::size_t i = point + 1; i < picture.size() && decimals < kMaxDecimals; ++i)
      decimals += picture[i] == u'0' || picture[i] == u'#' || picture[i] == u'?';
  const bool grouping = picture.find(u',') != String::npos && picture.find(u',') < (point == String::npos ? picture.size() : point);
  std::size_t minInteger = 0;
  for (std::size_t i = 0; i < (point == String::npos ? picture.size() : point); ++i) minInteger += picture[i] == u'0';

  if (percent) value *= 100;
  // Halves round away from zero, on the value's first 15 digits, as the spreadsheet program shows them.
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.15g", std::fabs(value));
  const double scale = std::pow(10.0, static_cast<double>(std::min<std::size_t>(decimals, 15)));
  const double scaled = std::strtod(buffer, nullptr) * scale;
  std::snprintf(buffer, sizeof buffer, "%.15g", scaled);
  // A value too large to scale has no fraction left to round.
  const double rounded = std::isfinite(scaled) ? std::round(std::strtod(buffer, nullptr)) / scale : std::fabs(value);
  std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(decimals), rounded);
  const std::string fixed = buffer;
  const std::size_t dot = fixed.find('.');
  std::string whole = fixed.substr(0, dot);
  if (whole == "0" && minInteger == 0) whole.clear();
  while (whole.size() < minInteger) whole.insert(whole.begin(), '0');
  String number = grouping ? Grouped(Ascii(whole)) : Ascii(whole);
  if (dot != std::string::npos) number += FormatSettings().DecimalSeparator + Ascii(fixed.substr(dot + 1));
  return literal(section.substr(0, first)) + number + literal(section.substr(last + 1));
}

}  // namespace

String FormatCellNumber(double value, const String& formatCode, bool dates1904) {
  // A damaged file may store any bit pattern; the program shows such values as a number error.
  if (!std::isfinite(value)) return u"#NUM!";
  if (formatCode.empty() || LowerAscii(formatCode) == u"general" || formatCode == u"@") return GeneralText(value);
  const std::vector<String> sections = Sections(formatCode);
  std::size_t chosen = 0;
  bool negativeSection = false;
  if (value < 0 && sections.size() >= 2) {
    chosen = 1;
    negativeSection = true;
  } else if (value == 0 && sections.size() >= 3) {
    chosen = 2;
  }
  const String& section = sections[chosen];
  const auto tokens = Tokens(section);
  if (LowerAscii(section) == u"general") return GeneralText(negativeSection ? -value : value);
  if (IsDateFormat(tokens)) return DateText(value, tokens, dates1904);
  const String text = NumberText(value, section);
  return value < 0 && !negativeSection ? u"-" + text : text;
}

String CellDisplayText(const Workbook& book, const WorkbookCell& cell) {
  static const char* const kErrors[][2] = {{"\x00", "#NULL!"}, {"\x07", "#DIV/0!"}, {"\x0F", "#VALUE!"},
                                           {"\x17", "#REF!"},  {"\x1D", "#NAME?"},  {"\x24", "#NUM!"},
                                           {"\x2A", "#N/A"}};
  switch (cell.kind) {
    case WorkbookCell::Kind::Text: return cell.text;
    case WorkbookCell::Kind::Boolean: return cell.number != 0 ? u"TRUE" : u"FALSE";
    case WorkbookCell::Kind::Error:
      for (const auto& e : kErrors)
        if (static_cast<unsigned char>(e[0][0]) == static_cast<unsigned>(cell.number)) return Utf8ToString(e[1]);
      return u"#N/A";
    case WorkbookCell::Kind::Number: break;
  }
  return FormatCellNumber(cell.number, book.FormatCode(cell), book.dates1904);
}

String Workbook::FormatCode(const WorkbookCell& cell) const {
  if (cell.xf >= xfFormats.size()) return {};
  const std::uint16_t index = xfFormats[cell.xf];
  // The short date styles follow the reader's locale whatever code the writer stored for them.
  const bool localeDate = builtInFormatIndexes && (index == 14 || index == 22);
  if (auto it = formats.find(index); it != formats.end() && !localeDate) return it->second;
  return BuiltInFormat(index);
}
