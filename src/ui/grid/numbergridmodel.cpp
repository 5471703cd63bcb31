#include "ui/grid/numbergridmodel.h"

#include "ui/grid/divergingpalette.h"
#include "ui/grid/fixedshape.h"
#include "ui/platform/windowsetup.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

NumberGridModel::NumberGridModel(const Regional& regional, Format format, QObject* parent)
    : GridModel(parent), m_regional(regional), m_ungrouped(regional.locale()), m_format(format) {
    m_ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);
}

void NumberGridModel::setGrid(QStringList headers, QStringList labels,
                              std::vector<double> numbers) {
    beginResetModel();
    m_headers = std::move(headers);
    m_labels = std::move(labels);
    m_numbers = std::move(numbers);
    endResetModel();
}

void NumberGridModel::clear() {
    setGrid({}, {}, {});
}

int NumberGridModel::gridRowCount() const {
    return m_headers.isEmpty() ? 0 : int(m_labels.size()) + 1;
}

bool NumberGridModel::inside(int row, int col) const {
    return row >= 0 && row < gridRowCount() && col >= 0 && col < gridColumnCount();
}

double NumberGridModel::number(int row, int col) const {
    if (row < 1 || col < 1 || !inside(row, col))
        return std::numeric_limits<double>::quiet_NaN();
    const auto at = std::size_t(row - 1) * std::size_t(m_headers.size() - 1) + std::size_t(col - 1);
    return at < m_numbers.size() ? m_numbers[at] : std::numeric_limits<double>::quiet_NaN();
}

QString NumberGridModel::headerText(int col) const {
    return methodLabel(
        QCoreApplication::translate("TableHeaders", header(col).toUtf8().constData()));
}

QString NumberGridModel::labelText(int row) const {
    return label(row);
}

QString NumberGridModel::gridText(int row, int col) const {
    if (!inside(row, col))
        return QString();
    if (row == 0)
        return headerText(col);
    if (col == 0)
        return labelText(row);
    const double value = number(row, col);
    if (std::isnan(value))
        return QString();
    return m_format == Format::Fixed4 ? m_regional.fixed4(value) : m_regional.indexText(value);
}

int NumberGridModel::shapeKey(int row, int col) const {
    if (m_format != Format::Fixed4 || row < 1 || col < 1)
        return -1;
    const double value = number(row, col);
    return std::isnan(value) ? -1 : fixedshape::of(value);
}

QString NumberGridModel::shapePattern(int key) const {
    return fixedshape::pattern(key, m_ungrouped);
}

std::optional<double> NumberGridModel::cellNumber(int row, int col) const {
    if (!inside(row, col))
        return std::nullopt;
    // A label or a header that reads as a number (a year) counts as one.
    if (row == 0 || col == 0)
        return m_regional.parseNumber(row == 0 ? m_headers[col] : m_labels[row - 1]);
    const double value = number(row, col);
    return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

QColor NumberGridModel::shade(int, int, double) const {
    return QColor();
}

QColor NumberGridModel::cellBackground(int row, int col) const {
    const double value = number(row, col);
    return std::isnan(value) ? QColor() : shade(row, col, value);
}

QColor NumberGridModel::cellForeground(int row, int col) const {
    const QColor background = cellBackground(row, col);
    return background.isValid() ? divergingpalette::readableText(background) : QColor();
}
