#include "streams/extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace vantor;

namespace {

Extended80 ext(std::uint64_t mantissa, std::uint16_t signExponent)
{
    Extended80 b{};
    for (int i = 0; i < 8; ++i)
        b[i] = std::uint8_t(mantissa >> (8 * i));
    b[8] = std::uint8_t(signExponent);
    b[9] = std::uint8_t(signExponent >> 8);
    return b;
}

std::uint64_t bitsOf(double d)
{
    return std::bit_cast<std::uint64_t>(d);
}

constexpr std::uint64_t kTop = std::uint64_t(1) << 63;
constexpr std::uint16_t kBias = 16383;

} // namespace

TEST(Extended, KnownEncodingsBothWays)
{
    struct Case
    {
        double value;
        Extended80 bytes;
    };
    const double minSub = std::numeric_limits<double>::denorm_min();
    const Case cases[] = {
        {1.0, ext(kTop, kBias)},
        {-2.5, ext(0xA000000000000000, 0x8000 | (kBias + 1))},
        {0.0, ext(0, 0)},
        {-0.0, ext(0, 0x8000)},
        {std::numeric_limits<double>::infinity(), ext(kTop, 0x7FFF)},
        {-std::numeric_limits<double>::infinity(), ext(kTop, 0xFFFF)},
        {minSub, ext(kTop, kBias - 1074)},                 // subnormal double is normal here
        {std::numeric_limits<double>::max(), ext(0xFFFFFFFFFFFFF800, kBias + 1023)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(doubleToExtended(c.value), c.bytes) << c.value;
        EXPECT_EQ(bitsOf(extendedToDouble(c.bytes)), bitsOf(c.value)) << c.value;
    }
}

TEST(Extended, EveryDoubleSurvivesTheRoundTripBitForBit)
{
    // A spread over all exponents and fraction patterns, subnormals included.
    std::uint64_t x = 0x9E3779B97F4A7C15;
    for (int i = 0; i < 200000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const double d = std::bit_cast<double>(x);
        if (std::isnan(d))
            continue;
        ASSERT_EQ(bitsOf(extendedToDouble(doubleToExtended(d))), x);
    }
}

TEST(Extended, RoundsToNearestEvenAndToTheEdgesOfTheRange)
{
    struct Case
    {
        const char *what;
        Extended80 bytes;
        double expected;
    };
    const double minSub = std::numeric_limits<double>::denorm_min();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"0.1 as the text parser stores it", ext(0xCCCCCCCCCCCCCCCD, kBias - 4), 0.1},
        {"tie, even below", ext(kTop | 0x400, kBias), 1.0},
        {"tie, odd below rounds up", ext(kTop | 0xC00, kBias), 1.0 + std::ldexp(1.0, -51)},
        {"just above half", ext(kTop | 0x401, kBias), 1.0 + std::ldexp(1.0, -52)},
        {"carry into the exponent", ext(0xFFFFFFFFFFFFFC00, kBias), 2.0},
        {"beyond the double range", ext(kTop, kBias + 1024), inf},
        {"rounds up past the largest double", ext(0xFFFFFFFFFFFFFC00, kBias + 1023), inf},
        {"negative overflow", ext(kTop, 0x8000 | (kBias + 5000)), -inf},
        {"half the smallest subnormal ties to zero", ext(kTop, kBias - 1075), 0.0},
        {"three quarters of it rounds up", ext(0xC000000000000000, kBias - 1075), minSub},
        {"subnormal with rounding", ext(0xC000000000000000, kBias - 1074), 2 * minSub},
        {"largest subnormal carries into the smallest normal",
         ext(0xFFFFFFFFFFFFFFFF, kBias - 1023), std::numeric_limits<double>::min()},
        {"extended denormal", ext(1, 0), 0.0},
        {"negative tiny keeps its sign", ext(1, 0x8000), -0.0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(bitsOf(extendedToDouble(c.bytes)), bitsOf(c.expected)) << c.what;
}

TEST(Extended, NaNStaysNaNWithItsSign)
{
    const double nan = extendedToDouble(ext(kTop | 1, 0xFFFF));
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_TRUE(std::signbit(nan));
    const double quiet = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(extendedToDouble(doubleToExtended(quiet))));
}

TEST(Extended, AgreesWithTheHardwareConversionOnRandomExtendeds)
{
    if constexpr (std::numeric_limits<long double>::digits != 64) {
        GTEST_SKIP() << "long double is not the x87 extended type here";
    } else {
        std::uint64_t x = 0x2545F4914F6CDD1D;
        auto next = [&] {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            return x;
        };
        for (int i = 0; i < 100000; ++i) {
            std::uint64_t mantissa = next() | kTop; // the hardware rejects unnormals
            // Exponents clustered around the double range's edges and middle.
            const int centres[] = {kBias, kBias - 1022, kBias - 1074, kBias + 1023};
            int exponent = centres[next() % 4] + int(next() % 140) - 70;
            if (exponent <= 0 || exponent >= 0x7FFF)
                continue;
            if (i % 3 == 0)
                mantissa = (mantissa & ~std::uint64_t(0x7FF)) | (i % 2 ? 0x400 : 0x3FF); // near ties
            const std::uint16_t se = std::uint16_t((next() & 1 ? 0x8000 : 0) | exponent);
            const Extended80 bytes = ext(mantissa, se);
            long double ld = 0;
            std::memcpy(&ld, bytes.data(), 10);
            ASSERT_EQ(bitsOf(extendedToDouble(bytes)), bitsOf(static_cast<double>(ld)))
                << std::hex << mantissa << " " << se;
        }
    }
}
