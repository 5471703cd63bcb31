#include "robustness/rankmatrix.h"

RankMatrix rankMatrixOf(const ComparisonResult& comparison) {
    RankMatrix matrix;
    if (comparison.labels.rowCount() < 1)
        return matrix;
    matrix.corner = comparison.corner();
    matrix.labels.reserve(comparison.units());
    for (int unit = 0; unit < comparison.units(); ++unit)
        matrix.labels.append(comparison.label(unit));
    matrix.methods = comparison.headers();
    for (const ComparedMethod& method : comparison.methods)
        matrix.ranks.push_back(method.ranks);
    return matrix;
}
