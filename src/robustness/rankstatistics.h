#pragma once

#include "shared/regional.h"

#include <QString>

#include <span>

// Order statistics of the ranks one unit takes over several rankings.

// The median of the values, which must be sorted ascending and not empty:
// the middle value, or the mean of the two middle values for an even count.
double sortedMedian(std::span<const int> sorted);

// The q-th percentile (0 < q <= 100) by the nearest-rank rule: the value at
// position ceil(q / 100 * N), counted from 1, of the N sorted values
// (never before the first).
int nearestRankPercentile(std::span<const int> sorted, int q);

// A rank figure as the robustness files write it: a whole number as an
// integer ("12"), any other in the four-decimal text of the index values
// ("12,5000" under Italian settings).
QString rankFigureText(double value, const Regional& regional);
