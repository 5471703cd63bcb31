#pragma once

#include "shared/cellvalue.h"

#include <span>
#include <vector>

// What Matrix::missing holds for a missing cell: it was empty, or held a
// text that says the value is not available ("NA", "n.d."...).
inline constexpr unsigned char kMissingEmpty = 1;
inline constexpr unsigned char kMissingText = 2;
// A cell read as missing that held something no treatment takes (a text
// that is no number): the matrix is refused when it holds one.
inline constexpr unsigned char kInvalidValue = 3;

// One column of a MatrixView: the values of one indicator (or of a column
// computed from the indicators, such as a group's index) for every unit,
// with its polarity, weight and missing cells.
struct MatrixColumn {
    const double* values = nullptr;         // one per unit
    const unsigned char* missing = nullptr; // one per unit, 1 where missing; null when none is
    bool negative = false;                  // lower values are better
    double weight = 1.0;                    // relative to the other columns, >= 0

    bool isMissing(int unit) const { return missing && missing[unit] != 0; }
};

// A cell of a matrix view: unit and column, from 0.
struct DataCell {
    int unit = 0;
    int column = 0;
};

// Some columns over the same units: what the statistics and the methods
// read. It points into the matrix (or the computed columns) it was made
// from, which must outlive it; making one copies no value.
struct MatrixView {
    int units = 0;
    std::vector<MatrixColumn> columns;

    int unitCount() const { return units; }
    int columnCount() const { return static_cast<int>(columns.size()); }
    double value(int unit, int column) const {
        return columns[static_cast<std::size_t>(column)].values[unit];
    }
    std::span<const double> column(int column) const {
        return {columns[static_cast<std::size_t>(column)].values, static_cast<std::size_t>(units)};
    }
    // True when some cell of some column is missing.
    bool hasMissing() const;
    // True when every column has the same weight.
    bool equalWeights() const;

    // The same columns (polarity, weight, missing cells) holding other
    // values, laid out as Matrix::values: column after column, one value per
    // unit.
    MatrixView withValues(const double* columnAfterColumn) const;
};

// A matrix of statistical units by indicators, as it is read from the first
// sheet of a workbook: the unit labels, the indicator names with their
// polarity, the values as numbers, and room for a weight per indicator and
// for missing cells. Everything is indexed from 0: unit i, indicator j.
// The values of one indicator lie next to each other.
struct Matrix {
    CellValue corner;                  // the label above the unit labels
    std::vector<CellValue> units;      // the unit labels, n of them
    std::vector<CellValue> indicators; // the indicator names, m of them
    std::vector<char> negative;        // per indicator: lower values are better
    std::vector<double> weights;       // per indicator; 1 for each when none is given
    std::vector<double> values;        // values[j * n + i]: unit i on indicator j
    std::vector<unsigned char>
        missing; // empty when no cell is missing; else like values, 1 where missing
    // Per indicator, when a cell is marked kInvalidValue: the text of its
    // first such cell, for the refusal message; empty otherwise.
    std::vector<QString> invalidTexts;

    // A matrix of n units by m indicators: labels and names empty, values 0,
    // polarity positive, weights 1, nothing missing.
    static Matrix ofSize(int units, int indicators);

    int unitCount() const { return static_cast<int>(units.size()); }
    int indicatorCount() const { return static_cast<int>(indicators.size()); }

    double value(int unit, int indicator) const { return values[index(unit, indicator)]; }
    double& value(int unit, int indicator) { return values[index(unit, indicator)]; }
    std::span<const double> column(int indicator) const {
        return {values.data() + index(0, indicator), units.size()};
    }
    std::span<double> column(int indicator) {
        return {values.data() + index(0, indicator), units.size()};
    }
    bool isMissing(int unit, int indicator) const {
        return !missing.empty() && missing[index(unit, indicator)] != 0;
    }

    // Every indicator, in order.
    MatrixView view() const;
    // The column of one indicator, as view() gives it.
    MatrixColumn columnView(int indicator) const;
    // The indicators given (from 0), in the order given.
    MatrixView view(std::span<const int> indicators) const;
    // Every indicator but one (from 0; any other number keeps them all).
    MatrixView viewWithout(int indicator) const;

private:
    std::size_t index(int unit, int indicator) const {
        return static_cast<std::size_t>(indicator) * units.size() + static_cast<std::size_t>(unit);
    }
};

// True when some value of the view is below 0, or equal to 0 (the sign
// checks of the index-number methods). Missing cells are not looked at.
bool hasNegativeValue(const MatrixView& view);
bool hasZeroValue(const MatrixView& view);
