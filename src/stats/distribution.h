#pragma once

#include "stats/matrix.h"

#include <optional>
#include <span>
#include <vector>

// The shape of one indicator's distribution over its available values
// (missing cells left out), as the audit of a matrix describes it.
struct Distribution {
    int count = 0;     // the available values
    double mean = 0.0; // their mean
    // The sample standard deviation (divided by count - 1); infinite only
    // when it exceeds the largest double (values of both signs near it).
    double deviation = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    // The sample skewness, n / ((n - 1)(n - 2)) sum(((x - mean) / s)^3), as
    // spreadsheets' SKEW gives it: from 3 values with a deviation above 0.
    std::optional<double> skewness;
    // The sample excess kurtosis, n (n + 1) / ((n - 1)(n - 2)(n - 3))
    // sum(((x - mean) / s)^4) - 3 (n - 1)^2 / ((n - 2)(n - 3)), as KURT gives
    // it: from 4 values with a deviation above 0.
    std::optional<double> kurtosis;

    // Skewed by a few extreme values: |skewness| > 2 and kurtosis > 3.5.
    bool flagged() const;
};

// The exponent e of the power of two at or below the largest magnitude of
// the values (0 when every value is 0): values scaled by 2^-e lie within
// (-2, 2), exactly, and every statistic that does not depend on their scale
// (skewness, kurtosis, correlations) is computed on them without overflow
// or underflow, however large or small the values are.
int magnitudeExponent(std::span<const double> values);

// The distribution of the available values of a column of units cells.
Distribution distributionOf(const MatrixColumn& column, int units);
// The same of plain values, every one available.
Distribution distributionOf(std::span<const double> values);
// Every column's.
std::vector<Distribution> distributions(const MatrixView& view);
