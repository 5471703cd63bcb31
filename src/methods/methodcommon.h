#pragma once

#include "shared/regional.h"
#include "shared/sharedstate.h"

#include <QString>

#include <cmath>
#include <optional>
#include <vector>

// What a method step returns: nothing when it filled its tables, otherwise
// the message with which it refuses the matrix.
using Refusal = std::optional<QString>;

// Pieces shared by the method steps.

// The polarity of every indicator: slot c is true when the indicator of
// column c has negative polarity (slots 0 and 1 unused).
std::vector<bool> polaritaIndicatori(const SharedState& s);

// Writes the label column (rows 1..nRighe, from matDati) and the header row
// (prefix followed by each indicator's name) of a transformed table.
void scriviIntestazioni(const SharedState& s, Table& table, const QString& prefix,
                        const Regional& regional);

// Fills matValori: the labels in column 1, the index header in (1,2) and the
// index value index[r] of every unit in (r,2), at full precision. Wherever it
// is shown, written or ranked, an index value is its index value text (four
// decimals, Regional::indexText). An index that is not a finite number (the
// data lie too far apart for the method) is never written: the method
// refuses the matrix instead.
Refusal scriviValori(SharedState& s, const QString& indexHeader, const std::vector<double>& index);

// (a - b) / (c - d), also when a difference leaves the range of doubles
// (values near 1.8e308 of opposite signs): every term is then halved first,
// which keeps the quotient.
inline double quozienteDifferenze(double a, double b, double c, double d) {
    const double h = std::isfinite(a - b) && std::isfinite(c - d) ? 1.0 : 0.5;
    return (a * h - b * h) / (c * h - d * h);
}

// How a z-score enters the transformed matrix.
enum class ScalaZ {
    Z,            // the z-score itself, whatever the polarity
    ZOrientato,   // z, or -z for an indicator of negative polarity
    Riscalato100, // 100 + 10 z, or 100 - 10 z for negative polarity
};

// Fills the data cells of matTrasformata from the z-scores of matDati,
// z = (x - mean) / sd with the population deviation of each indicator,
// rescaled as asked.
void scriviPunteggiZ(SharedState& s, ScalaZ scala);

// The data value of unit r on indicator c.
inline double dato(const SharedState& s, int r, int c) {
    return s.matDati(r, c);
}
