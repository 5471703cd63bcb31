#include "robustness/ranksummary.h"

#include "robustness/rankstatistics.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>

RankSummary summarizeRanks(const RankMatrix& matrix) {
    RankSummary summary;
    const int n = matrix.units();
    const int k = matrix.methodCount();
    if (n == 0 || k == 0)
        return summary;
    summary.units.resize(std::size_t(n));
    std::vector<int> ranks(static_cast<std::size_t>(k));
    qint64 unchanged = 0;
    double shiftSum = 0.0;
    for (int i = 0; i < n; ++i) {
        qint64 shifts = 0;
        for (int m = 0; m < k; ++m)
            ranks[std::size_t(m)] = matrix.ranks[std::size_t(m)][std::size_t(i)];
        UnitRankSummary& unit = summary.units[std::size_t(i)];
        unit.reference = ranks.front();
        for (int m = 1; m < k; ++m)
            shifts += std::abs(ranks[std::size_t(m)] - unit.reference);
        std::sort(ranks.begin(), ranks.end());
        unit.median = sortedMedian(ranks);
        unit.best = ranks.front();
        unit.worst = ranks.back();
        unit.meanShift = k > 1 ? double(shifts) / double(k - 1) : 0.0;
        if (unit.best == unit.worst)
            ++unchanged;
        shiftSum += unit.meanShift;
    }
    summary.meanShift = shiftSum / n;
    summary.shareUnchanged = double(unchanged) / n;
    return summary;
}

namespace {

class RankSummaryCells : public AnalysisTable {
public:
    RankSummaryCells(QString corner, QStringList labels, std::shared_ptr<const RankSummary> summary,
                     const Regional& regional)
        : m_corner(std::move(corner)), m_labels(std::move(labels)), m_summary(std::move(summary)),
          m_regional(regional) {}
    int rowCount() const override { return int(m_summary->units.size()) + 1; }
    int columnCount() const override { return 7; }
    QString cell(int row, int col) const override {
        if (row == 0) {
            static const char* const headers[] = {
                nullptr,
                QT_TRANSLATE_NOOP("TableHeaders", "Rango di riferimento"),
                QT_TRANSLATE_NOOP("TableHeaders", "Rango mediano"),
                QT_TRANSLATE_NOOP("TableHeaders", "Migliore"),
                QT_TRANSLATE_NOOP("TableHeaders", "Peggiore"),
                QT_TRANSLATE_NOOP("TableHeaders", "Intervallo"),
                QT_TRANSLATE_NOOP("TableHeaders", "Spostamento medio")};
            return col == 0 ? m_corner : QString::fromUtf8(headers[col]);
        }
        if (col == 0)
            return m_labels[row - 1];
        const double value = *number(row, col);
        if (col == 2)
            return medianRankText(value, m_regional);
        return col == 6 ? m_regional.indexText(value) : rankText(value, m_regional);
    }
    std::optional<double> number(int row, int col) const override {
        if (row < 1 || col < 1)
            return std::nullopt;
        const UnitRankSummary& unit = m_summary->units[std::size_t(row - 1)];
        const double values[] = {0,
                                 double(unit.reference),
                                 unit.median,
                                 double(unit.best),
                                 double(unit.worst),
                                 double(unit.range()),
                                 unit.meanShift};
        if (col == 6)
            // The mean shift as its text reads: equal texts sort as equals.
            return m_regional.indexTextValue(unit.meanShift)
                .value_or(m_regional.parseNumber(m_regional.indexText(unit.meanShift))
                              .value_or(unit.meanShift));
        return values[col];
    }

private:
    QString m_corner;
    QStringList m_labels;
    std::shared_ptr<const RankSummary> m_summary;
    Regional m_regional;
};

template <typename T> std::shared_ptr<const T> borrowed(const T& value) {
    return std::shared_ptr<const T>(std::shared_ptr<const T>(), &value);
}

} // namespace

std::shared_ptr<const AnalysisTable> rankSummaryCells(const RankMatrix& matrix,
                                                      std::shared_ptr<const RankSummary> summary,
                                                      const Regional& regional) {
    return std::make_shared<const RankSummaryCells>(matrix.corner, matrix.labels,
                                                    std::move(summary), regional);
}

TextTable rankSummaryTable(const RankMatrix& matrix, const RankSummary& summary,
                           const Regional& regional) {
    // The numbers are borrowed for the while the table is written.
    return RankSummaryCells(matrix.corner, matrix.labels, borrowed(summary), regional).texts();
}
