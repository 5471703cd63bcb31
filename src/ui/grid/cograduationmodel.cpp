#include "ui/grid/cograduationmodel.h"

#include "ui/grid/divergingpalette.h"
#include "ui/platform/windowsetup.h"

std::optional<double> CograduationModel::coefficient(int row, int col) const {
    if (col < 1 || row <= col || !inside(row, col))
        return std::nullopt;
    return regional().parseNumber(table().cell(row, col));
}

QString CograduationModel::gridText(int row, int col) const {
    if (!inside(row, col))
        return QString();
    const QString text = table().cell(row, col);
    if (row == 0 && col > 0)
        return methodCodeLabel(text);
    return col == 0 && row > 0 ? methodLabel(text) : text;
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
