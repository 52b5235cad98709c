#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "LocaleTestSupport.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/String.h"

namespace {

TEST(NumberTextTest, IntToStr) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(-42), u"-42");
  EXPECT_EQ(IntToStr(std::numeric_limits<Integer>::min()), u"-2147483648");
  EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::min()), u"-9223372036854775808");
  EXPECT_EQ(IntToStr(std::numeric_limits<UInt64>::max()), u"18446744073709551615");
  EXPECT_EQ(IntToStr(4000000000u), u"4000000000");
}

TEST(NumberTextTest, StrToIntAcceptsTheFrameworkForms) {
  struct Case {
    const char16_t* s;
    bool ok;
    Integer value;
  } cases[] = {
      {u"123", true, 123},
      {u"  -17", true, -17},
      {u"\t+5", true, 5},
      {u"$FF", true, 255},
      {u"0x1f", true, 31},
      {u"x10", true, 16},
      {u"-$10", true, -16},
      {u"$FFFFFFFF", true, -1},  // the full bit pattern
      {u"2147483647", true, 2147483647},
      {u"-2147483648", true, std::numeric_limits<Integer>::min()},
      {u"2147483648", false, 0},
      {u"$100000000", false, 0},
      {u"12 ", false, 0},  // trailing blanks are not allowed
      {u"", false, 0},
      {u"-", false, 0},
      {u"$", false, 0},
      {u"1.0", false, 0},
      {u"1e3", false, 0},
      {u"１２", false, 0},  // full-width digits
  };
  for (const auto& c : cases) {
    Integer v = 999;
    EXPECT_EQ(TryStrToInt(c.s, v), c.ok) << StringToUtf8(c.s);
    if (c.ok) {
      EXPECT_EQ(v, c.value) << StringToUtf8(c.s);
    }
    EXPECT_EQ(StrToIntDef(c.s, -7), c.ok ? c.value : -7) << StringToUtf8(c.s);
  }
  try {
    StrToInt(u"12a");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'12a' is not a valid integer value");
  }
}

TEST(NumberTextTest, StrToInt64Range) {
  Int64 v = 0;
  EXPECT_TRUE(TryStrToInt64(u"9223372036854775807", v));
  EXPECT_EQ(v, std::numeric_limits<Int64>::max());
  EXPECT_TRUE(TryStrToInt64(u"-9223372036854775808", v));
  EXPECT_EQ(v, std::numeric_limits<Int64>::min());
  EXPECT_FALSE(TryStrToInt64(u"9223372036854775808", v));
  EXPECT_FALSE(TryStrToInt64(u"99999999999999999999", v));
  EXPECT_TRUE(TryStrToInt64(u"$FFFFFFFFFFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(TryStrToInt64(u"4294967296", v));
  EXPECT_EQ(v, 4294967296);
  EXPECT_EQ(StrToInt64Def(u"x", 3), 3);
  EXPECT_THROW(StrToInt64(u""), EConvertError);
}

TEST(NumberTextTest, FloatToStrGeneral15Digits) {
  struct Case {
    double value;
    const char16_t *en, *ru;
  } cases[] = {
      {0.1 + 0.2, u"0.3", u"0,3"},
      {1.0 / 3, u"0.333333333333333", u"0,333333333333333"},
      {2.0 / 3, u"0.666666666666667", u"0,666666666666667"},
      {-1234.5678, u"-1234.5678", u"-1234,5678"},
      {100, u"100", u"100"},
      {1e14, u"100000000000000", u"100000000000000"},
      {123456789012345.0, u"123456789012345", u"123456789012345"},
      {1e15, u"1E15", u"1E15"},
      {1234567890123456.0, u"1.23456789012346E15", u"1,23456789012346E15"},
      {0.0001, u"0.0001", u"0,0001"},
      {1e-5, u"1E-5", u"1E-5"},
      {-1.5e-7, u"-1.5E-7", u"-1,5E-7"},
      {1.5e300, u"1.5E300", u"1,5E300"},
      {5e-324, u"4.94065645841247E-324", u"4,94065645841247E-324"},
      {0.0, u"0", u"0"},
      {-0.0, u"0", u"0"},
      {999999999999999.9, u"1E15", u"1E15"},  // rounding carries into a new digit
      {std::numeric_limits<double>::infinity(), u"INF", u"INF"},
      {-std::numeric_limits<double>::infinity(), u"-INF", u"-INF"},
      {std::nan(""), u"NAN", u"NAN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStr(c.value, En()), c.en) << c.value;
    EXPECT_EQ(FloatToStr(c.value, Ru()), c.ru) << c.value;
  }
}

// The significant digits of v's exact decimal expansion.
std::string ExactDigits(double v) {
  static char exact[1200];
  std::snprintf(exact, sizeof exact, "%.*E", 800, v);  // exact: a double has at most 767 digits
  std::string digits;
  for (const char* p = exact; *p && *p != 'E'; ++p)
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  return digits;
}

// Digits against the C library's exact conversion, over random bit patterns (subnormals included).
// The C library rounds ties to even, the framework away from zero (the tables test those), so exact
// ties are left out here.
TEST(NumberTextTest, DigitsMatchAnExactConversion) {
  std::mt19937_64 rng(2024);
  for (int i = 0; i < 6000; ++i) {
    double v;
    if (i % 2) {
      // Any finite double: a random pattern with the exponent field kept below all ones.
      const UInt64 bits = (rng() & ~(UInt64{0x7FF} << 52)) | (UInt64{rng() % 0x7FF} << 52);
      std::memcpy(&v, &bits, sizeof v);
    } else {
      // Short decimals (prices, subnormals like 5E-324): their shortest digits take the fast path.
      char text[40];
      std::snprintf(text, sizeof text, "%de%d", static_cast<int>(rng() % 1000000),
                    static_cast<int>(rng() % 627) - 325);  // up to 999999e301: finite
      v = std::strtod(text, nullptr);
    }
    const std::string exact = ExactDigits(v);
    for (int precision : {1, 7, 15, 17, 18}) {
      const size_t p = static_cast<size_t>(precision);
      if (exact[p] == '5' && exact.find_first_not_of('0', p + 1) == std::string::npos) continue;
      char ref[64];
      std::snprintf(ref, sizeof ref, "%.*E", precision - 1, v);
      // The C library writes at least two exponent digits, as asked for here.
      const String ours = FloatToStrF(v, ffExponent, precision, 2, En());
      ASSERT_EQ(StringToUtf8(ours), ref) << "precision " << precision;
    }
  }
}

TEST(NumberTextTest, FloatToStrFFormats) {
  struct Case {
    double value;
    TFloatFormat format;
    int precision, digits;
    const char16_t* expected;
  } cases[] = {
      {1234.5, ffGeneral, 3, 0, u"1.23E3"},
      {1e-10, ffGeneral, 15, 3, u"1E-010"},
      {1234.5, ffExponent, 4, 2, u"1.235E+03"},  // a decimal tie rounds away from zero
      {-0.00012, ffExponent, 3, 0, u"-1.20E-4"},
      {0, ffExponent, 4, 2, u"0.000E+00"},
      {1234.565, ffFixed, 15, 2, u"1234.57"},  // the double is a hair above .565
      {1.005, ffFixed, 15, 2, u"1.00"},        // and this one a hair below .005
      {0.125, ffFixed, 15, 2, u"0.13"},        // an exact tie
      {-0.125, ffFixed, 15, 2, u"-0.13"},
      {-0.001, ffFixed, 15, 2, u"0.00"},  // no minus on a zero result
      {2.5, ffFixed, 15, 0, u"3"},
      {123.456, ffFixed, 4, 2, u"123.50"},  // the precision limits the digits first
      {1e20, ffFixed, 15, 2, u"1E20"},      // more integer digits than the precision
      {1234567.891, ffNumber, 15, 2, u"1,234,567.89"},
      {-999.995, ffNumber, 15, 2, u"-1,000.00"},
      {123, ffNumber, 15, 0, u"123"},
      {1234.5, ffCurrency, 15, 2, u"$1,234.50"},
      {-1234.5, ffCurrency, 15, 2, u"($1,234.50)"},
      {0.1, ffFixed, 18, 18, u"0.100000000000000006"},  // the exact binary value, not noise
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, En()), c.expected)
        << c.value << " format " << c.format << " " << c.precision << "," << c.digits;

  // The Russian thousand separator is a no-break space.
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, Ru()), u"-1\u00A0234,50 р.");
  EXPECT_EQ(FloatToStrF(1234567.5, ffNumber, 15, 1, Ru()), u"1\u00A0234\u00A0567,5");
}

TEST(NumberTextTest, FormatFloatSectionsAndPlaceholders) {
  struct Case {
    const char16_t* format;
    double value;
    const char16_t* expected;
  } cases[] = {
      {u"#,##0.00", 1234567.891, u"1,234,567.89"},
      {u"#,##0.00", 0.5, u"0.50"},
      {u"#,##0", 999.5, u"1,000"},
      {u"#,##0", 1e17, u"100,000,000,000,000,000"},
      {u"0.00;(0.00);\"zero\"", 5, u"5.00"},
      {u"0.00;(0.00);\"zero\"", -5, u"(5.00)"},
      {u"0.00;(0.00);\"zero\"", 0, u"zero"},
      {u"0.00;(0.00);\"zero\"", -0.001, u"zero"},  // rounds to zero: the zero section
      {u"0.00;(0.00)", -0.001, u"0.00"},           // no zero section: the positive one, unsigned
      {u"0.00;;'nil'", -2, u"-2.00"},              // an empty negative section: the first, signed
      {u"0.00", -0.001, u"0.00"},
      {u"\"$\"#,##0.00", -5, u"-$5.00"},
      {u"#.##", 0.5, u".5"},
      {u"0.##", 1, u"1"},
      {u"0.0#", 1.5, u"1.5"},
      {u"0.0#", 1.256, u"1.26"},
      {u"#", 0, u""},
      {u"0", 2.5, u"3"},
      {u"0", -2.5, u"-3"},
      {u"0.00", 1.005, u"1.00"},
      {u"000-0000", 1234567, u"123-4567"},
      {u"00000", 42, u"00042"},
      {u"0.00E+00", 12345, u"1.23E+04"},
      {u"0.00E+00", 0.00012345, u"1.23E-04"},
      {u"0.###E-0", 0.00012345, u"1.234E-4"},
      {u"0.###E-0", 12345, u"1.235E4"},
      {u"0.0 'руб'", 3, u"3.0 руб"},
      {u"'#,0';0", 7, u"#,0"},  // quoted placeholders are text
      {u"", 1.5, u"1.5"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.format, c.value, En()), c.expected) << StringToUtf8(c.format) << " " << c.value;

  EXPECT_EQ(FormatFloat(u"#,##0.00", 1234567.891, Ru()), u"1\u00A0234\u00A0567,89");
}

TEST(NumberTextTest, StrToFloatFollowsTheLocale) {
  struct Case {
    const char16_t* s;
    bool okEn, okRu;
    double value;
  } cases[] = {
      {u"1.5", true, false, 1.5},   {u"1,5", false, true, 1.5},    {u"  -2.5E+3  ", true, false, -2500},
      {u"1e-3", true, true, 0.001}, {u".5", true, false, 0.5},     {u"5.", true, false, 5},
      {u"0.1", true, false, 0.1},   {u"1,234.5", false, false, 0},  // no thousand separators
      {u"1e", false, false, 0},     {u"", false, false, 0},        {u"-", false, false, 0},
      {u"1.5.2", false, false, 0},  {u"INF", false, false, 0},     {u"1e999", false, false, 0},  // too large
      {u"1e-999", true, true, 0},  // too small: zero
  };
  for (const auto& c : cases) {
    for (bool ru : {false, true}) {
      double v = -1;
      const bool expected = ru ? c.okRu : c.okEn;
      EXPECT_EQ(TryStrToFloat(c.s, v, ru ? Ru() : En()), expected)
          << StringToUtf8(c.s) << (ru ? " ru" : " en");
      if (expected) {
        EXPECT_EQ(v, c.value) << StringToUtf8(c.s);
      }
    }
  }
  // Correct rounding of long texts.
  EXPECT_EQ(StrToFloat(u"0.30000000000000004", En()), 0.1 + 0.2);
  EXPECT_EQ(StrToFloat(u"2.2250738585072011e-308", En()), 2.2250738585072011e-308);
  EXPECT_TRUE(std::signbit(StrToFloat(u"-0", En())));
  try {
    StrToFloat(u"1.5", Ru());
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'1.5' is not a valid floating point value");
  }
  const TFormatSettings saved = FormatSettings();
  SetLocale("ru-RU");
  EXPECT_EQ(StrToFloatDef(u"1.5", 9), 9);
  EXPECT_EQ(StrToFloat(u"1,5"), 1.5);
  SetFormatSettings(saved);
}

TEST(NumberTextTest, FloatTextRoundTripsAt15Digits) {
  for (double v : {0.1, 1.0 / 7, 123456.789, 1e-7, 9.87654321e200, -3.25}) {
    const String s = FloatToStr(v, Ru());
    EXPECT_NEAR(StrToFloat(s, Ru()), v, std::fabs(v) * 1e-14) << StringToUtf8(s);
  }
}

TEST(NumberTextTest, BankersRoundTruncFrac) {
  struct Case {
    double value;
    Int64 round, trunc;
  } cases[] = {{0.5, 0, 0},
               {1.5, 2, 1},
               {2.5, 2, 2},
               {3.5, 4, 3},
               {-0.5, 0, 0},
               {-1.5, -2, -1},
               {-2.5, -2, -2},
               {2.4999, 2, 2},
               {2.5001, 3, 2},
               {-2.6, -3, -2},
               {1e15 + 0.5, 1000000000000000, 1000000000000000},
               {4503599627370497.0, 4503599627370497, 4503599627370497}};
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.value), c.round) << c.value;
    EXPECT_EQ(Trunc(c.value), c.trunc) << c.value;
  }
  EXPECT_DOUBLE_EQ(Frac(3.75), 0.75);
  EXPECT_DOUBLE_EQ(Frac(-3.75), -0.75);
  EXPECT_THROW(Round(1e19), EInvalidOperation);
  EXPECT_THROW(Trunc(-1e19), EInvalidOperation);
  EXPECT_THROW(Round(std::nan("")), EInvalidOperation);
  EXPECT_EQ(Trunc(-9223372036854775808.0), std::numeric_limits<Int64>::min());
}

}  // namespace
