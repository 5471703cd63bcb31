#pragma once

#include "comparison/texttable.h"
#include "robustness/analysistable.h"
#include "robustness/rankmatrix.h"
#include "shared/regional.h"

#include <memory>
#include <vector>

// How one unit's rank moves across the compared methods.
struct UnitRankSummary {
    int reference = 0;   // rank under the first method
    double median = 0.0; // median rank (mean of the two middle ranks for an even count)
    int best = 0;        // smallest rank
    int worst = 0;       // largest rank
    int range() const { return worst - best; }
    double meanShift = 0.0; // mean |rank - reference| over the other methods
};

// The rank summary of a rank matrix: one entry per unit, in the order of the
// source matrix, and two overall figures.
struct RankSummary {
    std::vector<UnitRankSummary> units;
    double meanShift = 0.0;      // the mean of the units' mean shifts
    double shareUnchanged = 0.0; // units with the same rank under every method / units
};

// Summarises the ranks of two or more methods (with one method every shift
// is 0).
RankSummary summarizeRanks(const RankMatrix& matrix);

// The summary as the file <workbook>.rob.csv holds it: row 0 the corner
// label and the column headers, then one row per unit: label, reference
// rank, median rank, best, worst, range, mean absolute shift.
TextTable rankSummaryTable(const RankMatrix& matrix, const RankSummary& summary,
                           const Regional& regional);
// The same table over the numbers of the summary, which it shares, and the
// labels of the matrix: its cells are formatted when asked for.
std::shared_ptr<const AnalysisTable> rankSummaryCells(const RankMatrix& matrix,
                                                      std::shared_ptr<const RankSummary> summary,
                                                      const Regional& regional);
