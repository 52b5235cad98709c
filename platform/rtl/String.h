// Conversions of String at the edges: files, the database and drawing speak UTF-8.
#pragma once

#include <string_view>

#include "platform/rtl/Types.h"

// Invalid UTF-8 bytes become U+FFFD; nothing is dropped silently.
String Utf8ToString(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string StringToUtf8(std::u16string_view text);

// Convenience for literals and messages written in source as UTF-8.
inline String S(std::string_view utf8) { return Utf8ToString(utf8); }
