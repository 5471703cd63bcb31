#pragma once

#include "robustness/montecarlo.h"
#include "shared/regional.h"

class QChart;

// The variance-based indices of a Monte Carlo: per factor a bar for the
// first-order index Si and one for the total index STi, each with a whisker
// over its 90% interval that its tooltip gives too; the value axis spans
// every estimate and interval, and a note under the chart says why an
// estimate above 1 can be. Empty, with a note in its title, when no run
// moved a rank.
QChart* sobolChart(const MonteCarloResult& result, const Regional& regional);
