#pragma once

#include "robustness/methodranking.h"
#include "shared/regional.h"
#include "shared/sharedstate.h"
#include "shared/workprogress.h"

#include <vector>

// The rankings that methods give on every indicator set of a matrix: set 0
// holds every indicator, set j (1..m) every indicator but the j-th (the one
// in column j + 1). The result has one entry per set and method,
// result[set * positions.size() + i] for the method at list position
// positions[i]. The sets run on `threads` threads (0: one per core, at
// most the number of sets), each with its own copy of the matrix; s is only
// read. Progress goes to `progress` as the share of runs done; when it is
// cancelled the work stops at the next run and the result is empty.
std::vector<MethodRanking> rankOverIndicatorSets(const SharedState& s,
                                                 const std::vector<int>& positions,
                                                 const Regional& regional,
                                                 WorkProgress* progress = nullptr, int threads = 0);
