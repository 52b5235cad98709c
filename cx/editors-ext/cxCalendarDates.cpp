// Calendar arithmetic: columns, the first visible day, month steps and the keys' moves.
#include <cmath>

#include "cx/editors-ext/cxCalendar.h"
#include "platform/win/Input.h"

int cxCalendarColumnOf(TDateTime ADate, int AFirstWeekDay) {
  const int d = DayOfWeek(ADate) - AFirstWeekDay;
  return d > 0 ? d - 1 : d + 6;
}

TDateTime cxFirstOfMonth(TDateTime ADate) {
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  return EncodeDate(year, month, 1);
}

TDateTime cxShiftMonths(TDateTime ADate, int ADelta) {
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  Integer y = year, m = month;
  IncMonthPair(y, m, ADelta);
  return EncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(CheckDayOfMonth(y, m, day)));
}

TDateTime cxCalendarFirstVisibleDate(TDateTime AFirstDate, int AFirstWeekDay) {
  const int column = cxCalendarColumnOf(AFirstDate, AFirstWeekDay);
  return AFirstDate - (column == 0 ? 7 : column);
}

bool cxCalendarKeyMove(TDateTime ADate, WORD AKey, TShiftState AShift, int AFirstWeekDay, TDateTime& ANewDate) {
  const TDateTime day = std::floor(ADate);
  const bool ctrl = AShift.Contains(ssCtrl);
  const int column = cxCalendarColumnOf(day, AFirstWeekDay);
  switch (AKey) {
    case VK_PRIOR:
      ANewDate = cxShiftMonths(day, -1);
      return true;
    case VK_NEXT:
      ANewDate = cxShiftMonths(day, 1);
      return true;
    case VK_END:
      ANewDate = ctrl ? cxShiftMonths(cxFirstOfMonth(day), 1) - 1 : day + 6 - column;
      return true;
    case VK_HOME:
      ANewDate = ctrl ? cxFirstOfMonth(day) : day - column;
      return true;
    case VK_LEFT:
      ANewDate = day - 1;
      return true;
    case VK_RIGHT:
      ANewDate = day + 1;
      return true;
    case VK_UP:
    case VK_DOWN:
      if (AShift == TShiftState{ssAlt}) return false;
      ANewDate = day + (AKey == VK_UP ? -7 : 7);
      return true;
    default:
      return false;
  }
}
