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

// A rank, a whole number, as every table and chart writes it: with the
// digit grouping of the regional settings ("2.384" under Italian).
QString rankText(double rank, const Regional& regional);
// A figure of ranks that may fall halfway (a median): a whole number as
// rankText writes it, any other with one decimal ("2.341,5").
QString medianRankText(double value, const Regional& regional);
