// The server's text rules the drivers reproduce: text to date-time as the server converts it
// (day-month-year order of the Russian login; a time alone falls on 1900-01-01), the dd.mm.yyyy
// style 104, and the case-insensitive Cyrillic collation of the text columns.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

// Dates the server accepts lie between 1753-01-01 and 9999-12-31.
bool ParseServerDateTime(std::u16string_view text, TDateTime& value);
// dd.mm.yyyy with an optional time; the separators '.', '/' and '-' are accepted.
bool ParseDateStyle104(std::u16string_view text, TDateTime& value);

// The collation of the text columns: letters compare without case, Cyrillic in alphabet order
// with "ё" after "е" only when all else is equal, trailing blanks do not count. <0, 0, >0.
int CompareServerText(std::string_view utf8a, std::string_view utf8b);
int CompareServerText(std::u16string_view a, std::u16string_view b);
// A byte key whose plain byte order is CompareServerText's order (for sorting many rows).
std::string ServerTextSortKey(std::u16string_view s);

// Upper and lower case of every letter (not only ASCII), one character for one.
std::string ServerUpper(std::string_view utf8);
std::string ServerLower(std::string_view utf8);
