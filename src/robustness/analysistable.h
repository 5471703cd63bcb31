#pragma once

#include "comparison/texttable.h"

#include <QString>

#include <optional>

// A table of an analysis as its file holds it, each cell formatted from the
// analysis's numbers when it is asked for: the file writer asks for every
// cell, a grid for those it shows. Row 0 holds the headers, column 0 the
// labels.
class AnalysisTable {
public:
    virtual ~AnalysisTable() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // The text of cell (row, col), as the file holds it.
    virtual QString cell(int row, int col) const = 0;
    // The number a data cell holds (a rank, a shift, a mean), none for an
    // empty cell or a text.
    virtual std::optional<double> number(int row, int col) const = 0;
    // Whether cell (row, col) holds a text (a header, a label, a name)
    // rather than a number or nothing.
    virtual bool holdsText(int row, int col) const { return row == 0 || col == 0; }

    // Every cell, as the file is written.
    TextTable texts() const;
};
