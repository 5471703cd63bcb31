#pragma once

#include "robustness/methodranking.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <vector>

// The rankings that methods give on every indicator set of a matrix: set 0
// holds every indicator, set j (1..m) every indicator but the j-th. The
// result has one entry per set and method, result[set * positions.size() +
// i] for the method positions[i]. The sets run on `threads` threads (0: one
// per core, at most the number of sets), each over a view of the matrix,
// which is only read. Progress goes to `progress` as the share of runs
// done; when it is cancelled the work stops at the next run and the result
// is empty.
std::vector<MethodRanking> rankOverIndicatorSets(const Matrix& matrix,
                                                 const std::vector<MethodPosition>& positions,
                                                 WorkProgress* progress = nullptr, int threads = 0);
