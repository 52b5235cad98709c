// Binary-coded decimals (the database layer's FMTBcd values) and the variant kinds that carry them
// and SQL time stamps by value.
#pragma once

#include <array>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"

// The framework's FMTBcd unit; its names are kept in a namespace of the unit's name (the cx data
// storage has a TBcd of its own).
namespace FMTBcd {

// Up to 64 decimal digits: Precision digits in nibbles (the first in the high nibble), the last
// `places` of them after the point; SignSpecialPlaces = sign (0x80) | places (0..63).
struct TBcd {
  Byte Precision = 0;
  Byte SignSpecialPlaces = 0;
  std::array<Byte, 32> Fraction{};
};

// Text with '.' or the locale's decimal separator, an optional sign, no exponent.
bool TryStrToBcd(const String& Text, TBcd& Bcd);
// EConvertError "'<text>' is not a valid BCD value" when it is not one.
TBcd StrToBcd(const String& Text);
// With the locale's decimal separator, without trailing zeros after the point.
String BcdToStr(const TBcd& Bcd);
TBcd DoubleToBcd(double Value);
double BcdToDouble(const TBcd& Bcd);
// -1, 0 or 1 by value (1.50 equals 1.5; -0 equals 0).
int BcdCompare(const TBcd& A, const TBcd& B);

}  // namespace FMTBcd

// The variant kinds; they convert to numbers, dates and text as their values do.
Variant VarFMTBcdCreate(const FMTBcd::TBcd& Bcd);
bool VarIsFMTBcd(const Variant& V);
// Any numeric or text value as a BCD; EVariantError when it cannot be one.
FMTBcd::TBcd VarToBcd(const Variant& V);
Variant VarSQLTimeStampCreate(const TSQLTimeStamp& Stamp);
bool VarIsSQLTimeStamp(const Variant& V);
TSQLTimeStamp VarToSQLTimeStamp(const Variant& V);
