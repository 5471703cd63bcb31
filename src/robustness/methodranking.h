#pragma once

#include "methods/metodi.h"
#include "stats/matrix.h"

#include <QString>

#include <vector>

// One method run in memory: the ranks of the units, or the message with
// which the method refused the matrix.
struct MethodRanking {
    bool refused = false;
    QString message;
    std::vector<int> ranks; // one per unit, in the order of the source matrix
};

// Runs the method at position on the data and ranks the units exactly as a
// run of the method does (rankIndex), without writing any file.
MethodRanking rankByMethod(const MatrixView& data, MethodPosition position);
