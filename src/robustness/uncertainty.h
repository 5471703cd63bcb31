#pragma once

#include "comparison/texttable.h"
#include "methods/metodi.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <QString>
#include <QStringList>

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
// given; a refused run on the treated one is named "CODE trattata senza
// INDICATORE: message" ("CODE trattata: message" with every indicator).
Expected<RankUncertainty> rankUncertainty(const Matrix& matrix,
                                          const std::vector<MethodPosition>& positions,
                                          const Regional& regional,
                                          WorkProgress* progress = nullptr,
                                          const Matrix* treated = nullptr);

// The table of <workbook>.unc.csv: row 0 the corner label and the headers,
// then per unit: label, reference rank, median, 5th percentile, 95th
// percentile, best, worst.
TextTable uncertaintyTable(const RankUncertainty& uncertainty, const Regional& regional);
