#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/rtl/Extended.h"

namespace {

TExtended80 Ext(std::uint64_t significand, unsigned signAndExponent) {
  TExtended80 bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<Byte>(significand >> (8 * i));
  bytes[8] = static_cast<Byte>(signAndExponent);
  bytes[9] = static_cast<Byte>(signAndExponent >> 8);
  return bytes;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

constexpr double kInf = std::numeric_limits<double>::infinity();

// Doubles whose extended form is exact, in both directions.
TEST(Extended, ExactValuesBothWays) {
  struct Case {
    double value;
    TExtended80 bytes;
  };
  const Case cases[] = {
      {1.0, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F}},
      {-2.5, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA0, 0x00, 0xC0}},
      {0.1, {0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}},
      {1e308, {0x00, 0x00, 0x45, 0x5E, 0x2F, 0x9C, 0x67, 0x8E, 0xFE, 0x43}},
      {1.7976931348623157e308, {0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x43}},
      {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00}},
      {-0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x80}},
      {5e-324, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xCD, 0x3B}},  // smallest denormal
      {2.225073858507201e-308, {0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x3C}},  // largest
      {kInf, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x7F}},
      {-kInf, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DoubleToExtended(c.value), c.bytes) << c.value;
    EXPECT_EQ(Bits(ExtendedToDouble(c.bytes)), Bits(c.value)) << c.value;
  }
}

TEST(Extended, NaNsStayNaNs) {
  const TExtended80 quiet = DoubleToExtended(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(quiet, Ext(0xC000000000000000, 0x7FFF));
  // A signalling NaN comes in quiet, keeping its payload.
  const double signalling = std::bit_cast<double>(std::uint64_t{0x7FF0000000000123});
  EXPECT_EQ(DoubleToExtended(signalling), Ext(0xC000000000000000 | (std::uint64_t{0x123} << 11), 0x7FFF));
  EXPECT_EQ(Bits(ExtendedToDouble(DoubleToExtended(signalling))), 0x7FF8000000000123u);
  EXPECT_TRUE(std::isnan(ExtendedToDouble(quiet)));
  EXPECT_TRUE(std::signbit(ExtendedToDouble(Ext(0xC000000000000000, 0xFFFF))));
}

// Extended values a double cannot hold exactly, and encodings with no double meaning.
TEST(Extended, NarrowingRoundsToNearestEven) {
  struct Case {
    TExtended80 bytes;
    std::uint64_t expected;  // double bits
  };
  const Case cases[] = {
      {Ext(0xCCCCCCCCCCCCCCCD, 0x3FFB), Bits(0.1)},           // nearest
      {Ext(0x8000000000000400, 0x3FFF), Bits(1.0)},           // tie, even below
      {Ext(0x8000000000000C00, 0x3FFF), 0x3FF0000000000002},  // tie, even above
      {Ext(0x8000000000000401, 0x3FFF), 0x3FF0000000000001},  // just past the tie
      {Ext(0xFFFFFFFFFFFFFC00, 0x3FFF), Bits(2.0)},           // carry into the exponent
      {Ext(0xFFFFFFFFFFFFFC00, 0xBFFF), Bits(-2.0)},
      {Ext(0x8000000000000000, 0x43FF), Bits(kInf)},  // 2^1024
      {Ext(0xFFFFFFFFFFFFFFFF, 0x43FE), Bits(kInf)},  // rounds up past the largest
      {Ext(0x8000000000000000, 0xFFFE), Bits(-kInf)},
      {Ext(0xFFFFFFFFFFFFFFFF, 0x3C00), 0x0010000000000000},  // denormal rounds up to normal
      {Ext(0x8000000000000000, 0x3BCC), 0},                   // 2^-1075: tie to even zero
      {Ext(0xC000000000000000, 0x3BCC), 1},                   // 1.5 * 2^-1075
      {Ext(0x8000000000000000, 0x3BCB), 0},                   // 2^-1076
      {Ext(0x8000000000000000, 0xBB00), 0x8000000000000000},  // negative underflow keeps sign
      {Ext(0xA000000000000000, 0x3BD0), 10},                  // 1.25 * 2^-1071 exact
      {Ext(0x8000000000000000, 0x0000), 0},                   // pseudo-denormal 2^-16382
      {Ext(0x4000000000000000, 0x3FFF), 0x7FF8000000000000},  // unnormal
      {Ext(0x0000000000000000, 0x7FFF), 0x7FF8000000000000},  // pseudo-infinity
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Bits(ExtendedToDouble(c.bytes)), c.expected)
        << std::hex << c.expected << " from exponent " << (c.bytes[8] | (c.bytes[9] << 8));
  }
}

TEST(Extended, EveryDoubleSurvivesTheRoundTrip) {
  std::uint64_t state = 0x9E3779B97F4A7C15;
  for (int i = 0; i < 200000; ++i) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    const double value = std::bit_cast<double>(state);
    if (std::isnan(value)) continue;
    ASSERT_EQ(Bits(ExtendedToDouble(DoubleToExtended(value))), state);
  }
}

}  // namespace
