#include "platform/rtl/Extended.h"

#include <bit>
#include <cstdint>

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kDoubleQuietBit = std::uint64_t{1} << 51;
constexpr std::uint64_t kDoubleExponentMask = std::uint64_t{0x7FF} << 52;
constexpr std::uint64_t kDoubleFractionMask = (std::uint64_t{1} << 52) - 1;

TExtended80 Pack(bool negative, int exponent, std::uint64_t significand) {
  TExtended80 bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<Byte>(significand >> (8 * i));
  const unsigned top = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
  bytes[8] = static_cast<Byte>(top);
  bytes[9] = static_cast<Byte>(top >> 8);
  return bytes;
}

// value >> shift, rounded to nearest with ties to even.
std::uint64_t ShiftRightRounded(std::uint64_t value, int shift) {
  if (shift <= 0) return value;
  if (shift > 64) return 0;
  if (shift == 64) return value > kIntegerBit ? 1 : 0;  // exactly one half rounds to even 0
  std::uint64_t result = value >> shift;
  const std::uint64_t rest = value & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (result & 1))) ++result;
  return result;
}

}  // namespace

TExtended80 DoubleToExtended(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & kDoubleFractionMask;
  if (exponent == 0x7FF) {
    if (fraction == 0) return Pack(negative, 0x7FFF, kIntegerBit);
    return Pack(negative, 0x7FFF, kIntegerBit | (std::uint64_t{1} << 62) | (fraction << 11));
  }
  if (exponent == 0) {
    if (fraction == 0) return Pack(negative, 0, 0);
    // A denormal double is a normal extended: move its leading bit to the integer bit.
    const int lead = 63 - std::countl_zero(fraction);
    return Pack(negative, lead - 1074 + kExtendedBias, fraction << (63 - lead));
  }
  return Pack(negative, exponent - kDoubleBias + kExtendedBias, kIntegerBit | (fraction << 11));
}

double ExtendedToDouble(const TExtended80& bytes) {
  std::uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[i];
  const unsigned top = bytes[8] | (unsigned{bytes[9]} << 8);
  const bool negative = (top & 0x8000) != 0;
  const int exponent = static_cast<int>(top & 0x7FFF);
  const std::uint64_t sign = negative ? std::uint64_t{1} << 63 : 0;
  const double nan = std::bit_cast<double>(sign | kDoubleExponentMask | kDoubleQuietBit);

  if (exponent == 0x7FFF) {
    if ((significand & kIntegerBit) == 0) return nan;  // pseudo-infinity or pseudo-NaN
    const std::uint64_t payload = significand & ~kIntegerBit;
    if (payload == 0) return std::bit_cast<double>(sign | kDoubleExponentMask);
    return std::bit_cast<double>(sign | kDoubleExponentMask | kDoubleQuietBit | (payload >> 11));
  }
  if (exponent != 0 && (significand & kIntegerBit) == 0) return nan;  // unnormal
  if (significand == 0) return std::bit_cast<double>(sign);

  // value = significand * 2^scale; denormals (and pseudo-denormals) use exponent 1.
  const int scale = (exponent == 0 ? 1 : exponent) - kExtendedBias - 63;
  const int lead = 63 - std::countl_zero(significand);
  const int unbiased = lead + scale;  // the exponent of the leading bit
  if (unbiased > kDoubleBias) return std::bit_cast<double>(sign | kDoubleExponentMask);

  std::uint64_t result;
  if (unbiased >= 1 - kDoubleBias) {
    // Normal: 53 significant bits with the leading one at bit 52. Adding the leading bit into the
    // exponent field lets a rounding carry raise the exponent by itself.
    const std::uint64_t mantissa =
        lead > 52 ? ShiftRightRounded(significand, lead - 52) : significand << (52 - lead);
    result = (static_cast<std::uint64_t>(unbiased + kDoubleBias - 1) << 52) + mantissa;
  } else {
    // Denormal: keep the bits worth at least 2^-1074; a carry into bit 52 gives the smallest normal.
    const int shift = -1074 - scale;
    result = shift >= 0 ? ShiftRightRounded(significand, shift) : significand << -shift;
  }
  if (result >= kDoubleExponentMask) return std::bit_cast<double>(sign | kDoubleExponentMask);
  return std::bit_cast<double>(sign | result);
}
