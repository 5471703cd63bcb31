#pragma once

#include "comparison/cograduation.h"
#include "ui/grid/numbergridmodel.h"

// The grid of a cograduation (or Kendall) matrix: its coefficient cells
// (below the diagonal) are shaded by their value on the stepped scale of
// the diverging palette, the text in black or white by the one rule for
// text over a shade (CoefficientLegend explains it). The diagonal and the
// empty cells above it keep the view's own colours.
class CograduationModel : public NumberGridModel {
    Q_OBJECT

public:
    explicit CograduationModel(const Regional& regional, QObject* parent = nullptr);

    // Shows the matrix: cell (0, 0) empty, the index headers in row 0 and
    // column 0, the coefficients with four decimals.
    void setMatrix(const CoefficientMatrix& matrix);

protected:
    // The methods named by code and index name in the label column, by
    // code alone in the header row, so that the matrix stays square.
    QString headerText(int col) const override;
    QString labelText(int row) const override;
    QColor shade(int row, int col, double value) const override;
};
