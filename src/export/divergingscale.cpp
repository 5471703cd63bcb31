#include "export/divergingscale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Stop {
    double at;
    int red, green, blue;
};

// From deep brown through sand, a near white and a light teal to deep teal:
// the two halves mirror each other in lightness, read apart also by eyes
// that confuse red and green, and neither end looks like the blue of a
// selected cell.
constexpr std::array<Stop, 5> kStops{{{-1.0, 150, 85, 15},
                                      {-0.5, 225, 190, 120},
                                      {0.0, 246, 246, 246},
                                      {0.5, 130, 200, 190},
                                      {1.0, 10, 105, 95}}};

// Finer near 1, where the rankings of sound methods agree.
constexpr std::array<double, 8> kStepBounds{0.2, 0.4, 0.6, 0.8, 0.9, 0.95, 0.98, 0.99};

int mix(int from, int to, double t) {
    return int(std::lround(from + (to - from) * t));
}

} // namespace

Rgb divergingRgb(double value) {
    if (std::isnan(value))
        value = 0;
    value = std::clamp(value, -1.0, 1.0);
    std::size_t upper = 1;
    while (upper + 1 < kStops.size() && value > kStops[upper].at)
        ++upper;
    const Stop& a = kStops[upper - 1];
    const Stop& b = kStops[upper];
    const double t = (value - a.at) / (b.at - a.at);
    return Rgb{mix(a.red, b.red, t), mix(a.green, b.green, t), mix(a.blue, b.blue, t)};
}

std::span<const double> coefficientStepBounds() {
    return kStepBounds;
}

int coefficientStep(double value) {
    if (std::isnan(value))
        return 0;
    const double shown = std::round(std::abs(value) * 10000.0) / 10000.0;
    const int step =
        int(std::upper_bound(kStepBounds.begin(), kStepBounds.end(), shown) - kStepBounds.begin());
    return value < 0 ? -step : step;
}

Rgb coefficientRgb(double value) {
    return divergingRgb(double(coefficientStep(value)) / double(kStepBounds.size()));
}
