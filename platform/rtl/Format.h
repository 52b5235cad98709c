// Format with the framework's directives:
//   "%" [index ":"] ["-"] [width] ["." precision] type
// index, width and precision may be '*' (taken from the next Integer argument). Types:
//   d u x    integers (Integer, Int64); precision = minimum digits
//   e f g n m  floating values (double, Currency); n groups thousands, m is money in the locale's
//            currency format; precision = decimals (e, g: significant digits)
//   s        strings and characters; precision = maximum length
//   p        pointers, as 16 hex digits
//   %%       a percent sign
// A directive that does not fit its argument, a missing argument or a broken directive raises
// EConvertError "Format '<format>' invalid or incompatible with argument".
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/rtl/Currency.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

// One argument of Format. It refers to (does not copy) the strings it is given, so it must not
// outlive the call it is built for; a UTF-8 const char* is converted and kept.
class TVarRec {
 public:
  enum class Kind { Integer, Int64, Extended, Currency, String, Char, Pointer };

  TVarRec(int v) : kind_(Kind::Integer), int_(v) {}
  TVarRec(unsigned v) : kind_(Kind::Int64), int_(v) {}
  TVarRec(long v) : kind_(Kind::Int64), int_(v) {}
  TVarRec(long long v) : kind_(Kind::Int64), int_(v) {}
  TVarRec(unsigned long v) : kind_(Kind::Int64), int_(static_cast<Int64>(v)) {}
  TVarRec(unsigned long long v) : kind_(Kind::Int64), int_(static_cast<Int64>(v)) {}
  TVarRec(double v) : kind_(Kind::Extended), float_(v) {}
  TVarRec(long double v) : kind_(Kind::Extended), float_(static_cast<double>(v)) {}
  TVarRec(Currency v) : kind_(Kind::Currency), int_(v.Scaled()) {}
  TVarRec(const String& v) : kind_(Kind::String), text_(v) {}
  TVarRec(std::u16string_view v) : kind_(Kind::String), text_(v) {}
  TVarRec(const char16_t* v)
      : kind_(Kind::String), text_(v ? std::u16string_view(v) : std::u16string_view()) {}
  TVarRec(const char* utf8);
  TVarRec(Char v) : kind_(Kind::Char), int_(v) {}
  TVarRec(const void* v) : kind_(Kind::Pointer), pointer_(v) {}

  Kind GetKind() const { return kind_; }
  Int64 AsInt64() const { return int_; }  // Integer, Int64, Char, Currency (scaled)
  double AsDouble() const { return float_; }
  Currency AsCurrency() const { return Currency::FromScaled(int_); }
  std::u16string_view AsText() const { return owned_.empty() ? text_ : std::u16string_view(owned_); }
  const void* AsPointer() const { return pointer_; }

 private:
  Kind kind_;
  Int64 int_ = 0;
  double float_ = 0;
  std::u16string_view text_;
  String owned_;
  const void* pointer_ = nullptr;
};

String Format(const String& format, std::initializer_list<TVarRec> args);
String Format(const String& format, std::initializer_list<TVarRec> args, const TFormatSettings& settings);
// For argument lists built at run time.
String Format(const String& format, const TVarRec* args, size_t count, const TFormatSettings& settings);
