#include "platform/rtl/DateTime.h"

#include <cmath>
#include <string>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"

namespace {

// Day numbers of the calendar's ends: 0001-01-01 and 9999-12-31.
constexpr Int64 kMinDay = -693593;
constexpr Int64 kMaxDay = 2958465;

// Days from 1970-01-01 in the proleptic Gregorian calendar (eras of 400 years).
constexpr Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const Int64 era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<Int64>(doe) - 719468;
}

void CivilFromDays(Int64 z, Int64& y, unsigned& m, unsigned& d) {
  z += 719468;
  const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<Int64>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
}

constexpr Int64 kDayZero = DaysFromCivil(1899, 12, 30);
static_assert(kDayZero == -25569);

// A value split after rounding to the millisecond: the signed day number and the time of day.
struct Split {
  bool valid = false;
  Int64 day = 0;
  Int64 msec = 0;
};

Split SplitValue(TDateTime value) {
  Split s;
  if (!std::isfinite(value)) return s;
  const double scaled = std::fabs(value) * MSecsPerDay;
  if (scaled > static_cast<double>(kMaxDay + 2) * MSecsPerDay) return s;
  const auto total = static_cast<Int64>(std::llround(scaled));
  s.day = total / MSecsPerDay;
  if (value < 0) s.day = -s.day;
  s.msec = total % MSecsPerDay;
  s.valid = s.day >= kMinDay && s.day <= kMaxDay;
  return s;
}

TDateTime Combine(double day, double time) { return day >= 0 ? day + time : day - time; }

}  // namespace

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DaysInAMonth(Word year, Word month) {
  if (month < 1 || month > 12) return 0;
  return MonthDays[IsLeapYear(year) ? 1 : 0][month];
}

Word DaysInMonth(TDateTime value) {
  Word y, m, d;
  DecodeDate(value, y, m, d);
  return DaysInAMonth(y, m);
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInAMonth(year, month)) return false;
  date = static_cast<double>(DaysFromCivil(year, month, day) - kDayZero);
  return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
  TDateTime result;
  if (!TryEncodeDate(year, month, day, result)) throw EConvertError("Invalid argument to date encode");
  return result;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time) {
  if (hour >= HoursPerDay || min >= MinsPerHour || sec >= SecsPerMin || msec >= MSecsPerSec) return false;
  const Integer total = ((hour * MinsPerHour + min) * SecsPerMin + sec) * MSecsPerSec + msec;
  time = static_cast<double>(total) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
  TDateTime result;
  if (!TryEncodeTime(hour, min, sec, msec, result)) throw EConvertError("Invalid argument to time encode");
  return result;
}

bool TryEncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec,
                       TDateTime& value) {
  TDateTime date, time;
  if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, min, sec, msec, time)) return false;
  value = Combine(date, time);
  return true;
}

TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec) {
  return Combine(EncodeDate(year, month, day), EncodeTime(hour, min, sec, msec));
}

void DecodeDate(TDateTime value, Word& year, Word& month, Word& day) {
  const Split s = SplitValue(value);
  if (!s.valid) {
    year = month = day = 0;
    return;
  }
  Int64 y;
  unsigned m, d;
  CivilFromDays(s.day + kDayZero, y, m, d);
  year = static_cast<Word>(y);
  month = static_cast<Word>(m);
  day = static_cast<Word>(d);
}

bool DecodeDateFully(TDateTime value, Word& year, Word& month, Word& day, Word& dayOfWeek) {
  DecodeDate(value, year, month, day);
  dayOfWeek = year == 0 ? 0 : DayOfWeek(value);
  return year != 0 && IsLeapYear(year);
}

void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec) {
  const Split s = SplitValue(value);
  Int64 ms = s.valid ? s.msec : 0;
  msec = static_cast<Word>(ms % MSecsPerSec);
  ms /= MSecsPerSec;
  sec = static_cast<Word>(ms % SecsPerMin);
  ms /= SecsPerMin;
  min = static_cast<Word>(ms % MinsPerHour);
  hour = static_cast<Word>(ms / MinsPerHour);
}

void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, min, sec, msec);
}

Word DayOfWeek(TDateTime value) {
  const Split s = SplitValue(value);
  if (!s.valid) return 0;
  // 1899-12-30 was a Saturday.
  const Int64 fromSunday = ((s.day + 6) % 7 + 7) % 7;
  return static_cast<Word>(fromSunday + 1);
}

Word YearOf(TDateTime value) {
  Word y, m, d;
  DecodeDate(value, y, m, d);
  return y;
}

Word MonthOf(TDateTime value) {
  Word y, m, d;
  DecodeDate(value, y, m, d);
  return m;
}

Word DayOf(TDateTime value) {
  Word y, m, d;
  DecodeDate(value, y, m, d);
  return d;
}

TDateTime Now() { return Clock().Now(); }
TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }

TDateTime DateOf(TDateTime value) { return std::trunc(value); }
TDateTime TimeOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }

void ReplaceTime(TDateTime& value, TDateTime newTime) { value = Combine(DateOf(value), TimeOf(newTime)); }

void ReplaceDate(TDateTime& value, TDateTime newDate) {
  TDateTime result = newDate;
  ReplaceTime(result, value);
  value = result;
}

TDateTime IncMonth(TDateTime value, Integer numberOfMonths) {
  Word year, month, day;
  DecodeDate(value, year, month, day);
  if (year == 0) throw EConvertError("Invalid argument to date encode");
  const Int64 months = static_cast<Int64>(year) * 12 + (month - 1) + numberOfMonths;
  const Int64 newYear = months >= 0 ? months / 12 : -1;
  const auto newMonth = static_cast<Word>(months - newYear * 12 + 1);
  if (newYear < 1 || newYear > 9999) throw EConvertError("Invalid argument to date encode");
  const Word lastDay = DaysInAMonth(static_cast<Word>(newYear), newMonth);
  TDateTime result = EncodeDate(static_cast<Word>(newYear), newMonth, day > lastDay ? lastDay : day);
  ReplaceTime(result, value);
  return result;
}

TDateTime IncDay(TDateTime value, Integer numberOfDays) {
  // Plain addition would turn 1899-12-29 06:00 plus two days into 1899-12-31 18:00.
  return Combine(DateOf(value) + numberOfDays, TimeOf(value));
}

TTimeStamp DateTimeToTimeStamp(TDateTime value) {
  const Split s = SplitValue(value);
  if (!s.valid) throw EConvertError("Invalid argument to time stamp conversion");
  TTimeStamp stamp;
  stamp.Date = static_cast<Integer>(DateDelta + s.day);
  stamp.Time = static_cast<Integer>(s.msec);
  return stamp;
}

TDateTime TimeStampToDateTime(const TTimeStamp& stamp) {
  if (stamp.Time < 0 || stamp.Time >= MSecsPerDay || stamp.Date <= 0) {
    throw EConvertError("'" + std::to_string(stamp.Date) + "." + std::to_string(stamp.Time) +
                        "' is not a valid timestamp");
  }
  return Combine(static_cast<double>(stamp.Date - DateDelta), static_cast<double>(stamp.Time) / MSecsPerDay);
}

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value) {
  Word y, m, d, h, n, s, ms;
  DecodeDateTime(value, y, m, d, h, n, s, ms);
  TSQLTimeStamp stamp;
  stamp.Year = static_cast<SmallInt>(y);
  stamp.Month = m;
  stamp.Day = d;
  stamp.Hour = h;
  stamp.Minute = n;
  stamp.Second = s;
  stamp.Fractions = ms;
  return stamp;
}

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& stamp) {
  if (stamp == TSQLTimeStamp{}) return 0;
  TDateTime result;
  if (stamp.Year < 1 || stamp.Fractions >= static_cast<LongWord>(MSecsPerSec) ||
      !TryEncodeDateTime(static_cast<Word>(stamp.Year), stamp.Month, stamp.Day, stamp.Hour, stamp.Minute,
                         stamp.Second, static_cast<Word>(stamp.Fractions), result)) {
    throw EConvertError("Invalid SQL time stamp: " + std::to_string(stamp.Year) + "-" +
                        std::to_string(stamp.Month) + "-" + std::to_string(stamp.Day) + " " +
                        std::to_string(stamp.Hour) + ":" + std::to_string(stamp.Minute) + ":" +
                        std::to_string(stamp.Second) + "." + std::to_string(stamp.Fractions));
  }
  return result;
}
