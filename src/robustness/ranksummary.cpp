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

TextTable rankSummaryTable(const RankMatrix& matrix, const RankSummary& summary,
                           const Regional& regional) {
    const int n = int(summary.units.size());
    TextTable table(n + 1, 7);
    const QStringList headers{
        matrix.corner,
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Rango di riferimento")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Rango mediano")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Migliore")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Peggiore")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Intervallo")),
        QStringLiteral(QT_TRANSLATE_NOOP("TableHeaders", "Spostamento medio"))};
    for (int c = 0; c < 7; ++c)
        table.setCell(0, c, headers[c]);
    for (int i = 0; i < n; ++i) {
        const UnitRankSummary& unit = summary.units[std::size_t(i)];
        const int r = i + 1;
        table.setCell(r, 0, matrix.labels[i]);
        table.setCell(r, 1, rankText(unit.reference, regional));
        table.setCell(r, 2, medianRankText(unit.median, regional));
        table.setCell(r, 3, rankText(unit.best, regional));
        table.setCell(r, 4, rankText(unit.worst, regional));
        table.setCell(r, 5, rankText(unit.range(), regional));
        table.setCell(r, 6, regional.indexText(unit.meanShift));
    }
    return table;
}
