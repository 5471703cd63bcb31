#pragma once

#include "methods/methodcommon.h"
#include "shared/regional.h"
#include "shared/sharedstate.h"

#include <QString>

#include <vector>

// One method run in memory: the ranks of the units, or the message with
// which the method refused the matrix.
struct MethodRanking {
    bool refused = false;
    QString message;
    std::vector<int> ranks; // one per unit, in the order of the source matrix
};

// Runs the method at list position (0..8) on the matrix of s and ranks the
// units exactly as a run of the method does (rank 1 to the best index value
// text, the later of tied texts first), without writing any file. The
// working tables of s (matTrasformata, matValori) are overwritten and must
// be dimensioned for the matrix.
MethodRanking rankByMethod(SharedState& s, int position, const Regional& regional);

// Makes target hold the matrix of source without the indicator in column
// `leftOut` (2..nColonne; any other value keeps every indicator): labels,
// names and values copied, bNegativi and bZeri recomputed over what stays,
// every working table but matRanghi dimensioned for it (matRanghi cleared).
// target's other fields are left as they were.
void matrixWithout(const SharedState& source, int leftOut, SharedState& target);
