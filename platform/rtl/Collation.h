// Locale collation through ICU, for the AnsiCompare* routines and for sorting large lists.
// One collator per (locale, case mode) is kept per thread and reused: building one is slow,
// comparing with it is fast.
#pragma once

#include <string>

#include "platform/rtl/Types.h"

// Compares by the collation of the current locale (FormatSettings().LocaleName); <0, 0, >0.
// With ignoreCase, only letters and accents count.
int CollateCompare(std::u16string_view a, std::u16string_view b, bool ignoreCase);
// Same, for a named locale ("ru-RU", "en-US").
int CollateCompare(std::u16string_view a, std::u16string_view b, bool ignoreCase, const String& localeName);

// A byte key whose ordinal order (std::string <) is the collation order of the current locale:
// computing keys once and sorting them is faster than comparing a million strings pairwise.
std::string CollationSortKey(std::u16string_view s, bool ignoreCase);
