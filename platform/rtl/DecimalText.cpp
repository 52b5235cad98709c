#include "platform/rtl/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace rtl_internal {

namespace {

constexpr int kShortest = -1;
constexpr int kApproxDigits = 40;
// Any decimal of up to 15 significant digits survives a trip through a double.
constexpr int kRoundTripDigits = 15;
// A double's exact decimal expansion has at most 767 significant digits.
constexpr int kExactDigits = 780;

void StripZeros(Decimal& d) {
  size_t lead = 0;
  while (lead < d.digits.size() && d.digits[lead] == '0') ++lead;
  if (lead) {
    d.digits.erase(0, lead);
    d.exponent -= static_cast<int>(lead);
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
}

Decimal DoubleDigits(double value, int precision) {
  Decimal d;
  d.negative = std::signbit(value);
  if (std::isnan(value)) {
    d.kind = Decimal::Kind::NaN;
    return d;
  }
  if (std::isinf(value)) {
    d.kind = d.negative ? Decimal::Kind::NegInf : Decimal::Kind::PosInf;
    return d;
  }
  if (value == 0) return d;
  std::vector<char> buf(static_cast<size_t>(std::max(precision, 17)) + 32);
  const auto r = precision < 0 ? std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                               std::chars_format::scientific)
                               : std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                               std::chars_format::scientific, precision);
  const char* p = buf.data();
  const char* e = std::find(p, static_cast<const char*>(r.ptr), 'e');
  for (const char* q = p; q < e; ++q)
    if (*q != '.') d.digits.push_back(*q);
  int exp10 = 0;
  const char* x = e + 1;
  if (*x == '+') ++x;
  std::from_chars(x, r.ptr, exp10);
  d.exponent = exp10 + 1;
  StripZeros(d);
  return d;
}

// n: the count of digits to keep (may be <= 0).
Decimal RoundAt(const Decimal& d, Int64 n, bool& undecided) {
  undecided = false;
  if (n >= static_cast<Int64>(d.digits.size())) return d;
  Decimal r;
  if (n < 0) return r;
  r.negative = d.negative;
  const size_t keep = static_cast<size_t>(n);
  const char first = d.digits[keep];
  bool up = first > '5';
  if (first == '5') {
    // Digits are stripped of trailing zeros: anything after the 5 makes it more than half.
    up = true;
    if (keep + 1 == d.digits.size()) undecided = true;
  }
  r.digits = d.digits.substr(0, keep);
  r.exponent = d.exponent;
  if (up) {
    size_t i = r.digits.size();
    while (i > 0 && r.digits[i - 1] == '9') r.digits[--i] = '0';
    if (i == 0) {
      r.digits.insert(r.digits.begin(), '1');
      ++r.exponent;
    } else {
      ++r.digits[i - 1];
    }
  }
  StripZeros(r);
  if (r.digits.empty()) r.negative = false;
  return r;
}

String Pad(Int64 value, int minDigits) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) < minDigits) s.insert(0, static_cast<size_t>(minDigits) - s.size(), '0');
  return Ascii(s);
}

String Group(const String& intDigits, Char separator) {
  String out;
  const size_t n = intDigits.size();
  for (size_t i = 0; i < n; ++i) {
    out.push_back(intDigits[i]);
    const size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) out.push_back(separator);
  }
  return out;
}

String SpecialText(const Decimal& d) {
  switch (d.kind) {
    case Decimal::Kind::NaN:
      return u"NAN";
    case Decimal::Kind::PosInf:
      return u"INF";
    default:
      return u"-INF";
  }
}

String GeneralText(const DecimalSource& source, int precision, int expDigits, Char decimalSeparator) {
  const Decimal r = RoundDecimal(source, precision, std::numeric_limits<int>::max());
  if (r.IsZero()) return u"0";
  String out = r.negative ? u"-" : u"";
  const String d = Ascii(r.digits);
  const int len = static_cast<int>(d.size());
  if (r.exponent > precision || r.exponent < -3) {
    out.push_back(d[0]);
    if (len > 1) {
      out.push_back(decimalSeparator);
      out.append(d, 1);
    }
    out.push_back(u'E');
    const int e = r.exponent - 1;
    if (e < 0) out.push_back(u'-');
    out += Pad(std::abs(e), std::clamp(expDigits, 0, 4));
  } else if (r.exponent <= 0) {
    out += u"0";
    out.push_back(decimalSeparator);
    out.append(static_cast<size_t>(-r.exponent), u'0');
    out += d;
  } else if (len <= r.exponent) {
    out += d;
    out.append(static_cast<size_t>(r.exponent - len), u'0');
  } else {
    out.append(d, 0, static_cast<size_t>(r.exponent));
    out.push_back(decimalSeparator);
    out.append(d, static_cast<size_t>(r.exponent));
  }
  return out;
}

String ExponentText(const DecimalSource& source, int precision, int expDigits, Char decimalSeparator) {
  const Decimal r = RoundDecimal(source, precision, std::numeric_limits<int>::max());
  std::string d = r.digits;
  d.resize(static_cast<size_t>(precision), '0');
  String out = r.negative ? u"-" : u"";
  out.push_back(static_cast<Char>(d[0]));
  if (precision > 1) {
    out.push_back(decimalSeparator);
    out += Ascii(std::string_view(d).substr(1));
  }
  const int e = r.IsZero() ? 0 : r.exponent - 1;
  out.push_back(u'E');
  out.push_back(e < 0 ? u'-' : u'+');
  out += Pad(std::abs(e), std::clamp(expDigits, 0, 4));
  return out;
}

// Integer and fraction digits of a rounded decimal, the fraction exactly `decimals` long.
void SplitFixed(const Decimal& r, int decimals, String& intPart, String& fraction) {
  intPart.clear();
  fraction.clear();
  const int len = static_cast<int>(r.digits.size());
  for (int i = 0; i < r.exponent; ++i) intPart.push_back(i < len ? static_cast<Char>(r.digits[i]) : u'0');
  for (int k = 0; k < decimals; ++k) {
    const int i = r.exponent + k;
    fraction.push_back(i >= 0 && i < len ? static_cast<Char>(r.digits[i]) : u'0');
  }
}

}  // namespace

String Ascii(std::string_view s) { return String(s.begin(), s.end()); }

DecimalSource SourceOfDouble(double value) {
  DecimalSource s;
  s.value = value;
  s.digits = DoubleDigits(value, kShortest);
  s.fromDouble = true;
  return s;
}

DecimalSource SourceOfScaled(Int64 scaled, int scaleDigits) {
  DecimalSource s;
  s.value = static_cast<double>(scaled);
  s.digits.negative = scaled < 0;
  const UInt64 magnitude = scaled < 0 ? 0 - static_cast<UInt64>(scaled) : static_cast<UInt64>(scaled);
  s.digits.digits = std::to_string(magnitude);
  s.digits.exponent = static_cast<int>(s.digits.digits.size()) - scaleDigits;
  StripZeros(s.digits);
  if (s.digits.digits.empty()) s.digits.negative = false;
  return s;
}

Decimal RoundDecimal(const DecimalSource& source, int maxSignificant, int maxDecimals) {
  const Decimal& d = source.digits;
  if (d.kind != Decimal::Kind::Finite) return d;
  if (d.digits.empty()) return Decimal{};
  const Int64 n = std::min<Int64>(maxSignificant, static_cast<Int64>(d.exponent) + maxDecimals);
  bool undecided = false;
  if (!source.fromDouble) return RoundAt(d, n, undecided);
  // The shortest digits that read back as the double are its correct rounding to any count from
  // their own length up to 15 (for normal values): the common case needs no further work.
  if (n >= static_cast<Int64>(d.digits.size()) && n <= kRoundTripDigits && std::isnormal(source.value))
    return d;
  Decimal r = RoundAt(DoubleDigits(source.value, kApproxDigits), n, undecided);
  if (undecided) {
    // The 40 digits end in a 5 exactly where we round: only the exact expansion tells a tie (round
    // away) from a value just below it.
    r = RoundAt(DoubleDigits(source.value, kExactDigits), n, undecided);
  }
  return r;
}

String ApplyCurrencyFormat(const String& amount, bool negative, const TFormatSettings& settings) {
  const String& c = settings.CurrencyString;
  if (!negative) {
    switch (settings.CurrencyFormat) {
      case 1:
        return amount + c;
      case 2:
        return c + u" " + amount;
      case 3:
        return amount + u" " + c;
      default:
        return c + amount;
    }
  }
  switch (settings.NegCurrFormat) {
    case 1:
      return u"-" + c + amount;
    case 2:
      return c + u"-" + amount;
    case 3:
      return c + amount + u"-";
    case 4:
      return u"(" + amount + c + u")";
    case 5:
      return u"-" + amount + c;
    case 6:
      return amount + u"-" + c;
    case 7:
      return amount + c + u"-";
    case 8:
      return u"-" + amount + u" " + c;
    case 9:
      return u"-" + c + u" " + amount;
    case 10:
      return amount + u" " + c + u"-";
    case 11:
      return c + u" " + amount + u"-";
    case 12:
      return c + u" -" + amount;
    case 13:
      return amount + u"- " + c;
    case 14:
      return u"(" + c + u" " + amount + u")";
    case 15:
      return u"(" + amount + u" " + c + u")";
    default:
      return u"(" + c + amount + u")";
  }
}

String FloatToText(const DecimalSource& source, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings, int maxPrecision) {
  if (source.digits.kind != Decimal::Kind::Finite) return SpecialText(source.digits);
  precision = std::clamp(precision, 1, maxPrecision);
  const Char dec = settings.DecimalSeparator;
  switch (format) {
    case ffExponent:
      return ExponentText(source, precision, digits, dec);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      digits = std::clamp(digits, 0, 18);
      const Decimal r = RoundDecimal(source, precision, digits);
      // More integer digits than the precision holds: the plain form would show invented digits.
      if (r.exponent > precision) return GeneralText(source, precision, 0, dec);
      String intPart, fraction;
      SplitFixed(r, digits, intPart, fraction);
      if (intPart.empty()) intPart.assign(1, u'0');
      if (format != ffFixed) intPart = Group(intPart, settings.ThousandSeparator);
      String amount = intPart;
      if (digits > 0) {
        amount.push_back(dec);
        amount += fraction;
      }
      if (format == ffCurrency) return ApplyCurrencyFormat(amount, r.negative, settings);
      return r.negative ? u"-" + amount : amount;
    }
    default:
      return GeneralText(source, precision, digits, dec);
  }
}

bool ParseDecimal(const String& s, const TFormatSettings& settings, Decimal& out) {
  size_t i = 0, n = s.size();
  while (i < n && s[i] <= u' ') ++i;
  while (n > i && s[n - 1] <= u' ') --n;
  Decimal d;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) d.negative = s[i++] == u'-';
  bool anyDigit = false, point = false;
  int pointPos = 0;  // digits before the decimal separator
  for (; i < n; ++i) {
    const Char c = s[i];
    if (c >= u'0' && c <= u'9') {
      anyDigit = true;
      d.digits.push_back(static_cast<char>(c));
      if (!point) ++pointPos;
    } else if (c == settings.DecimalSeparator && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  Int64 exp = 0;
  if (i < n && (s[i] == u'E' || s[i] == u'e')) {
    ++i;
    bool negExp = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) negExp = s[i++] == u'-';
    if (i == n || s[i] < u'0' || s[i] > u'9') return false;
    for (; i < n && s[i] >= u'0' && s[i] <= u'9'; ++i)
      exp = std::min<Int64>(exp * 10 + (s[i] - u'0'), 1000000);
    if (negExp) exp = -exp;
  }
  if (i != n) return false;
  d.exponent = static_cast<int>(pointPos + exp);
  const bool negative = d.negative;
  StripZeros(d);
  d.negative = negative;
  out = d;
  return true;
}

}  // namespace rtl_internal
