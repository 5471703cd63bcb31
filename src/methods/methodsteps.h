#pragma once

#include "methods/methodcommon.h"
#include "methods/metodi.h"

// The steps of the nine methods. Each reads matDati and fills matTrasformata
// (labels in column 1, its prefix and the indicator names in row 1, the
// transformed values below) and matValori (labels, index header, the index
// value text of every unit), or refuses the matrix with a message. An
// indicator of negative polarity (name beginning with a lower-case letter) is
// turned so that a higher transformed value is always better, except where a
// method says otherwise.

// Mazziotta Pareto Index: every indicator rescaled to 100 +- 10 z (mirrored
// for negative polarity); the index is M(r) + S(r) cv(r) (positive variant)
// or M(r) - S(r) cv(r), with M, S the mean and deviation of the unit's
// rescaled values and cv = S / M. Refuses a unit whose M is 0.
Refusal mazziottaPareto(SharedState& s, bool positive, const Regional& regional);

// Wroclaw taxonomic method: z-scores (no change of sign); the index is the
// distance from the ideal unit divided by the mean distance plus twice its
// deviation. Smaller is better.
Refusal wroclaw(SharedState& s, const Regional& regional);

// The distances D(r) of every unit from the ideal unit (the best z-score of
// every indicator: the largest for positive polarity, the smallest for
// negative), read from matTrasformata; their mean and population deviation.
void distanze_ideale(const SharedState& s, std::vector<double>& distanze, double& media,
                     double& scarto);

// Mean of the z-scores, the sign turned for negative polarity.
Refusal mediaValoriStandardizzati(SharedState& s, const Regional& regional);

// Method of rankings: the units ranked on every indicator (rank 1 to the
// best value, the later of tied units first); the index is the normalised
// rank sum.
Refusal metodoGraduatorie(SharedState& s, const Regional& regional);

// Relative indices: min-max rescaling to 0..1 (reversed for negative
// polarity), averaged.
Refusal indiciRelativi(SharedState& s, const Regional& regional);

// Means of index numbers with the indicator's mean as base (x / mean, or
// mean / x for negative polarity): arithmetic and quadratic means refuse
// negative values and zeros on negative indicators; the geometric mean
// refuses negative values and zeros.
enum class MediaIndici { Aritmetica, Geometrica, Quadratica };
Refusal numeriIndici(SharedState& s, MediaIndici media, const Regional& regional);

// The step of the method at the given list position (0..8).
Refusal methodStep(SharedState& s, int position, const Regional& regional);
