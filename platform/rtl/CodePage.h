// Conversion between String and 8-bit text in the Windows code pages 1251 (Cyrillic) and 1252
// (Western), with exact tables. AnsiString compares by its bytes (std::string's ordinal order is the
// unsigned byte order), which is the order of the 8-bit string kind.
#pragma once

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

constexpr Word CP_WIN1251 = 1251;
constexpr Word CP_WIN1252 = 1252;

// Characters the code page lacks become '?'. An unsupported code page raises EConvertError.
AnsiString StringToAnsi(const String& s, Word codePage = FormatSettings().CodePage);
// Every byte maps to a character; the bytes a code page leaves undefined (0x98 in 1251; 0x81, 0x8D,
// 0x8F, 0x90, 0x9D in 1252) map to the same-valued control characters, so any byte string survives
// a round trip.
String AnsiToString(const AnsiString& s, Word codePage = FormatSettings().CodePage);

// One character; '?' when the code page lacks it.
Byte CharToAnsiChar(Char c, Word codePage = FormatSettings().CodePage);
Char AnsiCharToChar(Byte b, Word codePage = FormatSettings().CodePage);
// True when the code page can hold every character of s.
bool IsAnsiRepresentable(const String& s, Word codePage = FormatSettings().CodePage);
