#pragma once

#include "comparison/texttable.h"
#include "framework/structure.h"
#include "methods/metodi.h"
#include "robustness/analysistable.h"
#include "robustness/methodranking.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <memory>
#include <vector>

// How the ranks of one method move when each indicator is left out in turn.
// Every column is computed; some left-out runs may have been refused.
struct IndicatorSensitivity {
    QString code; // the method code ("MPI+")

    QString corner;
    QStringList labels;     // the unit labels, in the order of the source matrix
    QStringList indicators; // the indicator names, in the order of the matrix
    // With a structure, the names of its groups (but the overall index), in
    // the order of Structure::groups, each left out in turn after the
    // indicators; empty without one.
    QStringList groups;
    std::vector<int> ranks; // the rank of each unit with every indicator
    // shifts[j][i]: rank of unit i without indicator j (for j past the
    // indicators, without group j - m) minus its rank with all; empty when
    // the method refused the matrix without it; kNoShift when the unit has
    // no overall index without it (every element it has lies beneath it).
    std::vector<std::vector<int>> shifts;
    static constexpr int kNoShift = std::numeric_limits<int>::min();
    QStringList refusals; // per indicator, then group: the refusal message, empty when it ran

    // The name of the indicator or group left out in run j of shifts.
    const QString& leftOut(int j) const;
    // The largest absolute shift of unit i and the run (0-based, as shifts)
    // that causes it, the first one on a tie; -1 when no left-out run gives
    // it a shift.
    int largestShift(int unit) const;
    int largestIndicator(int unit) const;
    // True when some left-out run was refused.
    bool someRefused() const;
};

// Runs the method at position on the matrix with every indicator and then
// with each indicator left out, in memory: no result file is touched.
// With a structure the ranks are those of the overall index
// (computeFramework), and each group is left out in turn after the
// indicators: an element left out weighs 0, its siblings' weights
// renormalised, and a group left with no element of weight above 0 is left
// out of its own parent in turn. Fails with MethodRefused when the matrix
// has one indicator only or when the method refuses the whole matrix, with
// Cancelled when progress is cancelled. The regional settings write the
// labels and names.
Expected<IndicatorSensitivity> indicatorSensitivity(const Matrix& matrix, MethodPosition position,
                                                    const Regional& regional,
                                                    WorkProgress* progress = nullptr,
                                                    const Structure* structure = nullptr);

// The ranks of the overall index of a method over a structure (kNoShift
// for a unit without one), or the message with which it refused it.
using StructureRanker = std::function<MethodRanking(const Structure& structure)>;

// The sensitivity of the method named code whose ranks over a structure
// rank gives: ranked over the structure, then with each indicator and each
// group left out in turn as indicatorSensitivity leaves them out over a
// structure. The same failures.
Expected<IndicatorSensitivity> structureSensitivity(const Matrix& matrix, const QString& code,
                                                    const Structure& structure,
                                                    const StructureRanker& rank,
                                                    const Regional& regional,
                                                    WorkProgress* progress = nullptr);

// The table of <workbook>.sens<CODE>.csv: row 0 the corner label, "Rango",
// the indicator names (then the group names, with a structure), "Spostamento
// massimo", "Indicatore"; then one row per unit: label, rank with all
// indicators, one shift per indicator or group left out (empty for a
// refused run), the largest absolute shift and the name of the indicator
// or group that causes it.
TextTable sensitivityTable(const IndicatorSensitivity& sensitivity);
// The same table over the numbers of sensitivity, which it shares: its cells
// are formatted when asked for.
std::shared_ptr<const AnalysisTable>
sensitivityCells(std::shared_ptr<const IndicatorSensitivity> sensitivity);
