// The framework's Currency: a 64-bit integer holding the value times 10000 (four exact decimals).
#pragma once

#include <compare>
#include <concepts>
#include <limits>
#include <utility>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Types.h"

class Currency {
 public:
  static constexpr Int64 kScale = 10000;

  constexpr Currency() = default;
  // A whole number beyond +-922337203685477 raises EOverflow.
  template <std::integral T>
  explicit constexpr Currency(T whole) {
    constexpr Int64 kMaxWhole = std::numeric_limits<Int64>::max() / kScale;
    if (std::cmp_greater(whole, kMaxWhole) || std::cmp_less(whole, -kMaxWhole)) OverflowError();
    value_ = static_cast<Int64>(whole) * kScale;
  }
  // Rounds to the nearest 1/10000, halves to even (as the FPU stores a Currency); a value outside
  // the range raises EOverflow, NaN raises EInvalidOperation.
  explicit Currency(double value);

  static constexpr Currency FromScaled(Int64 scaled) {
    Currency c;
    c.value_ = scaled;
    return c;
  }
  constexpr Int64 Scaled() const { return value_; }
  double ToDouble() const { return static_cast<double>(value_) / kScale; }
  explicit operator double() const { return ToDouble(); }

  friend constexpr auto operator<=>(Currency, Currency) = default;
  friend constexpr bool operator==(Currency, Currency) = default;

  // Overflow raises EOverflow; division by zero raises EZeroDivide. Products and quotients are
  // rounded to the nearest 1/10000, halves to even.
  friend Currency operator+(Currency a, Currency b);
  friend Currency operator-(Currency a, Currency b);
  friend Currency operator-(Currency a);
  friend Currency operator*(Currency a, Currency b);
  friend Currency operator/(Currency a, Currency b);
  friend Currency operator*(Currency a, Int64 b);
  friend Currency operator/(Currency a, Int64 b);
  Currency& operator+=(Currency b) { return *this = *this + b; }
  Currency& operator-=(Currency b) { return *this = *this - b; }

 private:
  [[noreturn]] static void OverflowError();
  Int64 value_ = 0;
};

// Shortest exact text: "1234,5" in Russian, "1234.5" in English; never an exponent.
String CurrToStr(Currency value);
String CurrToStr(Currency value, const TFormatSettings& settings);
// As FloatToStrF, but exact for all 19 digits.
String CurrToStrF(Currency value, TFloatFormat format, int digits);
String CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& settings);
// Accepts the text StrToFloat accepts; more than four decimals round half to even. A bad text raises
// EConvertError "'%s' is not a valid floating point value".
Currency StrToCurr(const String& s);
Currency StrToCurr(const String& s, const TFormatSettings& settings);
bool TryStrToCurr(const String& s, Currency& value);
bool TryStrToCurr(const String& s, Currency& value, const TFormatSettings& settings);
Currency StrToCurrDef(const String& s, Currency def);
