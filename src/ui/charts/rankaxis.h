#pragma once

#include "shared/regional.h"

#include <QString>

#include <vector>

class QCategoryAxis;

// The rank ticks of every chart: rank 1, then the multiples of the whole
// round step of roundTicks (1, 2, 5, 10, 20, 25, 50, ...) for at most eight
// steps over the ranks,
// and the last rank, units; a multiple no farther from the last rank than
// half a step gives way to it. Empty for no unit.
std::vector<int> rankTicks(int units);
// The same over the ranks first..last: first, the multiples of the step
// between, last.
std::vector<int> rankTicks(int first, int last);

// An axis of ranks 1..units with a tick and a whole-number label (grouped
// under the regional settings) at each of rankTicks(units) and the title
// given; rank 1 at the top (reversed) unless ascending is set.
QCategoryAxis* rankAxis(int units, const QString& title, const Regional& regional,
                        bool ascending = false);
// The same over the ranks first..last only.
QCategoryAxis* rankAxis(int first, int last, const QString& title, const Regional& regional,
                        bool ascending = false);
