#pragma once

#include "robustness/rankmatrix.h"

#include <vector>

// The units of a comparison in groups of consecutive ranks under one
// method, with the spread of their ranks under another: what a chart of
// thousands of units can show of two rankings.
struct RankBin {
    int fromRank = 0;  // the first rank under method a in the group
    int toRank = 0;    // the last one
    double median = 0; // the median rank under method b of the group's units
    int p5 = 0;        // their 5th percentile under b (nearest rank)
    int p95 = 0;       // their 95th percentile under b (nearest rank)
};

// The units ordered by rank under method a, cut into min(maxBins, n) groups
// as even in size as possible (sizes differ by one at most), each with the
// order statistics of its ranks under method b. No groups for an empty
// matrix, a method out of range or maxBins < 1.
std::vector<RankBin> rankBins(const RankMatrix& matrix, int a, int b, int maxBins);
