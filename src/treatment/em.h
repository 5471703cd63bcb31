#pragma once

#include "shared/workprogress.h"
#include "stats/matrix.h"

#include <vector>

// The expectation-maximisation of the maximum-likelihood mean and
// covariance of the columns of a matrix with missing cells, under a
// multivariate normal model.
struct EmResult {
    std::vector<double> mean;       // per column
    std::vector<double> covariance; // m x m, row after row
    // The matrix's values with every missing cell replaced by its
    // conditional mean given the unit's available cells, at convergence
    // (laid out as Matrix::values).
    std::vector<double> filled;
    int iterations = 0;
    bool converged = false;
    bool cancelled = false; // stopped part-way: nothing else is meaningful
};

// Starts from the column means over the available values and the
// covariance of the mean-filled matrix. The E step fills each missing cell
// with its conditional mean and adds the conditional covariance of the
// unit's missing block to the expected cross-products; the M step divides
// by n. Stops when every mean and covariance entry changes by less than
// 1e-9 (1 + its magnitude), or after 1,000 iterations. A covariance that
// cannot be inverted gets a ridge of 1e-9 of its trace on the diagonal.
// Every unit needs at least one available cell. Cancelling progress stops
// it within a fraction of an iteration.
EmResult expectationMaximisation(const Matrix& matrix, const WorkProgress* progress = nullptr);
