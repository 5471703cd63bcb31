#pragma once

#include "comparison/texttable.h"
#include "shared/regional.h"

#include <vector>

// The ranks of column `column` (1..N) of a ranks table, rows 1 to the last:
// its whole numbers, or each text read by rankNumber.
std::vector<double> rankColumn(const TextTable& ranks, int column);

// The cograduation matrix of the methods in columns 1..N of a ranks table
// whose row 0 holds the index headers and rows 1.. the ranks of one unit
// each. The result has N + 1 rows and N + 1 columns: cell (0, 0) empty, row 0
// and column 0 the index headers, the diagonal 1 in the pattern "0.0000"
// ("1,0000" under Italian settings, like every other coefficient), cell
// (j, k) with j > k Spearman's coefficient of methods k and j, and the cells
// above the diagonal empty. A table with no method gives an empty matrix.
TextTable cograduationMatrix(const TextTable& ranks, const Regional& regional);
