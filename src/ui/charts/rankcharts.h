#pragma once

#include "robustness/rankmatrix.h"
#include "shared/regional.h"

#include <QList>

class QChart;

// The charts of a comparison's rankings. Rank 1 is drawn at the top.

// Units drawn in full by the bump chart; beyond it only the highlighted
// units are drawn (the first kBumpLimit by reference rank when none is).
constexpr int kBumpLimit = 200;

// The units the bump chart draws: all up to kBumpLimit; beyond, the
// highlighted (at most kBumpLimit of them), or the first kBumpLimit by
// reference rank when none is.
QList<int> bumpUnits(const RankMatrix& matrix, const QList<int>& highlighted);

// A bump chart: one line per unit across the compared methods, from its
// rank under the first to its rank under the last; the highlighted units
// (indices into the matrix's units) drawn bold and named in the legend,
// the others thin and grey, their labels at the lines' ends. Every line's
// tooltip gives the unit's ranks. A title that says how many units it draws
// of how many when it cannot draw them all; the rank axis then spans only
// the ranks of the lines drawn.
QChart* bumpChart(const RankMatrix& matrix, const QList<int>& highlighted,
                  const Regional& regional);

// Units drawn one point each by the scatter; beyond it the units are drawn
// in at most kScatterBins groups of consecutive ranks under the horizontal
// method, for each the median and the 5th-95th percentile band of the
// ranks under the vertical one (a cloud of thousands of points shows no
// more, and takes seconds to draw).
constexpr int kScatterLimit = 2000;
constexpr int kScatterBins = 200;

// A scatter of every unit's rank under method a (x) against method b (y),
// with the diagonal of equal ranks; aggregated beyond kScatterLimit units,
// as its title says. The highlighted units are marked and labelled; each
// point's tooltip names its units and their ranks.
QChart* rankScatterChart(const RankMatrix& matrix, int a, int b, const Regional& regional,
                         const QList<int>& highlighted = {});
