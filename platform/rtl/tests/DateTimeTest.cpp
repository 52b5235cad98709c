#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"

namespace {

struct Ymd {
  Word y, m, d;
};

Ymd Decoded(TDateTime value) {
  Ymd r{};
  DecodeDate(value, r.y, r.m, r.d);
  return r;
}

TEST(DateTime, EncodeDateKnownDays) {
  struct Case {
    Word y, m, d;
    double serial;
  };
  const Case cases[] = {{1899, 12, 30, 0},   {1899, 12, 31, 1},   {1900, 1, 1, 2},
                        {1899, 12, 29, -1},  {2000, 1, 1, 36526}, {2024, 2, 29, 45351},
                        {2025, 3, 5, 45721}, {1, 1, 1, -693593},  {9999, 12, 31, 2958465},
                        {1800, 1, 1, -36522}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
    const Ymd back = Decoded(c.serial);
    EXPECT_EQ(back.y, c.y);
    EXPECT_EQ(back.m, c.m);
    EXPECT_EQ(back.d, c.d);
  }
}

// Every day of the calendar decodes to the day after the previous one and encodes back.
TEST(DateTime, EveryDayRoundTripsAndFollowsThePrevious) {
  Ymd prev = Decoded(-693593);
  ASSERT_EQ(prev.y, 1);
  for (Int64 serial = -693592; serial <= 2958465; ++serial) {
    const Ymd cur = Decoded(static_cast<double>(serial));
    const bool nextDay = cur.y == prev.y && cur.m == prev.m && cur.d == prev.d + 1;
    const bool nextMonth =
        cur.y == prev.y && cur.m == prev.m + 1 && cur.d == 1 && prev.d == DaysInAMonth(prev.y, prev.m);
    const bool nextYear = cur.y == prev.y + 1 && cur.m == 1 && cur.d == 1 && prev.m == 12 && prev.d == 31;
    if (!(nextDay || nextMonth || nextYear)) {
      FAIL() << "day " << serial << " decodes to " << cur.y << "-" << cur.m << "-" << cur.d << " after "
             << prev.y << "-" << prev.m << "-" << prev.d;
    }
    if (EncodeDate(cur.y, cur.m, cur.d) != static_cast<double>(serial)) FAIL() << "day " << serial;
    prev = cur;
  }
  EXPECT_EQ(prev.y, 9999);
}

TEST(DateTime, LeapYearsAndMonthLengths) {
  struct Case {
    Word year;
    bool leap;
  };
  for (const Case& c : {Case{1600, true}, Case{1900, false}, Case{2000, true}, Case{2023, false},
                        Case{2024, true}, Case{2100, false}, Case{4, true}}) {
    EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
    EXPECT_EQ(DaysInAMonth(c.year, 2), c.leap ? 29 : 28) << c.year;
    EXPECT_EQ(MonthDays[c.leap][2], c.leap ? 29 : 28);
  }
  EXPECT_EQ(DaysInAMonth(2023, 4), 30);
  EXPECT_EQ(DaysInAMonth(2023, 12), 31);
  EXPECT_EQ(DaysInAMonth(2023, 13), 0);
  EXPECT_EQ(DaysInMonth(EncodeDate(2024, 2, 10) + 0.75), 29);
}

TEST(DateTime, InvalidArgumentsToEncode) {
  struct Case {
    Word y, m, d;
  };
  for (const Case& c : {Case{0, 1, 1}, Case{10000, 1, 1}, Case{2023, 2, 29}, Case{2023, 0, 1},
                        Case{2023, 13, 1}, Case{2023, 4, 31}, Case{2023, 1, 0}}) {
    TDateTime out = 123;
    EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, out));
    EXPECT_EQ(out, 123);
    EXPECT_THROW(EncodeDate(c.y, c.m, c.d), EConvertError);
  }
  try {
    EncodeTime(24, 0, 0, 0);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Invalid argument to time encode");
  }
  TDateTime t = 0;
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, t));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, t));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, t));
  EXPECT_FALSE(TryEncodeDateTime(2023, 2, 29, 0, 0, 0, 0, t));
}

TEST(DateTime, TimeRoundTripsAndRoundsToTheMillisecond) {
  struct Case {
    Word h, n, s, ms;
  };
  for (const Case& c : {Case{0, 0, 0, 0}, Case{0, 0, 0, 1}, Case{6, 0, 0, 0}, Case{12, 0, 0, 0},
                        Case{13, 59, 59, 999}, Case{23, 59, 59, 999}, Case{9, 5, 3, 45}}) {
    Word h, n, s, ms;
    DecodeTime(EncodeTime(c.h, c.n, c.s, c.ms) + 45000, h, n, s, ms);
    EXPECT_EQ((std::array<Word, 4>{h, n, s, ms}), (std::array<Word, 4>{c.h, c.n, c.s, c.ms}));
  }
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);

  Word y, m, d, h, n, s, ms;
  // Just below noon is noon, not 11:59:59.999.
  DecodeDateTime(45000.5 - 1e-10, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array<Word, 4>{h, n, s, ms}), (std::array<Word, 4>{12, 0, 0, 0}));
  // 0.4 ms before midnight rounds into the next day, never to 24:00.
  DecodeDateTime(EncodeDate(2024, 2, 28) + 1 - 0.0004 / MSecsPerDay, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array<Word, 7>{y, m, d, h, n, s, ms}), (std::array<Word, 7>{2024, 2, 29, 0, 0, 0, 0}));
  DecodeTime(EncodeDate(2024, 2, 28) + 1 - 0.6 / MSecsPerDay, h, n, s, ms);
  EXPECT_EQ((std::array<Word, 4>{h, n, s, ms}), (std::array<Word, 4>{23, 59, 59, 999}));
}

TEST(DateTime, NegativeDatesCountTheTimeForward) {
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
  EXPECT_EQ(EncodeDateTime(1899, 12, 30, 12, 0, 0, 0), 0.5);
  struct Case {
    double value;
    Word y, m, d, h, n;
    double encoded;  // what the decoded parts encode to
  };
  const Case cases[] = {{-1.25, 1899, 12, 29, 6, 0, -1.25},
                        {-0.5, 1899, 12, 30, 12, 0, 0.5},  // day 0 has no negative side
                        {-2.75, 1899, 12, 28, 18, 0, -2.75},
                        {-36522.5, 1800, 1, 1, 12, 0, -36522.5},
                        {-693593.25, 1, 1, 1, 6, 0, -693593.25}};
  for (const Case& c : cases) {
    Word y, m, d, h, n, s, ms;
    DecodeDateTime(c.value, y, m, d, h, n, s, ms);
    EXPECT_EQ((std::array<Word, 5>{y, m, d, h, n}), (std::array<Word, 5>{c.y, c.m, c.d, c.h, c.n}))
        << c.value;
    EXPECT_EQ(EncodeDateTime(y, m, d, h, n, s, ms), c.encoded);
  }
  EXPECT_EQ(DateOf(-1.25), -1);
  EXPECT_EQ(TimeOf(-1.25), 0.25);
  EXPECT_EQ(TimeOf(2.75), 0.75);
}

TEST(DateTime, OutsideTheCalendarDecodesToZeroes) {
  for (double bad : {-693594.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN()}) {
    Word y = 1, m = 1, d = 1;
    DecodeDate(bad, y, m, d);
    EXPECT_EQ((std::array<Word, 3>{y, m, d}), (std::array<Word, 3>{0, 0, 0})) << bad;
  }
}

TEST(DateTime, DayOfWeekAndParts) {
  struct Case {
    double value;
    Word dow;
  };
  // 1899-12-30 was a Saturday, 0001-01-01 a Monday, 2024-02-29 a Thursday.
  for (const Case& c : {Case{0, 7}, Case{1.9, 1}, Case{-1.25, 6}, Case{-693593, 2}, Case{45351.3, 5}}) {
    EXPECT_EQ(DayOfWeek(c.value), c.dow) << c.value;
  }
  Word y, m, d, dow;
  EXPECT_TRUE(DecodeDateFully(45351.3, y, m, d, dow));
  EXPECT_EQ((std::array<Word, 4>{y, m, d, dow}), (std::array<Word, 4>{2024, 2, 29, 5}));
  EXPECT_FALSE(DecodeDateFully(EncodeDate(2023, 7, 1), y, m, d, dow));
  EXPECT_EQ(YearOf(45351.3), 2024);
  EXPECT_EQ(MonthOf(45351.3), 2);
  EXPECT_EQ(DayOf(45351.3), 29);
}

TEST(DateTime, NowReadsTheInstalledClock) {
  VirtualClockScope clock(45351.75);
  EXPECT_EQ(Now(), 45351.75);
  EXPECT_EQ(Date(), 45351);
  EXPECT_EQ(Time(), 0.75);
  clock->Advance(6 * 60 * 60 * 1000);
  EXPECT_EQ(Date(), 45352);
  EXPECT_DOUBLE_EQ(Time(), 0.0);
}

TEST(DateTime, IncMonthClampsTheDayAndKeepsTheTime) {
  struct Case {
    Ymd from;
    int months;
    Ymd to;
  };
  const Case cases[] = {{{2024, 1, 31}, 1, {2024, 2, 29}},    {{2023, 1, 31}, 1, {2023, 2, 28}},
                        {{2024, 3, 31}, -1, {2024, 2, 29}},   {{2024, 11, 15}, 14, {2026, 1, 15}},
                        {{2024, 1, 15}, -13, {2022, 12, 15}}, {{2024, 5, 31}, 0, {2024, 5, 31}},
                        {{1899, 11, 29}, 1, {1899, 12, 29}}};
  for (const Case& c : cases) {
    const TDateTime from = EncodeDateTime(c.from.y, c.from.m, c.from.d, 6, 30, 0, 0);
    const TDateTime to = IncMonth(from, c.months);
    // Well within a millisecond: the time is carried over as a fraction.
    EXPECT_NEAR(to, EncodeDateTime(c.to.y, c.to.m, c.to.d, 6, 30, 0, 0), 1e-9) << c.from.y << "-" << c.from.m;
  }
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
}

TEST(DateTime, ReplaceAndIncDayAcrossDayZero) {
  TDateTime v = EncodeDateTime(2024, 2, 29, 6, 0, 0, 0);
  ReplaceTime(v, EncodeTime(18, 0, 0, 0));
  EXPECT_EQ(v, EncodeDateTime(2024, 2, 29, 18, 0, 0, 0));
  ReplaceDate(v, EncodeDate(1899, 12, 29));
  EXPECT_EQ(v, -1.75);    // 1899-12-29 18:00
  ReplaceTime(v, -3.25);  // the time of a negative value is 06:00
  EXPECT_EQ(v, -1.25);

  // Adding days to 1899-12-29 06:00 lands on 06:00 of the other day whatever its sign.
  EXPECT_EQ(IncDay(-1.25, 1), 0.25);
  EXPECT_EQ(IncDay(-1.25, 2), 1.25);
  EXPECT_EQ(IncDay(1.25, -3), -2.25);
  EXPECT_EQ(IncDay(45351.5), 45352.5);
}

TEST(DateTime, TimeStamps) {
  const TTimeStamp zero = DateTimeToTimeStamp(0);
  EXPECT_EQ(zero.Date, DateDelta);
  EXPECT_EQ(zero.Time, 0);
  const TTimeStamp first = DateTimeToTimeStamp(EncodeDateTime(1, 1, 1, 0, 0, 1, 0));
  EXPECT_EQ(first.Date, 1);
  EXPECT_EQ(first.Time, 1000);
  for (double v : {45351.75, -1.25, 0.5, 2958465.999}) {
    EXPECT_DOUBLE_EQ(TimeStampToDateTime(DateTimeToTimeStamp(v)), v);
  }
  EXPECT_THROW(TimeStampToDateTime(TTimeStamp{MSecsPerDay, 1}), EConvertError);
  EXPECT_THROW(TimeStampToDateTime(TTimeStamp{0, 0}), EConvertError);
}

TEST(DateTime, SQLTimeStamps) {
  const TSQLTimeStamp stamp = DateTimeToSQLTimeStamp(EncodeDateTime(2024, 2, 29, 13, 5, 7, 250));
  EXPECT_EQ(stamp, (TSQLTimeStamp{2024, 2, 29, 13, 5, 7, 250}));
  EXPECT_EQ(SQLTimeStampToDateTime(stamp), EncodeDateTime(2024, 2, 29, 13, 5, 7, 250));
  EXPECT_EQ(SQLTimeStampToDateTime(DateTimeToSQLTimeStamp(-1.25)), -1.25);
  EXPECT_EQ(SQLTimeStampToDateTime(TSQLTimeStamp{}), 0);
  EXPECT_THROW(SQLTimeStampToDateTime(TSQLTimeStamp{2023, 2, 29, 0, 0, 0, 0}), EConvertError);
  EXPECT_THROW(SQLTimeStampToDateTime(TSQLTimeStamp{2023, 1, 1, 0, 0, 0, 1000}), EConvertError);
  EXPECT_THROW(SQLTimeStampToDateTime(TSQLTimeStamp{-5, 1, 1, 0, 0, 0, 0}), EConvertError);
}

}  // namespace
