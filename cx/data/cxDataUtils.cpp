#include "cx/data/cxDataUtils.h"

#include <cmath>

#include "platform/data/TextFold.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringTable.h"

TcxResourceStringHook cxFilterResourceStringHook = nullptr;

bool cxTextStartsWith(const String& S, const String& T, bool ALeadingPart) {
  if (T.empty()) return S.empty();
  if (S.size() < T.size()) return false;
  if (!ALeadingPart && S.size() != T.size()) return false;
  // Upper-casing maps one unit to one unit, so comparing unit by unit is the same as comparing the
  // upper-cased texts.
  for (size_t i = 0; i < T.size(); ++i)
    if (S[i] != T[i] && FoldChar(S[i]) != FoldChar(T[i])) return false;
  return true;
}

TDateTime cxDatePart(TDateTime AValue) { return std::trunc(AValue); }

TDateTime cxTimePart(TDateTime AValue) { return AValue - std::trunc(AValue); }

int cxGetLocaleFirstDayOfWeek() {
  int v = FormatSettings().FirstDayOfWeek + 1;
  return v > 6 ? 0 : v;
}

TDateTime cxStartOfWeek(TDateTime D) {
  int first = cxGetLocaleFirstDayOfWeek();
  int weekDay = DayOfWeek(D) - 1;
  if (weekDay < first) return cxDatePart(D) - 7 + (first - weekDay);
  return cxDatePart(D) - (weekDay - first);
}

String cxCurrencyDisplayFormat() { return CurrencyFormatPicture(FormatSettings()); }

String cxGetFilterResourceString(int AResString) {
  if (cxFilterResourceStringHook) return cxFilterResourceStringHook(AResString);
  return LoadResString(AResString);
}
