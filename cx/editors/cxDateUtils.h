// Date arithmetic and date text for the date, time and calendar editors, and the "smart" date words
// a user may type instead of a date (today, tomorrow, a weekday, bom, eom, now, ... optionally
// followed by a signed number of days, as in today+3).
#pragma once

#include "platform/rtl/Types.h"

// A date field with no value; shown as the empty text.
constexpr TDateTime cxNullDate = -700000;

// The number of smart date words and their indexes.
constexpr int cxSmartDateWordCount = 20;
enum TcxSmartDateWord : int {
  sdwToday = 0,
  sdwYesterday = 1,
  sdwTomorrow = 2,
  sdwSunday = 3,  // .. sdwSunday + 6 is Saturday
  sdwFirst = 10,  // .. sdwFirst + 6 is "seventh"
  sdwBOM = 17,
  sdwEOM = 18,
  sdwNow = 19,
};

// The word of an index, freshly read from the string table.
String cxGetSmartDateWord(int index);
// The index of the smart word the text starts with (the longest that fits, case ignored), or -1.
int FindSmartDateWord(const String& text);
// Reads a smart word and its optional day offset; false when no word starts the text.
bool ParseSmartDateText(const String& text, TDateTime& date);

void PrevMonthPair(Integer& year, Integer& month);
void NextMonthPair(Integer& year, Integer& month);
void IncMonthPair(Integer& year, Integer& month, Integer delta);

enum TcxDateElement : int { deYear = 0, deMonth = 1, deDay = 2 };
Integer GetDateElement(TcxDateElement kind, TDateTime date);

bool cxIsLeapYear(Integer year);
Integer DaysInMonthOf(Integer year, Integer month);
// 1 for a day <= 0, the month's last day for a larger one, else the day.
Integer CheckDayOfMonth(Integer year, Integer month, Integer day);
// The day number; a value short of a whole day by less than 1e-11 counts as that day.
TDateTime DateOfValue(TDateTime value);
// The time of day, at millisecond precision.
TDateTime TimeOfValue(TDateTime value);

// A smart word or a date text; false (and cxNullDate) when neither.
bool SmartTextToDate(const String& text, TDateTime& date);
// The lenient variant conversion, or the strict one driven by the short date format.
bool TryTextToDate(const String& text, bool useVariantConversion, TDateTime& date);
// The date in the locale's short date form, with the time after a blank when it is not midnight.
String cxDateTimeToText(TDateTime date);
// With useDisplayFormat, the format controller's date display format; else cxDateTimeToText.
String DateToDisplayText(bool useDisplayFormat, TDateTime date);
// A regular-expression edit mask for dates in the given format, optionally admitting smart words.
String cxGetRegExprDateEditMask(const String& format, bool allowSmartWords);
