// Calendar arithmetic on TDateTime: days since 1899-12-30, the fraction the time of day. Dates before
// 1899-12-30 are negative and their fraction still counts forward from midnight: -1.25 is
// 1899-12-29 06:00, so the time part of any value is the absolute value of its fraction.
#pragma once

#include "platform/rtl/Types.h"

inline constexpr Integer HoursPerDay = 24;
inline constexpr Integer MinsPerHour = 60;
inline constexpr Integer SecsPerMin = 60;
inline constexpr Integer MSecsPerSec = 1000;
inline constexpr Integer MinsPerDay = HoursPerDay * MinsPerHour;
inline constexpr Integer SecsPerDay = MinsPerDay * SecsPerMin;
inline constexpr Integer MSecsPerDay = SecsPerDay * MSecsPerSec;
// Days between 0001-01-01 (day 1 of a TTimeStamp) and 1899-12-30, plus one.
inline constexpr Integer DateDelta = 693594;
// Days between 1899-12-30 and 1970-01-01.
inline constexpr Integer UnixDateDelta = 25569;

// Days of each month, indexed [IsLeapYear(year)][month] with month 1..12 (entry 0 unused).
inline constexpr Word MonthDays[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                          {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

bool IsLeapYear(Word year);
// Days in the given month of the given year; 0 for a month outside 1..12.
Word DaysInAMonth(Word year, Word month);
// Days in the month of the given date.
Word DaysInMonth(TDateTime value);

// Year 1..9999, month 1..12, day within the month; EConvertError "Invalid argument to date encode".
TDateTime EncodeDate(Word year, Word month, Word day);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
// Hour 0..23, Min and Sec 0..59, MSec 0..999; EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
// Date and time together; a negative date takes the time away from the day number.
TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec);
bool TryEncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec,
                       TDateTime& value);

// Decoding rounds the value to the millisecond first: 23:59:59.9996 is midnight of the next day, never
// 24:00. A value outside the calendar (years 1..9999) decodes to zeroes.
void DecodeDate(TDateTime value, Word& year, Word& month, Word& day);
// Returns IsLeapYear(year); dayOfWeek is 1 for Sunday .. 7 for Saturday.
bool DecodeDateFully(TDateTime value, Word& year, Word& month, Word& day, Word& dayOfWeek);
void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec);
void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec);

// 1 = Sunday .. 7 = Saturday.
Word DayOfWeek(TDateTime value);
Word YearOf(TDateTime value);
Word MonthOf(TDateTime value);
Word DayOf(TDateTime value);

// "Now" as the installed clock (Clock()) tells it.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// The day number (truncated towards zero) and the time of day (0 <= time < 1).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// Keeps the date of `value` and takes the time of `newTime` (or the reverse), sign-aware.
void ReplaceTime(TDateTime& value, TDateTime newTime);
void ReplaceDate(TDateTime& value, TDateTime newDate);
// Moves by whole months; the day is clamped to the end of a shorter month; the time is kept.
TDateTime IncMonth(TDateTime value, Integer numberOfMonths = 1);
// Moves by whole days keeping the time of day, also across 1899-12-30.
TDateTime IncDay(TDateTime value, Integer numberOfDays = 1);

// Milliseconds since midnight and days since 0001-01-01 plus one.
struct TTimeStamp {
  Integer Time = 0;
  Integer Date = 0;
};
TTimeStamp DateTimeToTimeStamp(TDateTime value);
// EConvertError when the stamp's time or date is out of range.
TDateTime TimeStampToDateTime(const TTimeStamp& stamp);

// The database layer's date-time record; Fractions are milliseconds.
struct TSQLTimeStamp {
  SmallInt Year = 0;
  Word Month = 0;
  Word Day = 0;
  Word Hour = 0;
  Word Minute = 0;
  Word Second = 0;
  LongWord Fractions = 0;
  bool operator==(const TSQLTimeStamp&) const = default;
};
TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value);
// An all-zero record is 0 (the blank stamp); an impossible one raises EConvertError.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& stamp);
