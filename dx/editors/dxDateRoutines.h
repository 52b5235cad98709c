// Date text for the editors: the edit mask and display format built from the locale's short date
// format, the date keywords ("TODAY", "EOM+3") and the conversions between text and date.
#pragma once

#include <functional>

#include "platform/rtl/Types.h"

constexpr TDateTime dxNullDate = -700000.0;

// A host's own reading of date text (Text, Date): true when it understood the text. Unset here.
using TdxDateTextHook = std::function<bool(const String& Text, TDateTime& Date)>;
void SetDateTextHook(TdxDateTextHook Hook);

// "!99.99.9999;1; " for dd.MM.yyyy: day and month runs of up to 2 letters as "99", year runs of 3
// or more as "9999", longer day or month runs (names) as "lll".
String GetDateEditMask();
// The short date format with lone d and M doubled and the first M run cut to 3 letters.
String GetDateEditFormat();
// Reads a keyword at the start of the text, with an optional "+n" or "-n" days.
bool ParseDateKeyword(const String& Text, TDateTime& Date);
// Keywords, then the locale's lenient conversion. Unparsable text answers false and leaves Date.
bool ParseDateText(const String& Text, TDateTime& Date);
// Empty for the null date; the locale's short date, and its time when the time of day is not zero.
String DateToLocaleText(TDateTime Date);
String DateToEditText(bool HasMask, TDateTime Date);
