#pragma once

#include "ui/grid/numbergridmodel.h"

// The grid of AMPI values by unit and period: each value shaded by its
// distance from 100, the value of a unit at the references on every
// indicator, brown below and teal above, 30 points giving the full shade.
class AmpiModel : public NumberGridModel {
    Q_OBJECT

public:
    explicit AmpiModel(const Regional& regional, QObject* parent = nullptr)
        : NumberGridModel(regional, Format::IndexValue, parent) {}

protected:
    QColor shade(int row, int col, double value) const override;
};
