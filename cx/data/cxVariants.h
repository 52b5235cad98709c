// Comparison of variants that never fails on ordinary data, the variant arrays of filter conditions,
// and the byte encodings of values on streams (the value part of every stored filter).
#pragma once

#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"

// -1, 0 or 1. Null sorts first; kinds that cannot be compared give -1 (both ways round).
int cxVariantCompare(const Variant& A, const Variant& B);
// The array case of cxVariantCompare: the difference of the high bounds, then element by element.
int cxVarArrayCompare(const Variant& A, const Variant& B);
bool cxVariantCompareEqual(const Variant& A, const Variant& B);
// Equality with booleans compared by their text ("True").
bool cxVariantsEqual(const Variant& A, const Variant& B);
// Null, or an 8-bit or wide string equal to the empty string.
bool cxVarIsBlank(const Variant& V);

// The order used when sorting: as cxVariantCompare for values it can order consistently, and by
// kind (Null, Empty, numbers and dates, strings, objects, others) for values of kinds that cannot
// always be compared with each other, so that it is a strict weak order on any data.
int cxVariantCompareOrdered(const Variant& A, const Variant& B);

void cxVarBetweenArrayCreate(const Variant& A, const Variant& B, Variant& V);
void cxVarListArrayCreate(const Variant& A, Variant& V);
void cxVarListArrayAddValue(Variant& V, const Variant& A);

// Stream encodings, little-endian. Reads check every length and count against what remains in the
// stream and raise EReadError "Stream read error" before allocating anything.
AnsiString cxReadString(TStream* AStream);
void cxReadString(TStream* AStream, AnsiString& S);
void cxWriteString(TStream* AStream, const AnsiString& S);
String cxReadWideString(TStream* AStream);
void cxReadWideString(TStream* AStream, String& S);
void cxWriteWideString(TStream* AStream, const String& S);
Variant cxReadVariant(TStream* AStream);
void cxReadVariant(TStream* AStream, Variant& Value);
// A multi-dimensional array or a kind that cannot become text raises EWriteError
// "Stream write error" before anything is written.
void cxWriteVariant(TStream* AStream, const Variant& Value);
bool cxReadBoolean(TStream* AStream);
void cxReadBoolean(TStream* AStream, bool& Value);
void cxWriteBoolean(TStream* AStream, bool Value);
Byte cxReadByte(TStream* AStream);
void cxReadByte(TStream* AStream, Byte& Value);
void cxWriteByte(TStream* AStream, Byte Value);
SmallInt cxReadSmallInt(TStream* AStream);
void cxReadSmallInt(TStream* AStream, SmallInt& Value);
void cxWriteSmallInt(TStream* AStream, SmallInt Value);
Word cxReadWord(TStream* AStream);
void cxReadWord(TStream* AStream, Word& Value);
void cxWriteWord(TStream* AStream, Word Value);
Integer cxReadInteger(TStream* AStream);
void cxReadInteger(TStream* AStream, Integer& Value);
void cxWriteInteger(TStream* AStream, Integer Value);
Int64 cxReadLargeInt(TStream* AStream);
void cxReadLargeInt(TStream* AStream, Int64& Value);
void cxWriteLargeInt(TStream* AStream, Int64 Value);
double cxReadFloat(TStream* AStream);
void cxReadFloat(TStream* AStream, double& Value);
void cxWriteFloat(TStream* AStream, double Value);
Currency cxReadCurrency(TStream* AStream);
void cxReadCurrency(TStream* AStream, Currency& Value);
void cxWriteCurrency(TStream* AStream, Currency Value);
