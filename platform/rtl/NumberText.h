// Numbers to text and back, with the framework's rules. Decimal and thousand separators come from
// FormatSettings() unless a settings record is passed. Digits are exact: a double prints as the
// correctly rounded decimal of its binary value.
#pragma once

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

String IntToStr(Int64 value);
String UIntToStr(UInt64 value);
inline String IntToStr(int value) { return IntToStr(static_cast<Int64>(value)); }
inline String IntToStr(long long value) { return IntToStr(static_cast<Int64>(value)); }
inline String IntToStr(unsigned value) { return IntToStr(static_cast<Int64>(value)); }
inline String IntToStr(unsigned long value) { return UIntToStr(value); }
inline String IntToStr(unsigned long long value) { return UIntToStr(value); }

// Integer text: optional leading blanks (space, tab), an optional sign, then decimal digits or hex
// digits after '$', '0x' or 'x'. Nothing may follow. Hex may give the full bit pattern of the type
// ("$FFFFFFFF" is -1 as an Integer); decimal must be in range. Errors raise EConvertError
// "'%s' is not a valid integer value".
Integer StrToInt(const String& s);
Integer StrToIntDef(const String& s, Integer def);
bool TryStrToInt(const String& s, Integer& value);
Int64 StrToInt64(const String& s);
Int64 StrToInt64Def(const String& s, Int64 def);
bool TryStrToInt64(const String& s, Int64& value);

enum TFloatFormat : int { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format, 15 significant digits: "0,3" for 0.1+0.2 in Russian; exponent form ("1E15",
// "1E-5") when the plain form would need more digits than the precision or the value is below
// 1E-4 ("1E-5", but "0,0001"); "NAN", "INF", "-INF".
String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);
// precision: significant digits (capped at 18); digits: decimals for ffFixed/ffNumber/ffCurrency,
// minimum exponent digits for ffGeneral/ffExponent.
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings);

// Format strings with up to three sections "positive;negative;zero": '0' digit or zero, '#' digit
// or nothing, '.' the decimal separator, ',' thousands grouping anywhere in the integer part,
// "E+"/"E-"/"e+"/"e-" exponent, '"...'"/'\''...'\'' literals, any other character as is. An empty
// format gives FloatToStrF(value, ffGeneral, 15, 0). A value that rounds to zero in the negative
// section prints without a minus sign.
String FormatFloat(const String& format, double value);
String FormatFloat(const String& format, double value, const TFormatSettings& settings);

// Float text: leading and trailing blanks allowed, an optional sign, digits with the locale's
// decimal separator, an optional exponent ("E+05", "e-3"). No thousand separators.
// TextToFloat returns false for a bad text and leaves value unchanged.
bool TextToFloat(const String& s, double& value, const TFormatSettings& settings);
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const String& s);
double StrToFloat(const String& s, const TFormatSettings& settings);
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings);
double StrToFloatDef(const String& s, double def);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Out of the Int64 range or NaN
// raises EInvalidOperation.
Int64 Round(double value);
// Toward zero; same range rule.
Int64 Trunc(double value);
// value - its integer part, with value's sign.
double Frac(double value);
