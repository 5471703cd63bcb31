#pragma once

#include "robustness/montecarlo.h"

class QChart;

// The variance-based indices of a Monte Carlo: per factor a bar for the
// first-order index Si and one for the total index STi, each bar's tooltip
// giving its 90% interval. Empty, with a note in its title, when no run
// moved a rank.
QChart* sobolChart(const MonteCarloResult& result);
