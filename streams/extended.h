#pragma once

#include <array>
#include <cstdint>

namespace vantor {

// The 80-bit extended float of the binary form stream, as its ten bytes:
// a 64-bit mantissa with an explicit integer bit (bytes 0..7, little-endian),
// then the sign bit and a 15-bit exponent biased by 16383 (bytes 8..9).
using Extended80 = std::array<std::uint8_t, 10>;

// Exact: every double (zeros of both signs, subnormals, infinities, NaN
// payloads) has an extended twin.
Extended80 doubleToExtended(double value);

// Rounds to the nearest double, ties to even; values beyond the double range
// become infinities, values below it zeros or subnormals. A zero mantissa
// with the exponent all ones is an infinity, any other mantissa there a
// quiet NaN keeping the sign and the top payload bits.
double extendedToDouble(const Extended80 &bytes);
double extendedToDouble(const std::uint8_t *bytes);

} // namespace vantor
