// The framework's string routines. Positions are 1-based where the framework's are (Pos, Copy,
// Delete, Insert) and count UTF-16 code units.
//
// Case and order:
// - UpperCase/LowerCase/CompareText/SameText touch ASCII letters only; CompareStr is ordinal
//   (by code unit).
// - AnsiUpperCase/AnsiLowerCase map every letter (Cyrillic incl. ё/Ё, accented Latin) one to one, so
//   lengths and positions are kept.
// - AnsiCompare* order by the current locale's collation (FormatSettings().LocaleName, through ICU):
//   Latin before Cyrillic; within Russian, е sorts before ё, which sorts before ж (ё differs from е
//   only as an accent: "ёа" < "еб"); digits before letters. AnsiCompareStr is case-sensitive with
//   lower case before upper case on otherwise equal text ("a" < "A" < "b"); AnsiCompareText,
//   AnsiSameText, AnsiStrLIComp and AnsiStartsText ignore case but not accents.
#pragma once

#include "platform/rtl/Types.h"

// Removes the characters <= ' ' (blanks and control characters) at the ends.
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// 1-based position of the first occurrence of sub in s; 0 when absent or sub is empty.
int Pos(const String& sub, const String& s);
// Up to count characters from the 1-based index; out-of-range arguments are clamped, never thrown.
String Copy(const String& s, int index, int count);
// Removes up to count characters from the 1-based index; nothing when index is out of range.
void Delete(String& s, int index, int count);
// Inserts sub before the 1-based index (clamped to the ends).
void Insert(const String& sub, String& s, int index);
String StringOfChar(Char c, int count);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;  // rfReplaceAll | rfIgnoreCase
// rfIgnoreCase matches with AnsiUpperCase semantics (Cyrillic too).
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags = 0);

String UpperCase(const String& s);
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);
Char AnsiUpperChar(Char c);
Char AnsiLowerChar(Char c);

// <0, 0, >0.
int CompareStr(const String& a, const String& b);
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);

int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);
bool AnsiSameStr(const String& a, const String& b);
// Compares at most maxLen leading characters of each, ignoring case.
int AnsiStrLIComp(const String& a, const String& b, int maxLen);
// True when text starts with subText, ignoring case; an empty subText starts every text.
bool AnsiStartsText(const String& subText, const String& text);

// 'it''s' for it's.
String QuotedStr(const String& s);
String AnsiQuotedStr(const String& s, Char quote);
// Undoes AnsiQuotedStr; a text that does not start with quote is returned unchanged.
String AnsiDequotedStr(const String& s, Char quote);

// A letter or '_' followed by letters, digits or '_' (ASCII); with allowDots, dotted parts.
bool IsValidIdent(const String& s, bool allowDots = false);

// Upper-case hex, at least digits wide. Negative 32-bit values print as their 32-bit pattern.
String IntToHex(Int64 value, int digits);
String IntToHex(Integer value, int digits);
inline String IntToHex(long long value, int digits) { return IntToHex(static_cast<Int64>(value), digits); }
inline String IntToHex(unsigned value, int digits) { return IntToHex(static_cast<Int64>(value), digits); }
inline String IntToHex(unsigned long value, int digits) {
  return IntToHex(static_cast<Int64>(value), digits);
}
inline String IntToHex(unsigned long long value, int digits) {
  return IntToHex(static_cast<Int64>(value), digits);
}

// number * numerator / denominator with a 64-bit intermediate, rounded half away from zero;
// -1 when denominator is 0 or the result does not fit.
int MulDiv(int number, int numerator, int denominator);
