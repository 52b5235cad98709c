#include <gtest/gtest.h>

#include <limits>

#include "LocaleTestSupport.h"
#include "platform/rtl/Currency.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"

namespace {

Currency C(Int64 scaled) { return Currency::FromScaled(scaled); }

TEST(CurrencyTest, FromDoubleRoundsToFourDecimals) {
  struct Case {
    double value;
    Int64 scaled;
  } cases[] = {
      {1.5, 15000},       {0.1 + 0.2, 3000}, {-2.25, -22500},
      {2.00005, 20000},                    // the double is a hair below the tie
      {1.00005, 10001},                    // and this one a hair above
      {-1.00005, -10001}, {0.03125, 312},  // an exact binary tie: to even
      {0.03135, 314},     {-0.03125, -312},  {922337203685477.0, 9223372036854770000},
  };
  for (const auto& c : cases) EXPECT_EQ(Currency(c.value).Scaled(), c.scaled) << c.value;
  EXPECT_THROW(Currency(1e15), EOverflow);
  EXPECT_THROW((void)Currency(std::numeric_limits<double>::quiet_NaN()), EInvalidOperation);
  EXPECT_DOUBLE_EQ(C(12345).ToDouble(), 1.2345);
  EXPECT_EQ(Currency(7).Scaled(), 70000);
}

TEST(CurrencyTest, ArithmeticIsExact) {
  // 0.1 + 0.2 is exactly 0.3 here, unlike in doubles.
  EXPECT_EQ(Currency(0.1) + Currency(0.2), Currency(0.3));
  EXPECT_EQ(C(10000) - C(1), C(9999));
  EXPECT_EQ(-C(5), C(-5));
  EXPECT_EQ(C(15000) * C(15000), C(22500));  // 1.5 * 1.5
  EXPECT_EQ(C(1) * C(5000), C(0));           // 0.0001 * 0.5 = 0.00005: a tie to even (0)
  EXPECT_EQ(C(3) * C(5000), C(2));           // 0.0003 * 0.5 = 0.00015: to even (0.0002)
  EXPECT_EQ(C(10000) / C(30000), C(3333));   // 1 / 3
  EXPECT_EQ(C(20000) / C(30000), C(6667));   // 2 / 3
  EXPECT_EQ(C(-20000) / C(30000), C(-6667));
  EXPECT_EQ(C(10000) * Int64{3}, C(30000));
  EXPECT_EQ(C(10) / Int64{4}, C(2));  // 2.5 units: to even
  EXPECT_EQ(C(30) / Int64{4}, C(8));  // 7.5 units: to even
  Currency total;
  for (int i = 0; i < 10; ++i) total += Currency(0.1);
  EXPECT_EQ(total, Currency(1));
  EXPECT_LT(C(-1), C(0));
  EXPECT_GT(Currency(2), Currency(1.9999));

  const Currency max = C(std::numeric_limits<Int64>::max());
  EXPECT_THROW(max + C(1), EOverflow);
  EXPECT_THROW(-C(std::numeric_limits<Int64>::min()), EOverflow);
  EXPECT_THROW(max * Currency(2), EOverflow);
  EXPECT_THROW(C(1) / Currency(), EZeroDivide);
  EXPECT_THROW(C(1) / Int64{0}, EZeroDivide);

  // Whole numbers: the largest that fits, and beyond it (a wrapped product would pass unseen).
  EXPECT_EQ(Currency(922337203685477LL).Scaled(), 9223372036854770000LL);
  EXPECT_EQ(Currency(-922337203685477LL).Scaled(), -9223372036854770000LL);
  EXPECT_THROW(Currency(922337203685478LL), EOverflow);
  EXPECT_THROW((void)Currency(std::numeric_limits<Int64>::min()), EOverflow);
  EXPECT_THROW((void)Currency(std::numeric_limits<UInt64>::max()), EOverflow);
}

TEST(CurrencyTest, TextIsExact) {
  struct Case {
    Int64 scaled;
    const char16_t *en, *ru;
  } cases[] = {
      {12345000, u"1234.5", u"1234,5"},
      {-1, u"-0.0001", u"-0,0001"},
      {0, u"0", u"0"},
      {std::numeric_limits<Int64>::max(), u"922337203685477.5807", u"922337203685477,5807"},
      {std::numeric_limits<Int64>::min(), u"-922337203685477.5808", u"-922337203685477,5808"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CurrToStr(C(c.scaled), En()), c.en);
    EXPECT_EQ(CurrToStr(C(c.scaled), Ru()), c.ru);
    EXPECT_EQ(StrToCurr(c.en, En()), C(c.scaled)) << StringToUtf8(c.en);
    EXPECT_EQ(StrToCurr(c.ru, Ru()), C(c.scaled)) << StringToUtf8(c.ru);
  }
  EXPECT_EQ(CurrToStrF(C(-12345678901234567), ffCurrency, 4, En()), u"($1,234,567,890,123.4567)");
  EXPECT_EQ(CurrToStrF(C(12345), ffFixed, 2, En()), u"1.23");
  EXPECT_EQ(CurrToStrF(C(12350), ffFixed, 2, En()), u"1.24");  // digit rounding: half away
  EXPECT_EQ(CurrToStrF(C(12345000), ffCurrency, 2, Ru()), u"1\u00A0234,50 р.");
}

TEST(CurrencyTest, Parsing) {
  struct Case {
    const char16_t* s;
    bool ok;
    Int64 scaled;
  } cases[] = {
      {u" 12.5 ", true, 125000},
      {u"0.00005", true, 0},  // the fifth decimal ties to even
      {u"0.00015", true, 2},
      {u"0.000051", true, 1},
      {u"-0.00015", true, -2},
      {u"1.5e3", true, 15000000},
      {u"1e-9", true, 0},
      {u"922337203685477.5807", true, std::numeric_limits<Int64>::max()},
      {u"922337203685477.5808", false, 0},
      {u"1e20", false, 0},
      {u"12,5", false, 0},
      {u"", false, 0},
      {u"$5", false, 0},
  };
  for (const auto& c : cases) {
    Currency v = C(-99);
    EXPECT_EQ(TryStrToCurr(c.s, v, En()), c.ok) << StringToUtf8(c.s);
    if (c.ok) {
      EXPECT_EQ(v, C(c.scaled)) << StringToUtf8(c.s);
    }
  }
  try {
    StrToCurr(u"abc", En());
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'abc' is not a valid floating point value");
  }
  const TFormatSettings saved = FormatSettings();
  SetLocale("ru-RU");
  EXPECT_EQ(StrToCurrDef(u"1.5", C(7)), C(7));
  EXPECT_EQ(StrToCurrDef(u"1,5", C(7)), C(15000));
  SetFormatSettings(saved);
}

}  // namespace
