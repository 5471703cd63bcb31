#pragma once

#include "ui/grid/analysistablemodel.h"

// The grid of an indicator sensitivity table: the shift columns (grid
// columns first..last) shaded by sign and size, relative to the largest
// shift of the table: teal where leaving the indicator out lifts the unit
// (a smaller rank), brown where it drops it, white for no change.
class ShiftModel : public AnalysisTableModel {
    Q_OBJECT

public:
    using AnalysisTableModel::AnalysisTableModel;

    // Shows table with the shift columns first..last, shaded relative to
    // largest, the largest absolute shift they hold (1 when smaller).
    void setShifts(std::shared_ptr<const AnalysisTable> table, int first, int last, int largest);

    QColor cellBackground(int row, int col) const override;
    QColor cellForeground(int row, int col) const override;

private:
    std::optional<double> shade(int row, int col) const;

    int m_first = 0;
    int m_last = -1;
    int m_largest = 1;
};
