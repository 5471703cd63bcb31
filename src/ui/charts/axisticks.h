#pragma once

#include "shared/regional.h"

#include <QString>

#include <vector>

class QCategoryAxis;

// The ticks of every chart's axes, at round numbers: a step of 1, 2, 2.5 or
// 5 times a power of ten, and the ticks at its multiples.
struct AxisTicks {
    std::vector<double> values; // from the lowest, a step apart
    double step = 0;
    int decimals = 0; // the decimals that write every tick exactly
};

// The ticks over [low, high]: the smallest round step that spans the range
// in at most maxSteps steps, from the multiple of the step at or below low
// to the one at or above high. With whole set, only whole steps (2.5 times
// a power of ten from 25 on). Empty when low > high or either is not
// finite; a range of one value gets a step of one around it.
AxisTicks roundTicks(double low, double high, int maxSteps = 8, bool whole = false);

// The text of a tick under the regional settings, with the ticks'
// decimals and digit grouping; never a minus sign before zero.
QString tickText(double value, const AxisTicks& ticks, const Regional& regional);

// An axis from the first tick to the last with a grid line and a label at
// each tick, the texts of tickText, and the title given.
QCategoryAxis* tickedAxis(const AxisTicks& ticks, const QString& title, const Regional& regional);

// An axis label in two lines, broken at the space nearest its middle (after
// the dash of "CODE - name"; the axes draw their labels as rich text), so
// that it stays whole under a narrow category; a label without a space as
// it is.
QString twoLineLabel(const QString& label);
