#pragma once

#include <QString>

#include <vector>

class QCategoryAxis;

// The rank ticks of every chart: rank 1, then the multiples of a round step
// (1, 2, 5, 10, 20, 50, ...) chosen for at most eight steps over the ranks,
// and the last rank, units; a multiple no farther from the last rank than
// half a step gives way to it. Empty for no unit.
std::vector<int> rankTicks(int units);

// An axis of ranks 1..units with a tick and a whole-number label at each of
// rankTicks(units) and the title given; rank 1 at the top (reversed) unless
// ascending is set.
QCategoryAxis* rankAxis(int units, const QString& title, bool ascending = false);
