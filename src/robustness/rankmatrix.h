#pragma once

#include "comparison/comparison.h"

#include <QString>
#include <QStringList>

#include <vector>

// The rankings of the compared methods, unit by unit: the form every
// robustness figure starts from. ranks[k][i] is the rank (1..n) of unit i
// under method k; the first method is the reference.
struct RankMatrix {
    QString corner;      // the corner label of the source matrix
    QStringList labels;  // the unit labels, in the order of the source matrix
    QStringList methods; // the index header of each method, in comparison order
    std::vector<std::vector<int>> ranks;

    int units() const { return int(labels.size()); }
    int methodCount() const { return int(ranks.size()); }
};

// The ranks of a successful comparison as a rank matrix. The comparison has
// checked that every method's ranks are a permutation of 1..n.
RankMatrix rankMatrixOf(const ComparisonResult& comparison);
