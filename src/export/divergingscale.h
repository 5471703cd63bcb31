#pragma once

#include "export/rgb.h"

#include <span>

// The colour scale of coefficients from -1 to 1: brown for -1, a near white
// for 0, teal for 1, the shade deepening with the distance from 0. The
// windows' heatmaps, the exported workbook and the report share it.

// The colour of value; values beyond -1 and 1 take the colour of the end,
// NaN that of 0.
Rgb divergingRgb(double value);

// The stepped scale of the matrices that compare rankings (cograduation,
// Kendall), where most coefficients lie close to 1: a coefficient takes the
// step of its absolute value (to four decimals, as shown) among these
// bounds, so that 0.95 and 0.99 fall two steps apart.
std::span<const double> coefficientStepBounds();

// The step of value, signed: 0 below the first bound, k at or above the
// k-th bound (up to the number of bounds), negative for negative values;
// NaN takes 0.
int coefficientStep(double value);

// The colour of a coefficient on the stepped scale: the diverging colour of
// its step, the last step at the scale's ends.
Rgb coefficientRgb(double value);
