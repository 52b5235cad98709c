// The framework's scalar types, with the widths the stored formats and the component code rely on.
#pragma once

#include <cstdint>
#include <string>

using Byte = std::uint8_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;

// One UTF-16 code unit: a character position in an editor, a mask or Copy/Pos counts these.
using Char = char16_t;
// All text, in UTF-16.
using String = std::u16string;
// 8-bit text in the locale's code page (Windows-1251 for Russian); compared by its bytes.
using AnsiString = std::string;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;
