#pragma once

#include "ui/grid/analysistablemodel.h"

// The grid of the total indices of each factor on each unit's rank: every
// cell past the label column shaded from white (the factor never moves the
// unit) to brown (it accounts for all of the unit's variance).
class TotalIndexModel : public AnalysisTableModel {
    Q_OBJECT

public:
    using AnalysisTableModel::AnalysisTableModel;

    int shapeKey(int row, int col) const override;
    QString shapePattern(int key) const override;
    QColor cellBackground(int row, int col) const override;
    QColor cellForeground(int row, int col) const override;
};
