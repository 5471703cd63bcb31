#include "ui/grid/cograduationmodel.h"

#include "ui/grid/divergingpalette.h"

std::optional<double> CograduationModel::coefficient(int row, int col) const {
    if (col < 1 || row <= col || !inside(row, col))
        return std::nullopt;
    return regional().parseNumber(table().cell(row, col));
}

QColor CograduationModel::cellBackground(int row, int col) const {
    const auto value = coefficient(row, col);
    return value ? divergingpalette::coefficientColour(*value) : QColor();
}

QColor CograduationModel::cellForeground(int row, int col) const {
    const auto value = coefficient(row, col);
    return value ? divergingpalette::readableText(divergingpalette::coefficientColour(*value))
                 : QColor();
}
