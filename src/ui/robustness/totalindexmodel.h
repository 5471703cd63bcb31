#pragma once

#include "ui/grid/texttablemodel.h"

// The grid of the total indices of each factor on each unit's rank: every
// cell past the label column shaded from white (the factor never moves the
// unit) to brown (it accounts for all of the unit's variance).
class TotalIndexModel : public TextTableModel {
    Q_OBJECT

public:
    using TextTableModel::TextTableModel;

    QColor cellBackground(int row, int col) const override;
    QColor cellForeground(int row, int col) const override;

private:
    std::optional<double> shade(int row, int col) const;
};
