#include "ui/robustness/totalindexmodel.h"

#include "ui/grid/divergingpalette.h"

std::optional<double> TotalIndexModel::shade(int row, int col) const {
    if (row < 1 || col < 1 || !inside(row, col))
        return std::nullopt;
    const std::optional<double> value = regional().parseNumber(table().cell(row, col));
    if (!value)
        return std::nullopt;
    return -*value;
}

QColor TotalIndexModel::cellBackground(int row, int col) const {
    const auto value = shade(row, col);
    return value ? divergingpalette::colour(*value) : QColor();
}

QColor TotalIndexModel::cellForeground(int row, int col) const {
    const auto value = shade(row, col);
    return value ? divergingpalette::readableText(divergingpalette::colour(*value)) : QColor();
}
