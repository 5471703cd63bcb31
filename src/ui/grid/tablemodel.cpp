#include "ui/grid/tablemodel.h"

#include "shared/polarity.h"
#include "ui/grid/fixedshape.h"

const QColor TableModel::kPositivo(192, 255, 192);
const QColor TableModel::kNegativo(255, 192, 192);

TableModel::TableModel(const Regional& regional, Format format, QObject* parent)
    : GridModel(parent), m_regional(regional), m_ungrouped(regional.locale()), m_format(format) {
    m_ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);
}

void TableModel::setTable(const Table* table, int rows, int cols, const Table* polarity) {
    beginResetModel();
    m_table = table;
    m_rows = table ? rows : 0;
    m_cols = table ? cols : 0;
    m_negative.assign(static_cast<std::size_t>(std::max(m_cols, 0)), -1);
    if (table && polarity) {
        for (int c = 1; c < m_cols; ++c)
            m_negative[static_cast<std::size_t>(c)] =
                hasNegativePolarity(polarity->header(c + 1)) ? 1 : 0;
    }
    endResetModel();
}

void TableModel::clear() {
    setTable(nullptr, 0, 0);
}

void TableModel::setFormat(Format format) {
    if (format == m_format)
        return;
    beginResetModel();
    m_format = format;
    endResetModel();
}

QString TableModel::gridText(int row, int col) const {
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return QString();
    const CellValue value = cell(row, col);
    switch (m_format) {
    case Format::Fixed4:
        return m_regional.gridText(value);
    case Format::IndexValues:
        if (row >= 1 && col >= 1 && value.isNumber())
            return m_regional.indexText(value.number());
        break;
    case Format::General:
        break;
    }
    return m_regional.generalText(value);
}

int TableModel::shapeKey(int row, int col) const {
    if (m_format != Format::Fixed4 || row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return -1;
    const CellValue value = cell(row, col);
    if (value.isNumber())
        return fixedshape::of(value.number());
    if (value.isText()) {
        if (const auto number = m_regional.parseNumber(value.text()))
            return fixedshape::of(*number);
    }
    return -1;
}

QString TableModel::shapePattern(int key) const {
    return fixedshape::pattern(key, m_ungrouped);
}

QColor TableModel::cellBackground(int row, int col) const {
    if (row < 1 || row >= m_rows || col < 1 || col >= m_cols)
        return QColor();
    switch (m_negative[static_cast<std::size_t>(col)]) {
    case 0:
        return kPositivo;
    case 1:
        return kNegativo;
    default:
        return QColor();
    }
}

void TableModel::setFilled(std::vector<unsigned char> filled) {
    m_filled = std::move(filled);
    if (m_rows > 1 && m_cols > 1)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 2, m_cols - 2));
}

bool TableModel::cellHatched(int row, int col) const {
    if (m_filled.empty() || row < 1 || row >= m_rows || col < 1 || col >= m_cols)
        return false;
    const std::size_t at = std::size_t(col - 1) * std::size_t(m_rows - 1) + std::size_t(row - 1);
    return at < m_filled.size() && m_filled[at] != 0;
}

std::optional<QFont> TableModel::cellFont(int row, int col) const {
    if (!cellHatched(row, col))
        return std::nullopt;
    QFont italic;
    italic.setItalic(true);
    return italic;
}

std::optional<double> TableModel::cellNumber(int row, int col) const {
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return std::nullopt;
    return m_regional.numberOf(cell(row, col));
}
