#include "ui/charts/axisticks.h"

#include <QCategoryAxis>

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// The number of steps of size step from the multiple at or below low to
// the one at or above high; a tolerance keeps a bound that is a multiple
// (up to rounding) from adding a step.
struct Span {
    double first;
    double last;
};

Span spanOf(double low, double high, double step) {
    constexpr double kSlack = 1e-9;
    return {std::floor(low / step + kSlack), std::ceil(high / step - kSlack)};
}

} // namespace

AxisTicks roundTicks(double low, double high, int maxSteps, bool whole) {
    AxisTicks ticks;
    if (!std::isfinite(low) || !std::isfinite(high) || low > high || maxSteps < 1)
        return ticks;
    if (low == high) {
        low -= 1;
        high += 1;
    }
    constexpr std::array<double, 4> kMantissas{1.0, 2.0, 2.5, 5.0};
    int exponent = int(std::floor(std::log10((high - low) / maxSteps))) - 1;
    if (whole)
        exponent = std::max(exponent, 0);
    for (;; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (std::size_t m = 0; m < kMantissas.size(); ++m) {
            // 2.5 is no whole step: 25 is the first.
            if (whole && m == 2 && exponent < 1)
                continue;
            const double step = kMantissas[m] * power;
            const Span span = spanOf(low, high, step);
            if (span.last - span.first > maxSteps)
                continue;
            ticks.step = step;
            ticks.decimals = std::max(0, -exponent + (m == 2 ? 1 : 0));
            for (double k = span.first; k <= span.last; ++k)
                ticks.values.push_back(k == 0 ? 0.0 : k * step);
            return ticks;
        }
    }
}

QString tickText(double value, const AxisTicks& ticks, const Regional& regional) {
    // A value that rounds to zero at the ticks' decimals is zero.
    const double unit = std::pow(10.0, -ticks.decimals);
    if (std::abs(value) < unit / 2)
        value = 0.0;
    return regional.locale().toString(value, 'f', ticks.decimals);
}

QCategoryAxis* tickedAxis(const AxisTicks& ticks, const QString& title, const Regional& regional) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    if (ticks.values.empty())
        return axis;
    axis->setStartValue(ticks.values.front());
    for (const double value : ticks.values)
        axis->append(tickText(value, ticks, regional), value);
    axis->setRange(ticks.values.front(), ticks.values.back());
    return axis;
}

QString twoLineLabel(const QString& label) {
    // "CODE - name" breaks after its dash.
    const bool dashed = label.contains(QStringLiteral(" - "));
    const qsizetype middle = label.size() / 2;
    qsizetype best = -1;
    for (qsizetype k = 0; k < label.size(); ++k)
        if (label[k] == u' ' && (!dashed || (k > 0 && label[k - 1] == u'-')) &&
            (best < 0 || std::abs(k - middle) < std::abs(best - middle)))
            best = k;
    if (best < 0)
        return label;
    return label.left(best) + QStringLiteral("<br>") + label.mid(best + 1);
}
