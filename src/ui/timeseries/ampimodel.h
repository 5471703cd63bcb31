#pragma once

#include "ui/grid/texttablemodel.h"

// The grid of AMPI values by unit and period: each value shaded by its
// distance from 100, the value of a unit at the references on every
// indicator, brown below and teal above, 30 points giving the full shade.
class AmpiModel : public TextTableModel {
    Q_OBJECT

public:
    using TextTableModel::TextTableModel;

    QColor cellBackground(int row, int col) const override;
    QColor cellForeground(int row, int col) const override;
};
