#include "platform/rtl/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/rtl/DecimalText.h"
#include "platform/rtl/Exceptions.h"

using namespace rtl_internal;

namespace {

// Integer text; bits is 32 or 64. Hex may give the type's full bit pattern.
bool ParseInteger(const String& s, int bits, Int64& value) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  bool hex = false;
  if (i < n && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i == n) return false;
  const UInt64 hexMax = bits == 32 ? 0xFFFFFFFFull : std::numeric_limits<UInt64>::max();
  const UInt64 decMax = bits == 32 ? (negative ? 0x80000000ull : 0x7FFFFFFFull)
                                   : (negative ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull);
  const UInt64 limit = hex ? hexMax : decMax;
  const unsigned base = hex ? 16 : 10;
  UInt64 v = 0;
  for (; i < n; ++i) {
    const Char c = s[i];
    unsigned digit;
    if (c >= u'0' && c <= u'9')
      digit = c - u'0';
    else if (hex && c >= u'a' && c <= u'f')
      digit = c - u'a' + 10;
    else if (hex && c >= u'A' && c <= u'F')
      digit = c - u'A' + 10;
    else
      return false;
    if (v > (limit - digit) / base) return false;
    v = v * base + digit;
  }
  if (hex && bits == 32)
    v = static_cast<UInt64>(static_cast<Int64>(static_cast<Integer>(static_cast<Cardinal>(v))));
  if (negative) v = 0 - v;
  value = static_cast<Int64>(v);
  return true;
}

[[noreturn]] void InvalidInteger(const String& s) {
  throw EConvertError(u"'" + s + u"' is not a valid integer value");
}

[[noreturn]] void InvalidFloat(const String& s) {
  throw EConvertError(u"'" + s + u"' is not a valid floating point value");
}

void CheckRange(double value) {
  // 2^63 is the first double outside Int64.
  if (std::isnan(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
    throw EInvalidOperation("Invalid floating point operation");
}

}  // namespace

String IntToStr(Int64 value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return Ascii(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

String UIntToStr(UInt64 value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return Ascii(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

bool TryStrToInt(const String& s, Integer& value) {
  Int64 v;
  if (!ParseInteger(s, 32, v)) return false;
  value = static_cast<Integer>(v);
  return true;
}

Integer StrToInt(const String& s) {
  Integer v;
  if (!TryStrToInt(s, v)) InvalidInteger(s);
  return v;
}

Integer StrToIntDef(const String& s, Integer def) {
  Integer v;
  return TryStrToInt(s, v) ? v : def;
}

bool TryStrToInt64(const String& s, Int64& value) { return ParseInteger(s, 64, value); }

Int64 StrToInt64(const String& s) {
  Int64 v;
  if (!TryStrToInt64(s, v)) InvalidInteger(s);
  return v;
}

Int64 StrToInt64Def(const String& s, Int64 def) {
  Int64 v;
  return TryStrToInt64(s, v) ? v : def;
}

String FloatToStr(double value) { return FloatToStr(value, FormatSettings()); }

String FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToText(SourceOfDouble(value), ffGeneral, 15, 0, settings, 18);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings());
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings) {
  return FloatToText(SourceOfDouble(value), format, precision, digits, settings, 18);
}

String FormatFloat(const String& format, double value) {
  return FormatFloat(format, value, FormatSettings());
}

String FormatFloat(const String& format, double value, const TFormatSettings& settings) {
  return FormatDecimal(format, SourceOfDouble(value), settings);
}

bool TextToFloat(const String& s, double& value, const TFormatSettings& settings) {
  Decimal d;
  if (!ParseDecimal(s, settings, d)) return false;
  if (d.digits.empty()) {
    value = d.negative ? -0.0 : 0.0;
    return true;
  }
  // 0.<digits>e<exponent>, parsed by a correctly rounding, locale-free reader.
  std::string text = "0." + d.digits + "e" + std::to_string(d.exponent);
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    if (d.exponent > 0) return false;  // too large for a double
    v = 0;                             // too small: zero, as the hardware gives
  } else if (r.ec != std::errc()) {
    return false;
  }
  value = d.negative ? -v : v;
  return true;
}

bool TryStrToFloat(const String& s, double& value) { return TextToFloat(s, value, FormatSettings()); }

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings) {
  return TextToFloat(s, value, settings);
}

double StrToFloat(const String& s) { return StrToFloat(s, FormatSettings()); }

double StrToFloat(const String& s, const TFormatSettings& settings) {
  double v;
  if (!TextToFloat(s, v, settings)) InvalidFloat(s);
  return v;
}

double StrToFloatDef(const String& s, double def) {
  double v;
  return TextToFloat(s, v, FormatSettings()) ? v : def;
}

Int64 Round(double value) {
  const double t = std::trunc(value);
  const double diff = value - t;  // exact for doubles
  double r = t;
  if (std::fabs(diff) > 0.5 || (std::fabs(diff) == 0.5 && std::fmod(t, 2.0) != 0))
    r = t + (value < 0 ? -1 : 1);
  CheckRange(r);
  return static_cast<Int64>(r);
}

Int64 Trunc(double value) {
  const double t = std::trunc(value);
  CheckRange(t);
  return static_cast<Int64>(t);
}

double Frac(double value) { return value - std::trunc(value); }
