// Decimal digits of doubles and Currency values, shared by the float, currency and Format routines.
#pragma once

#include <string>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Types.h"

namespace rtl_internal {

// value = (negative ? -1 : 1) * 0.d1d2d3... * 10^exponent; digits has no leading or trailing zeros,
// empty for zero.
struct Decimal {
  enum class Kind { Finite, NaN, PosInf, NegInf };
  Kind kind = Kind::Finite;
  bool negative = false;
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return kind == Kind::Finite && digits.empty(); }
};

// The digits of a number to be rounded. A Currency's are exact. A double's are its shortest
// round-trip digits, which settle most roundings; otherwise 40 digits are taken, and the exact
// expansion only when those cannot decide a tie.
struct DecimalSource {
  Decimal digits;
  double value = 0;
  bool fromDouble = false;
};

DecimalSource SourceOfDouble(double value);
DecimalSource SourceOfScaled(Int64 scaled, int scaleDigits);

// Rounded to at most maxSignificant digits and to at most maxDecimals decimals, halves away from
// zero (the framework's digit rounding). A result of zero has no sign.
Decimal RoundDecimal(const DecimalSource& source, int maxSignificant, int maxDecimals);

// FloatToStrF on a source; maxPrecision is 18 for doubles and 19 for Currency.
String FloatToText(const DecimalSource& source, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings, int maxPrecision);
String FormatDecimal(const String& format, const DecimalSource& source, const TFormatSettings& settings);

// Number text: blanks at both ends, sign, digits with settings.DecimalSeparator, exponent.
bool ParseDecimal(const String& s, const TFormatSettings& settings, Decimal& out);

// The currency symbol placed around an unsigned amount per CurrencyFormat/NegCurrFormat.
String ApplyCurrencyFormat(const String& amount, bool negative, const TFormatSettings& settings);

String Ascii(std::string_view s);

}  // namespace rtl_internal
