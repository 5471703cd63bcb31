#pragma once

#include "framework/structure.h"
#include "timeseries/panel.h"

#include <vector>

// The goalposts of one indicator over a panel: its minimum (inf) and maximum
// (sup) over every unit and period, the reference (ref, the mean of the
// base period), and min = ref - delta, max = ref + delta with
// delta = (sup - inf) / 2.
struct Goalposts {
    double inf = 0.0;
    double sup = 0.0;
    double ref = 0.0;
    double min = 0.0;
    double max = 0.0;
};

// The Adjusted Mazziotta-Pareto Index of every unit in every period, both
// variants, by period then unit: value[p * units + u].
struct AmpiResult {
    int base = 0; // the base period, from 0
    std::vector<Goalposts> goalposts;
    std::vector<double> plus;  // AMPI+: mean plus the penalty
    std::vector<double> minus; // AMPI-: mean minus the penalty
    // With a structure, per element of the structure: a group's AMPI+ and
    // AMPI- laid out as plus and minus (the overall group's equal to plus
    // and minus); empty for an indicator, and all empty without a
    // structure.
    std::vector<std::vector<double>> groupPlus;
    std::vector<std::vector<double>> groupMinus;
};

// The goalposts of every indicator, with the reference taken in basePeriod.
std::vector<Goalposts> goalpostsOf(const Panel& panel, int basePeriod);

// A value rescaled on the indicator's goalposts: 70 + 60 (x - min) /
// (max - min) for an indicator where higher is better, 70 + 60 (max - x) /
// (max - min) where lower is better, so the reference maps to 100 and a
// higher result is always better.
double ampiRescaled(double x, const Goalposts& g, bool negative);

// Both indices over the panel: for each unit and period, M the mean of its
// rescaled values, S their population standard deviation, cv = S / M;
// AMPI+ = M + S cv, AMPI- = M - S cv. The panel has no indicator constant
// over all its values (its loader refuses one), so every max > min.
//
// With a structure (built on the panel's indicators), every group's indices
// bottom-up: a group's AMPI+ (AMPI-) is taken over its elements of weight
// above 0, an indicator by its rescaled value, a group inside it by its
// AMPI+ (AMPI-) at full precision, each weighing w' = w m / sum(w) (m
// elements; exactly 1 when their weights are equal): M = sum(w' r) / m,
// S = sqrt(sum(w' (r - M)^2) / m). plus and minus are the overall group's.
// One group over every indicator, equally weighted, gives the indices
// without a structure digit for digit.
AmpiResult computeAmpi(const Panel& panel, int basePeriod, const Structure* structure = nullptr);

// The ranks within each period of values laid out as AmpiResult's, 1 to the
// highest, with the ranking rule of every method (rankIndex): values that
// agree to four decimals get consecutive ranks, the later unit the smaller.
std::vector<int> ampiRanks(const std::vector<double>& values, int periods, int units);
