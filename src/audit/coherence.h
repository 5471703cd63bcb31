#pragma once

#include <vector>

// How well a group of indicators holds together, from their correlation
// matrix (Pearson's, the indicators oriented by polarity).
struct Coherence {
    int indicators = 0;
    // Cronbach's alpha of the standardised indicators, k r / (1 + (k - 1) r)
    // with r the mean correlation off the diagonal; NaN for one indicator.
    double alpha = 0.0;
    double firstEigenvalue = 0.0; // the largest eigenvalue of the correlations
    double firstShare = 0.0;      // its share of their sum, k
    int eigenvaluesAboveOne = 0;
    // The loading of each indicator on the first principal component: the
    // components of its unit-length eigenvector, with the sign that makes
    // their sum positive.
    std::vector<double> loadings;
};

// The coherence of k indicators whose correlation matrix is given (k x k,
// row after row). Every figure is NaN (and no loading given) when some
// correlation is undefined.
Coherence coherenceOf(const std::vector<double>& correlations, int k);

// The correlation matrix of some of the indicators: rows and columns
// `chosen` (from 0) of the full matrix of m indicators.
std::vector<double> subMatrix(const std::vector<double>& correlations, int m,
                              const std::vector<int>& chosen);
