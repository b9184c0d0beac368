#include "extended.h"

#include <bit>
#include <cstring>

namespace vantor {

namespace {

constexpr std::uint64_t kIntegerBit = std::uint64_t(1) << 63;
constexpr std::uint64_t kDoubleFraction = (std::uint64_t(1) << 52) - 1;
constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;

double fromBits(std::uint64_t bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// m / 2^shift rounded to the nearest integer, ties to even; shift may exceed 63.
std::uint64_t shiftRightRounded(std::uint64_t m, int shift)
{
    if (shift <= 0)
        return m;
    if (shift > 64)
        return 0; // m < 2^64 <= half of 2^shift
    if (shift == 64)
        return m > kIntegerBit ? 1 : 0; // exactly half rounds to the even 0
    const std::uint64_t kept = m >> shift;
    const std::uint64_t rest = m & ((std::uint64_t(1) << shift) - 1);
    const std::uint64_t half = std::uint64_t(1) << (shift - 1);
    if (rest > half || (rest == half && (kept & 1)))
        return kept + 1;
    return kept;
}

} // namespace

Extended80 doubleToExtended(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = bits >> 63;
    const int exponent = int((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kDoubleFraction;

    std::uint64_t mantissa = 0;
    int biased = 0;
    if (exponent == 0x7FF) {
        biased = 0x7FFF;
        mantissa = kIntegerBit | (fraction << 11);
    } else if (exponent == 0) {
        if (fraction != 0) {
            // Subnormal double: normal in the extended's wider exponent range.
            const int lz = std::countl_zero(fraction);
            mantissa = fraction << lz;
            biased = -1074 + 63 - lz + kExtendedBias;
        }
    } else {
        mantissa = kIntegerBit | (fraction << 11);
        biased = exponent - kDoubleBias + kExtendedBias;
    }

    Extended80 out{};
    for (int i = 0; i < 8; ++i)
        out[i] = std::uint8_t(mantissa >> (8 * i));
    const std::uint16_t signExponent = std::uint16_t((negative ? 0x8000 : 0) | biased);
    out[8] = std::uint8_t(signExponent & 0xFF);
    out[9] = std::uint8_t(signExponent >> 8);
    return out;
}

double extendedToDouble(const std::uint8_t *bytes)
{
    std::uint64_t m = 0;
    for (int i = 0; i < 8; ++i)
        m |= std::uint64_t(bytes[i]) << (8 * i);
    const std::uint16_t signExponent = std::uint16_t(bytes[8] | (bytes[9] << 8));
    const std::uint64_t sign = std::uint64_t(signExponent >> 15) << 63;
    const int biased = signExponent & 0x7FFF;

    if (biased == 0x7FFF) {
        if ((m & ~kIntegerBit) == 0)
            return fromBits(sign | (std::uint64_t(0x7FF) << 52));
        // Quiet NaN; keep what fits of the payload.
        const std::uint64_t payload = (m & ~kIntegerBit) >> 11;
        return fromBits(sign | (std::uint64_t(0x7FF) << 52) | (std::uint64_t(1) << 51) | payload);
    }
    if (m == 0)
        return fromBits(sign);

    // value = m * 2^e, normalised so that m has its top bit set. Denormal
    // (and unnormal) extendeds are handled by the same normalisation.
    int e = (biased == 0 ? 1 : biased) - kExtendedBias - 63;
    const int lz = std::countl_zero(m);
    m <<= lz;
    e -= lz;
    int exponent = e + 63; // unbiased exponent of the leading bit

    if (exponent > kDoubleBias)
        return fromBits(sign | (std::uint64_t(0x7FF) << 52));
    if (exponent >= -1022) {
        std::uint64_t mant = shiftRightRounded(m, 11);
        if (mant >> 53) {
            mant >>= 1;
            ++exponent;
            if (exponent > kDoubleBias)
                return fromBits(sign | (std::uint64_t(0x7FF) << 52));
        }
        return fromBits(sign | (std::uint64_t(exponent + kDoubleBias) << 52) | (mant & kDoubleFraction));
    }
    // Subnormal double: value = f * 2^-1074. A carry into bit 52 yields the
    // smallest normal, which the plain bit pattern already expresses.
    const std::uint64_t f = shiftRightRounded(m, -(e + 1074));
    return fromBits(sign | f);
}

double extendedToDouble(const Extended80 &bytes)
{
    return extendedToDouble(bytes.data());
}

} // namespace vantor
