#pragma once

#include <vector>

// The eigenvalues and unit-length eigenvectors of a real symmetric matrix.
struct SymmetricEigen {
    std::vector<double> values;  // from the largest down
    std::vector<double> vectors; // vectors[k * n + i]: component i of the vector of values[k]
};

// The eigen-decomposition of the symmetric n x n matrix a (row after row)
// by Jacobi's method of plane rotations: accurate to the rounding of the
// entries, and fast for the sizes of a matrix of indicators (hundreds).
SymmetricEigen symmetricEigen(std::vector<double> a, int n);
