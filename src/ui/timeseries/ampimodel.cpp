#include "ui/timeseries/ampimodel.h"

#include "ui/grid/divergingpalette.h"

QColor AmpiModel::cellBackground(int row, int col) const {
    if (!inside(row, col) || row == 0 || col == 0)
        return {};
    const auto value = regional().parseNumber(table().cell(row, col));
    return value ? divergingpalette::colour((*value - 100.0) / 30.0) : QColor();
}

QColor AmpiModel::cellForeground(int row, int col) const {
    const QColor background = cellBackground(row, col);
    return background.isValid() ? divergingpalette::readableText(background) : QColor();
}
