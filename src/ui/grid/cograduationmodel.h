#pragma once

#include "ui/grid/texttablemodel.h"

// The grid of a cograduation (or Kendall) matrix: a table of texts whose
// coefficient cells (below the diagonal) are shaded by their value on the
// stepped scale of the diverging palette, the text in black or white by
// the one rule for text over a shade (CoefficientLegend explains it). The
// diagonal, the empty cells above it and any text that is not a number
// keep the view's own colours.
class CograduationModel : public TextTableModel {
    Q_OBJECT

public:
    using TextTableModel::TextTableModel;

    // The methods named by code and index name in the label column, by
    // code alone in the header row, so that the matrix stays square.
    QString gridText(int row, int col) const override;

    QColor cellBackground(int row, int col) const override;
    QColor cellForeground(int row, int col) const override;

private:
    // The coefficient of a cell below the diagonal, when it holds one.
    std::optional<double> coefficient(int row, int col) const;
};
