// Routines the filter operators, the summaries and the incremental search share.
#pragma once

#include <exception>
#include <utility>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Types.h"

// Runs f inside the update bracket of a controller, collection or filter criteria; the bracket
// closes also when f throws.
template <class Updatable, class F>
void cxInUpdate(Updatable* target, F&& f) {
  target->BeginUpdate();
  try {
    f();
  } catch (...) {
    target->EndUpdate();
    throw;
  }
  target->EndUpdate();
}

// Case-insensitive (locale upper case): with ALeadingPart, S starts with T; otherwise S equals T.
// An empty T matches only an empty S.
bool cxTextStartsWith(const String& S, const String& T, bool ALeadingPart);
TDateTime cxDatePart(TDateTime AValue);
TDateTime cxTimePart(TDateTime AValue);
// 0 = Sunday .. 6 = Saturday, from the locale (read at every call).
int cxGetLocaleFirstDayOfWeek();
// The latest date on or before D whose weekday is the locale's first day of the week.
TDateTime cxStartOfWeek(TDateTime D);
// ",0.00" with the locale's currency symbol placed by its currency format.
String cxCurrencyDisplayFormat();

// The filter library's texts. With the hook set, the hook supplies them; otherwise the string table.
using TcxResourceStringHook = String (*)(int AResString);
extern TcxResourceStringHook cxFilterResourceStringHook;
String cxGetFilterResourceString(int AResString);

