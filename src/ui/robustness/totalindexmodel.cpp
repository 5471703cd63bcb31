#include "ui/robustness/totalindexmodel.h"

#include "ui/grid/divergingpalette.h"
#include "ui/grid/fixedshape.h"

int TotalIndexModel::shapeKey(int row, int col) const {
    const std::optional<double> value = row > 0 && col > 0 ? cellNumber(row, col) : std::nullopt;
    return value ? fixedshape::of(*value) : -1;
}

QString TotalIndexModel::shapePattern(int key) const {
    QLocale ungrouped = regional().locale();
    ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);
    return fixedshape::pattern(key, ungrouped);
}

QColor TotalIndexModel::cellBackground(int row, int col) const {
    const std::optional<double> value = row > 0 && col > 0 ? cellNumber(row, col) : std::nullopt;
    return value ? divergingpalette::colour(-*value) : QColor();
}

QColor TotalIndexModel::cellForeground(int row, int col) const {
    const QColor background = cellBackground(row, col);
    return background.isValid() ? divergingpalette::readableText(background) : QColor();
}
