#include "ui/grid/gridmodel.h"

#include <QBrush>

#include <algorithm>

int GridModel::shapeKey(int, int) const {
    return -1;
}

QString GridModel::shapePattern(int) const {
    return QString();
}

QStringList GridModel::widthSample(int) const {
    return {};
}

std::optional<QFont> GridModel::cellFont(int, int) const {
    return std::nullopt;
}

QColor GridModel::cellBackground(int, int) const {
    return QColor();
}

bool GridModel::cellHatched(int, int) const {
    return false;
}

QColor GridModel::cellForeground(int, int) const {
    return QColor();
}

std::optional<double> GridModel::cellNumber(int, int) const {
    return std::nullopt;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return std::max(gridRowCount() - 1, 0);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return std::max(gridColumnCount() - 1, 0);
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return gridText(row, col);
    case Qt::BackgroundRole: {
        const QColor colour = cellBackground(row, col);
        if (cellHatched(row, col))
            return QBrush(colour.isValid() ? colour.darker(140) : QColor(Qt::gray),
                          Qt::BDiagPattern);
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QColor colour = cellForeground(row, col);
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::FontRole: {
        const auto font = cellFont(row, col);
        return font ? QVariant(*font) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (cellIsNumber(row, col) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool horizontal = orientation == Qt::Horizontal;
    if (section < 0 || section >= (horizontal ? columnCount() : rowCount()))
        return QVariant();
    const int row = horizontal ? 0 : section + 1;
    const int col = horizontal ? section + 1 : 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return gridRowCount() > 0 ? gridText(row, col) : QString();
    case Qt::FontRole: {
        const auto font = gridRowCount() > 0 ? cellFont(row, col) : std::nullopt;
        return font ? QVariant(*font) : QVariant();
    }
    default:
        return QVariant();
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
