// The x87 80-bit extended format as stored in streams: 8 bytes of significand (explicit integer
// bit), then 2 bytes of 15-bit exponent and sign, little-endian. Converted by bit manipulation so
// the result is the same on every machine, whatever its long double is.
#pragma once

#include <array>

#include "platform/rtl/Types.h"

using TExtended80 = std::array<Byte, 10>;

// Exact: every double has an extended form. A signalling NaN comes back quiet, as the FPU loads it.
TExtended80 DoubleToExtended(double value);
// Rounds to nearest, ties to even; too large gives an infinity, too small a denormal or zero.
// Unnormal, pseudo-infinite and pseudo-NaN encodings are invalid operands and give a NaN.
double ExtendedToDouble(const TExtended80& bytes);
