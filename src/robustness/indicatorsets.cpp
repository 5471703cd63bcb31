#include "robustness/indicatorsets.h"

#include "methods/methodcomputation.h"
#include "methods/ranking.h"
#include "shared/parallelfor.h"

namespace {

// The set's view of a matrix's view: every column, or all but the one left
// out (set j leaves out column j - 1).
MatrixView setView(const MatrixView& all, int set) {
    MatrixView view = all;
    if (set > 0)
        view.columns.erase(view.columns.begin() + (set - 1));
    return view;
}

// The ranking of one method over one set, its refusal told.
MethodRanking rankSet(MethodPosition position, const MatrixView& data,
                      const MatrixView& transformed, int set) {
    MethodRanking run;
    const Expected<std::vector<double>> index =
        indexOf(position, setView(data, set), setView(transformed, set));
    if (index) {
        run.ranks = rankIndex(*index, methodAt(position).ascending);
    } else {
        run.refused = true;
        run.message = index.error().message;
    }
    return run;
}

} // namespace

// Each method transforms every column once: a column's transformation does
// not depend on the other columns, so every set aggregates a view of the
// same transformed matrix.
std::vector<MethodRanking> rankOverIndicatorSets(const Matrix& matrix,
                                                 const std::vector<MethodPosition>& positions,
                                                 WorkProgress* progress, int threads) {
    const int sets = matrix.indicatorCount() + 1; // all indicators, then each one left out
    const std::size_t methods = positions.size();
    std::vector<MethodRanking> result(std::size_t(sets) * methods);
    if (matrix.indicatorCount() < 1 || methods == 0)
        return result;
    LoopProgress parts(progress, qint64(sets) * qint64(methods));
    const MatrixView data = matrix.view();
    for (std::size_t i = 0; i < methods; ++i) {
        const MethodPosition position = positions[i];
        const std::vector<double> transformed = transformColumns(position, data);
        const MatrixView transformedView = data.withValues(transformed.data());
        if (!parallelFor(sets, threads, &parts, [&](int set) {
                result[std::size_t(set) * methods + i] =
                    rankSet(position, data, transformedView, set);
            }))
            return {};
    }
    return result;
}
