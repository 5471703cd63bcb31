#pragma once

#include "comparison/texttable.h"
#include "methods/metodi.h"
#include "robustness/analysistable.h"
#include "robustness/compositesets.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Where one unit's rank lies over every method crossed with every
// indicator set.
struct UnitUncertainty {
    int reference = 0; // rank under the first method with every indicator
    double median = 0.0;
    int p5 = 0;  // 5th percentile (nearest rank)
    int p95 = 0; // 95th percentile (nearest rank)
    int best = 0;
    int worst = 0;
};

struct RankUncertainty {
    QStringList codes;       // the methods that took part, in the order given
    QStringList leftOut;     // "CODE: message" for each method that refused the whole matrix
    QStringList refusedRuns; // "CODE senza INDICATORE: message" for each refused left-out run
    int rankings = 0;        // N: the rankings each unit's figures are taken over
    QString corner;
    QStringList labels;
    std::vector<UnitUncertainty> units; // in the order of the source matrix
};

// Runs every method of `positions` (the first the reference) on the matrix
// with every indicator and with each one left
// out: k x (m + 1) rankings, on every core. A method that refuses the whole
// matrix is left out (leftOut); a refused left-out run only lowers N
// (refusedRuns). Fails with Usage when no method is given or the matrix has
// one indicator only; with MethodRefused when every method refuses it, the
// message then naming each method's refusal ("CODE: message") on a line of
// its own before the last line; with Cancelled when progress is cancelled.
//
// With treated given (the same matrix after the outlier treatment), the
// treatment is one more factor: every run is made on both matrices, 2 k
// (m + 1) rankings, the reference still the first method's on the matrix as
// given; the treated one's refusals are named "CODE (trattata) ...".
Expected<RankUncertainty> rankUncertainty(const Matrix& matrix,
                                          const std::vector<MethodPosition>& positions,
                                          const Regional& regional,
                                          WorkProgress* progress = nullptr,
                                          const Matrix* treated = nullptr);

// The composites crossed with the indicator sets beside the methods
// (compositeVariants), after them, or before them when first is set (the
// reference then the first composite's).
// Each indicator's goalposts, target and transformation are those of
// bounds when given (the analysis leaves the groups aside).
struct UncertaintyComposites {
    std::vector<CompositeVariant> variants;
    bool first = false;
    const Structure* bounds = nullptr;
};

// One more factor of the analysis: the same units and indicators under
// another treatment of the data (missing cells filled another way, outliers
// treated).
struct UncertaintyVariant {
    const Matrix* matrix = nullptr;
    QString name; // in the messages of its refused runs; empty for the first
};

// The same over every variant, crossed with the methods and indicator sets:
// k x (m + 1) rankings per variant, the reference the first method on the
// first variant with every indicator. A method counts as taking part when
// some variant accepts it; a variant's refusals are named "CODE (name): ...".
// The composites' variants are crossed as methods, without a structure.
Expected<RankUncertainty> rankUncertainty(const std::vector<UncertaintyVariant>& variants,
                                          const std::vector<MethodPosition>& positions,
                                          const Regional& regional,
                                          WorkProgress* progress = nullptr,
                                          const UncertaintyComposites& composites = {});

// The table of <workbook>.unc.csv: row 0 the corner label and the headers,
// then per unit: label, reference rank, median, 5th percentile, 95th
// percentile, best, worst.
TextTable uncertaintyTable(const RankUncertainty& uncertainty, const Regional& regional);
// The same table over the numbers of uncertainty, which it shares: its cells
// are formatted when asked for.
std::shared_ptr<const AnalysisTable>
uncertaintyCells(std::shared_ptr<const RankUncertainty> uncertainty, const Regional& regional);
