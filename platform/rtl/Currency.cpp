#include "platform/rtl/Currency.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/rtl/DecimalText.h"
#include "platform/rtl/Exceptions.h"

using namespace rtl_internal;

namespace {

using Int128 = __int128;

constexpr Int64 kMax = std::numeric_limits<Int64>::max();
constexpr Int64 kMin = std::numeric_limits<Int64>::min();

Currency Checked(Int128 v) {
  if (v > kMax || v < kMin) throw EOverflow("Currency overflow");
  return Currency::FromScaled(static_cast<Int64>(v));
}

// num / den rounded to nearest, halves to even.
Int128 DivRound(Int128 num, Int128 den) {
  if (den == 0) throw EZeroDivide("Division by zero");
  Int128 q = num / den;
  const Int128 r = num % den;
  const Int128 twice = 2 * (r < 0 ? -r : r);
  const Int128 absDen = den < 0 ? -den : den;
  if (twice > absDen || (twice == absDen && (q & 1) != 0)) q += ((num < 0) != (den < 0)) ? -1 : 1;
  return q;
}

// Exact decimal text to scaled units, more than four decimals rounded half to even.
bool DecimalToScaled(const Decimal& d, Int64& scaled) {
  if (d.digits.empty()) {
    scaled = 0;
    return true;
  }
  // The value in units of 1/10000 has exponent + 4 integer digits.
  const Int64 intDigits = static_cast<Int64>(d.exponent) + 4;
  if (intDigits > 19) return false;
  Int128 v = 0;
  const Int64 len = static_cast<Int64>(d.digits.size());
  for (Int64 i = 0; i < intDigits; ++i) v = v * 10 + (i >= 0 && i < len ? d.digits[i] - '0' : 0);
  if (intDigits < len) {
    // Remainder digits decide the rounding: more than half, less, or exactly half.
    const Int64 from = std::max<Int64>(intDigits, 0);
    const bool belowFirst = intDigits < 0;  // all digits are below the first dropped position
    const char first = belowFirst ? '0' : d.digits[from];
    bool up;
    if (first > '5')
      up = true;
    else if (first < '5')
      up = false;
    else
      up = from + 1 < len || (v & 1) != 0;  // a tie goes to even
    if (belowFirst) up = false;
    if (up) ++v;
  }
  if (d.negative) v = -v;
  if (v > kMax || v < kMin) return false;
  scaled = static_cast<Int64>(v);
  return true;
}

[[noreturn]] void InvalidCurrencyText(const String& s) {
  throw EConvertError(u"'" + s + u"' is not a valid floating point value");
}

}  // namespace

void Currency::OverflowError() { throw EOverflow("Currency overflow"); }

Currency::Currency(double value) {
  if (std::isnan(value)) throw EInvalidOperation("Invalid floating point operation");
  // The exact binary value rounded to four decimals: 1.00005 is a hair below its text, and stays so.
  char buf[64];
  const double scaled = std::fabs(value) * kScale;
  if (scaled >= 9.3e18) throw EOverflow("Currency overflow");
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, 4);
  std::string digits;
  for (const char* p = buf; p < r.ptr; ++p)
    if (*p != '.') digits.push_back(*p);
  UInt64 v = 0;
  const auto pr = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (pr.ec != std::errc() || v > static_cast<UInt64>(kMax) + (value < 0 ? 1 : 0))
    throw EOverflow("Currency overflow");
  value_ = value < 0 ? static_cast<Int64>(0 - v) : static_cast<Int64>(v);
}

Currency operator+(Currency a, Currency b) { return Checked(static_cast<Int128>(a.value_) + b.value_); }
Currency operator-(Currency a, Currency b) { return Checked(static_cast<Int128>(a.value_) - b.value_); }
Currency operator-(Currency a) { return Checked(-static_cast<Int128>(a.value_)); }
Currency operator*(Currency a, Currency b) {
  return Checked(DivRound(static_cast<Int128>(a.value_) * b.value_, Currency::kScale));
}
Currency operator/(Currency a, Currency b) {
  return Checked(DivRound(static_cast<Int128>(a.value_) * Currency::kScale, b.value_));
}
Currency operator*(Currency a, Int64 b) { return Checked(static_cast<Int128>(a.value_) * b); }
Currency operator/(Currency a, Int64 b) { return Checked(DivRound(a.value_, b)); }

String CurrToStr(Currency value) { return CurrToStr(value, FormatSettings()); }

String CurrToStr(Currency value, const TFormatSettings& settings) {
  return FloatToText(SourceOfScaled(value.Scaled(), 4), ffGeneral, 19, 0, settings, 19);
}

String CurrToStrF(Currency value, TFloatFormat format, int digits) {
  return CurrToStrF(value, format, digits, FormatSettings());
}

String CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& settings) {
  return FloatToText(SourceOfScaled(value.Scaled(), 4), format, 19, digits, settings, 19);
}

bool TryStrToCurr(const String& s, Currency& value, const TFormatSettings& settings) {
  Decimal d;
  Int64 scaled;
  if (!ParseDecimal(s, settings, d) || !DecimalToScaled(d, scaled)) return false;
  value = Currency::FromScaled(scaled);
  return true;
}

bool TryStrToCurr(const String& s, Currency& value) { return TryStrToCurr(s, value, FormatSettings()); }

Currency StrToCurr(const String& s, const TFormatSettings& settings) {
  Currency v;
  if (!TryStrToCurr(s, v, settings)) InvalidCurrencyText(s);
  return v;
}

Currency StrToCurr(const String& s) { return StrToCurr(s, FormatSettings()); }

Currency StrToCurrDef(const String& s, Currency def) {
  Currency v;
  return TryStrToCurr(s, v) ? v : def;
}
