#pragma once

#include "ui/grid/numbergridmodel.h"

// The grid of the total indices of each factor on each unit's rank: every
// cell past the label column shaded from white (the factor never moves the
// unit) to brown (it accounts for all of the unit's variance).
class TotalIndexModel : public NumberGridModel {
    Q_OBJECT

public:
    explicit TotalIndexModel(const Regional& regional, QObject* parent = nullptr)
        : NumberGridModel(regional, Format::Fixed4, parent) {}

protected:
    QColor shade(int row, int col, double value) const override;
};
