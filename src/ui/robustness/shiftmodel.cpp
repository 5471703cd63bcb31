#include "ui/robustness/shiftmodel.h"

#include "ui/grid/divergingpalette.h"

#include <algorithm>
#include <cmath>

void ShiftModel::setShifts(std::shared_ptr<const AnalysisTable> table, int first, int last,
                           int largest) {
    m_first = first;
    m_last = last;
    m_largest = std::max(1, largest);
    setTable(std::move(table));
}

std::optional<double> ShiftModel::shade(int row, int col) const {
    if (row < 1 || col < m_first || col > m_last || !inside(row, col))
        return std::nullopt;
    const std::optional<double> shift = table().number(row, col);
    if (!shift)
        return std::nullopt;
    // A smaller rank is better: a negative shift reads as agreement.
    return -*shift / m_largest;
}

QColor ShiftModel::cellBackground(int row, int col) const {
    const auto value = shade(row, col);
    return value ? divergingpalette::colour(*value) : QColor();
}

QColor ShiftModel::cellForeground(int row, int col) const {
    const auto value = shade(row, col);
    return value ? divergingpalette::readableText(divergingpalette::colour(*value)) : QColor();
}
