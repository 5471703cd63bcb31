#pragma once

#include "ui/grid/texttablemodel.h"

// The grid of an indicator sensitivity table: the shift columns (grid
// columns first..last) shaded by sign and size, relative to the largest
// shift of the table: teal where leaving the indicator out lifts the unit
// (a smaller rank), brown where it drops it, white for no change.
class ShiftModel : public TextTableModel {
    Q_OBJECT

public:
    using TextTableModel::TextTableModel;

    // Shows table with the shift columns first..last, shaded relative to
    // largest, the largest absolute shift they hold (1 when smaller): the
    // caller knows it without reading the texts of the table again.
    void setShifts(TextTable table, int first, int last, int largest);

    QColor cellBackground(int row, int col) const override;
    QColor cellForeground(int row, int col) const override;

private:
    std::optional<double> shade(int row, int col) const;

    int m_first = 0;
    int m_last = -1;
    int m_largest = 1;
};
