#include "ui/comparison/comparisonmodel.h"

#include "ui/platform/windowsetup.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

ComparisonModel::ComparisonModel(const Regional& regional, Shown shown, QObject* parent)
    : GridModel(parent), m_regional(regional), m_shown(shown) {}

void ComparisonModel::setComparison(std::shared_ptr<const ComparisonResult> comparison) {
    beginResetModel();
    m_comparison = std::move(comparison);
    endResetModel();
}

void ComparisonModel::clear() {
    setComparison(nullptr);
}

int ComparisonModel::gridRowCount() const {
    return m_comparison ? m_comparison->labels.rowCount() : 0;
}

int ComparisonModel::gridColumnCount() const {
    return m_comparison ? int(m_comparison->methods.size()) + 1 : 0;
}

bool ComparisonModel::inside(int row, int col) const {
    return row >= 0 && row < gridRowCount() && col >= 0 && col < gridColumnCount();
}

QString ComparisonModel::labelText(int row, int col) const {
    if (col == 0)
        return m_comparison->labels.cell(row, 0);
    return m_comparison->methods[std::size_t(col - 1)].header;
}

QString ComparisonModel::gridText(int row, int col) const {
    if (!inside(row, col))
        return QString();
    // The headers are shown in the interface language, the methods' index
    // names with their codes; the workbook's own names stay as they are.
    if (row == 0)
        return methodLabel(
            QCoreApplication::translate("TableHeaders", labelText(row, col).toUtf8().constData()));
    if (col == 0)
        return labelText(row, col);
    const ComparedMethod& method = m_comparison->methods[std::size_t(col - 1)];
    if (m_shown == Shown::Ranks)
        return QString::number(method.ranks[std::size_t(row - 1)]);
    return m_regional.indexText(method.values[std::size_t(row - 1)]);
}

namespace {

// Rows at the top and at the bottom of a long grid that are measured, and
// how many of its longest labels.
constexpr int kEdgeRows = 200;
constexpr std::size_t kLongestLabels = 64;

} // namespace

QStringList ComparisonModel::widthSample(int col) const {
    const int rows = gridRowCount();
    if (rows <= kMeasuredRows || !inside(0, col))
        return {};
    QStringList sample;
    for (int r = 0; r < rows; r = r == kEdgeRows ? rows - kEdgeRows : r + 1)
        sample.append(gridText(r, col));
    if (col == 0) {
        // The labels with the most bytes: a long text is a wide one.
        std::vector<std::pair<qsizetype, int>> lengths;
        lengths.reserve(std::size_t(rows));
        for (int r = 1; r < rows; ++r)
            lengths.emplace_back(m_comparison->labels.cellUtf8(r, 0).size(), r);
        const std::size_t kept = std::min(kLongestLabels, lengths.size());
        std::partial_sort(lengths.begin(), lengths.begin() + std::ptrdiff_t(kept), lengths.end(),
                          std::greater<>());
        for (std::size_t k = 0; k < kept; ++k)
            sample.append(gridText(lengths[k].second, 0));
        return sample;
    }
    const ComparedMethod& method = m_comparison->methods[std::size_t(col - 1)];
    if (m_shown == Shown::Ranks) {
        sample.append(QString::number(*std::max_element(method.ranks.begin(), method.ranks.end())));
        return sample;
    }
    // Four decimals each: the widest text is that of the value with the
    // most integer digits, with its sign.
    double largest = 0;
    double lowest = 0;
    bool gap = false;
    for (const double value : method.values) {
        if (std::isnan(value)) {
            gap = true;
            continue;
        }
        largest = std::max(largest, value);
        lowest = std::min(lowest, value);
    }
    sample.append(m_regional.indexText(largest));
    sample.append(m_regional.indexText(lowest));
    if (gap)
        sample.append(m_regional.indexText(std::numeric_limits<double>::quiet_NaN()));
    return sample;
}

std::optional<double> ComparisonModel::cellNumber(int row, int col) const {
    if (!inside(row, col))
        return std::nullopt;
    if (row == 0 || col == 0)
        return m_regional.parseNumber(labelText(row, col));
    const ComparedMethod& method = m_comparison->methods[std::size_t(col - 1)];
    if (m_shown == Shown::Ranks)
        return method.ranks[std::size_t(row - 1)];
    const double value = method.values[std::size_t(row - 1)];
    return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}
