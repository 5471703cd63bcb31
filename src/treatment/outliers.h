#pragma once

#include "stats/distribution.h"
#include "stats/matrix.h"

#include <vector>

// The standard treatment of indicators skewed by a few extreme values.

enum class OutlierMethod {
    Winsorisation, // up to five extreme values pulled in to the next value inward
    Logarithm,     // a logarithm mapped back onto the indicator's range
};

// What the treatment did to one flagged indicator.
struct TreatedIndicator {
    int indicator = 0; // from 0, in the matrix
    OutlierMethod method = OutlierMethod::Winsorisation;
    int changedValues = 0; // the cells winsorisation changed (each counted once)
    Distribution before;
    Distribution after;
};

// One cell the treatment changed.
struct OutlierChange {
    int unit = 0;
    int indicator = 0;
    double original = 0.0;
    double treated = 0.0;
};

struct OutlierTreatment {
    Matrix matrix;                            // the treated matrix
    std::vector<TreatedIndicator> indicators; // the flagged ones, in matrix order
    std::vector<OutlierChange> changes;       // unit by unit, within a unit indicator by indicator
};

// The most cells winsorisation may change in one indicator.
inline constexpr int kMaxWinsorised = 5;

// Treats every flagged indicator (Distribution::flagged) of the matrix on
// its available values: first winsorisation, one step at a time (the most
// extreme value on the side of the current skewness, and every value tied
// with it, takes the value of the next one inward; each cell moved counts
// once, at most kMaxWinsorised), re-testing after each step; when the flag
// stays, or the next step would leave every value equal (the last distinct
// value is never pulled in), the original values instead become
// log(x - min + 0.01 (max - min)) for a positive skewness,
// -log(max + 0.01 (max - min) - x) for a negative one, mapped linearly back
// onto [min, max], which keeps the order of the values, the polarity and the
// range every method accepts: the treatment never leaves an indicator
// constant.
OutlierTreatment treatOutliers(const Matrix& matrix);
