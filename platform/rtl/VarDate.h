// The variant layer's lenient text-to-date conversion: what a String variant becomes when a date is
// asked of it.
#pragma once

#include "platform/rtl/Types.h"

// Accepts, besides the short date format: the separators '-', '/', '.', ' ' and ','; month names and
// short month names of the current locale and English (for Russian also the genitive, "января"); ISO
// "yyyy-mm-dd"; a date followed by a time with or without seconds and with AM/PM; a time alone (date
// part 0). A day/month order impossible in the locale's order is tried the other way round.
bool TryVarDateFromStr(const String& text, TDateTime& value);
// EVariantError "Could not convert variant of type (String) into type (Date)" when refused.
TDateTime VarDateFromStr(const String& text);
