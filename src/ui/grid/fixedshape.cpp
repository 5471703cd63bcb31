#include "ui/grid/fixedshape.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace fixedshape {

namespace {

constexpr int kNegative = 32;
constexpr double kHalfUnit = 0.00005; // half of the last decimal shown

// The shape read from the exact four-decimal text of value.
int exact(double value) {
    std::array<char, 40> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, 4);
    if (error != std::errc())
        return -1;
    const char* digits = buffer.data();
    bool negative = *digits == '-';
    if (negative)
        ++digits;
    int integerDigits = 0;
    bool allZero = true;
    for (const char* p = digits; p != end; ++p) {
        if (*p == '.')
            continue;
        if (p < end - 5)
            ++integerDigits;
        allZero = allZero && *p == '0';
    }
    if (allZero)
        negative = false;
    return (negative ? kNegative : 0) + integerDigits;
}

// 10^k - 0.00005 for k = 1..15: at and beyond it the integer part of the
// four-decimal text has k + 1 digits.
const std::array<double, 16>& thresholds() {
    static const std::array<double, 16> values = [] {
        std::array<double, 16> t{};
        double power = 1.0;
        for (std::size_t k = 1; k < t.size(); ++k) {
            power *= 10.0;
            t[k] = power - kHalfUnit;
        }
        return t;
    }();
    return values;
}

// True when a is too close to x for a floating comparison to tell on which
// side of x the rounded text falls.
bool nearBoundary(double a, double x) {
    return std::fabs(a - x) <= 1e-9 * std::max(1.0, x);
}

} // namespace

int of(double value) {
    if (!std::isfinite(value))
        return -1;
    const double a = std::fabs(value);
    if (a >= 1e15)
        return -1;
    const auto& t = thresholds();
    int integerDigits = 1;
    for (std::size_t k = 1; k < t.size(); ++k) {
        if (nearBoundary(a, t[k]))
            return exact(value);
        if (a < t[k])
            break;
        ++integerDigits;
    }
    if (value < 0 && nearBoundary(a, kHalfUnit))
        return exact(value);
    const bool negative = value < 0 && a > kHalfUnit;
    return (negative ? kNegative : 0) + integerDigits;
}

QString pattern(int shape, const QLocale& locale) {
    if (shape < 0 || shape >= kCount || locale.zeroDigit() != QStringLiteral("0"))
        return QString();
    const int integerDigits = shape % kNegative;
    QString text;
    if (shape >= kNegative)
        text += locale.negativeSign();
    text += QString(integerDigits, u'0');
    text += locale.decimalPoint();
    text += QStringLiteral("0000");
    return text;
}

} // namespace fixedshape
