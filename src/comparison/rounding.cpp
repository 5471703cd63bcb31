#include "comparison/rounding.h"

#include <cassert>
#include <cmath>
#include <cstdint>

double roundHalfEven4(double value) {
    constexpr double kScale = 10000.0;
    constexpr double kLimit = 2251799813685248.0; // 2^51: halves are still exact
    if (!std::isfinite(value))
        return value;
    const double scaled = value * kScale;
    if (std::fabs(scaled) >= kLimit)
        return value;
    // The product is rounded; fma recovers exactly what the rounding lost, so
    // that a product that only looks like a half is not taken for one.
    const double lost = std::fma(value, kScale, -scaled);
    const double floor = std::floor(scaled);
    const double fraction = scaled - floor; // exact
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && lost > 0.0))
        rounded = floor + 1.0;
    else if (fraction == 0.5 && lost == 0.0 && std::fmod(floor, 2.0) != 0.0)
        rounded = floor + 1.0;
    return rounded / kScale;
}

qint64 tenThousandthsHalfEven(qint64 numerator, qint64 denominator) {
    assert(denominator > 0 && denominator < (qint64(1) << 60));
    const bool negative = numerator < 0;
    // The magnitude of INT64_MIN does not fit in qint64, it does in uint64.
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(numerator) : std::uint64_t(numerator);
    const auto divisor = std::uint64_t(denominator);
    // Long division, one decimal at a time: the remainder stays below the
    // divisor, so ten times it stays below 2^64.
    std::uint64_t quotient = magnitude / divisor;
    std::uint64_t remainder = magnitude % divisor;
    for (int digit = 0; digit < 4; ++digit) {
        remainder *= 10;
        quotient = quotient * 10 + remainder / divisor;
        remainder %= divisor;
    }
    const std::uint64_t twice = remainder * 2;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0))
        ++quotient;
    return negative ? -qint64(quotient) : qint64(quotient);
}
