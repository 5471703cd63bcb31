#include "ui/charts/rankcharts.h"

#include "robustness/rankbins.h"
#include "robustness/rankstatistics.h"
#include "ui/charts/axisticks.h"
#include "ui/charts/chartpalette.h"
#include "ui/charts/charttips.h"
#include "ui/charts/rankaxis.h"
#include "ui/charts/unitmarks.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QFont>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A unit's ranks under every method, one line each, for its tooltip.
QStringList rankLines(const RankMatrix& matrix, int unit, const Regional& regional) {
    QStringList lines;
    for (int m = 0; m < matrix.methodCount(); ++m)
        lines.append(QStringLiteral("%1: %2").arg(
            matrix.methods[m],
            rankText(matrix.ranks[std::size_t(m)][std::size_t(unit)], regional)));
    return lines;
}

QString unitRanksTip(const RankMatrix& matrix, int unit, const Regional& regional) {
    return unitTip(matrix.labels[unit], rankLines(matrix, unit, regional));
}

} // namespace

QList<int> bumpUnits(const RankMatrix& matrix, const QList<int>& highlighted) {
    const int n = matrix.units();
    QList<int> shown;
    if (n <= kBumpLimit) {
        for (int i = 0; i < n; ++i)
            shown.append(i);
    } else if (!highlighted.isEmpty()) {
        shown = highlighted.mid(0, kBumpLimit);
    } else {
        for (int i = 0; i < n && !matrix.ranks.empty(); ++i)
            if (matrix.ranks[0][std::size_t(i)] <= kBumpLimit)
                shown.append(i);
    }
    return shown;
}

namespace {

// What the bump chart's title adds when it draws some of the units only.
QString bumpSubtitle(qsizetype shown, int units, bool selected) {
    return (selected ? QCoreApplication::translate("RankCharts",
                                                   " (%1 unità disegnate su %2: le selezionate)")
                     : QCoreApplication::translate("RankCharts", " (%1 unità disegnate su %2: le "
                                                                 "prime per rango di riferimento)"))
        .arg(shown)
        .arg(units);
}

// The methods along the bottom, a place each.
QCategoryAxis* methodAxisOf(const RankMatrix& matrix) {
    const int k = matrix.methodCount();
    auto* methodAxis = new QCategoryAxis;
    methodAxis->setTitleText(QCoreApplication::translate("RankCharts", "Metodo"));
    methodAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int m = 0; m < k; ++m)
        methodAxis->append(twoLineLabel(matrix.methods[m]), m);
    methodAxis->setRange(-0.2, k - 0.8);
    QFont small = methodAxis->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    methodAxis->setLabelsFont(small);
    return methodAxis;
}

// The ranks the lines drawn take, when they are not all units'.
std::pair<int, int> drawnRanks(const RankMatrix& matrix, const QList<int>& shown) {
    const int n = matrix.units();
    if (shown.size() >= n)
        return {1, n};
    int lowest = n;
    int highest = 1;
    for (const int i : shown)
        for (int m = 0; m < matrix.methodCount(); ++m) {
            lowest = std::min(lowest, matrix.ranks[std::size_t(m)][std::size_t(i)]);
            highest = std::max(highest, matrix.ranks[std::size_t(m)][std::size_t(i)]);
        }
    return {lowest, highest};
}

// A line for each unit shown, in that order, the bold ones in colour and
// named at the end of their lines by the marks returned.
QList<UnitMark> addBumpLines(QChart* chart, const RankMatrix& matrix, const QList<int>& shown,
                             const QList<int>& bold, QAbstractAxis* methodAxis,
                             QAbstractAxis* ranks, const Regional& regional) {
    const int k = matrix.methodCount();
    QList<UnitMark> marks;
    for (const int i : shown) {
        auto* line = new QLineSeries;
        for (int m = 0; m < k; ++m)
            line->append(m, matrix.ranks[std::size_t(m)][std::size_t(i)]);
        const bool strong = bold.contains(i);
        const QColor colour =
            strong ? chartpalette::lineColour(int(marks.size())) : QColor(0xb0, 0xb0, 0xb0);
        QPen pen(colour);
        pen.setWidthF(strong ? 3.0 : 1.0);
        line->setPen(pen);
        line->setName(matrix.labels[i]);
        const QString tip = unitRanksTip(matrix, i, regional);
        setHoverTips(line, [tip](QPointF) { return tip; });
        chart->addSeries(line);
        line->attachAxis(methodAxis);
        line->attachAxis(ranks);
        if (strong)
            marks.append({matrix.labels[i],
                          QPointF(k - 1, matrix.ranks[std::size_t(k - 1)][std::size_t(i)]), colour,
                          tip});
    }
    return marks;
}

} // namespace

QChart* bumpChart(const RankMatrix& matrix, const QList<int>& highlighted,
                  const Regional& regional) {
    auto* chart = new QChart;
    chart->setTitle(QCoreApplication::translate("RankCharts", "Ranghi nei metodi confrontati"));
    chart->legend()->setVisible(false);
    const int n = matrix.units();
    if (n == 0 || matrix.methodCount() == 0)
        return chart;

    QList<int> shown = bumpUnits(matrix, highlighted);
    const QList<int>& bold = n <= kBumpLimit || !highlighted.isEmpty() ? highlighted : QList<int>();
    if (shown.size() < n)
        chart->setTitle(chart->title() + bumpSubtitle(shown.size(), n, !bold.isEmpty()));
    std::stable_partition(shown.begin(), shown.end(), [&](int i) { return !bold.contains(i); });

    QCategoryAxis* methodAxis = methodAxisOf(matrix);
    chart->addAxis(methodAxis, Qt::AlignBottom);
    const auto [lowest, highest] = drawnRanks(matrix, shown);
    QCategoryAxis* ranks =
        rankAxis(lowest, highest, QCoreApplication::translate("RankCharts", "Rango"), regional);
    chart->addAxis(ranks, Qt::AlignLeft);
    const QList<UnitMark> marks =
        addBumpLines(chart, matrix, shown, bold, methodAxis, ranks, regional);
    addUnitMarks(chart, marks, methodAxis, ranks);
    return chart;
}

namespace {

// The scatter of many units in groups of consecutive ranks under the
// horizontal method: each group's median rank under the vertical one as a
// line over the diagonal, the band from its 5th to its 95th percentile
// under both.
void addRankGroups(QChart* chart, const RankMatrix& matrix, int a, int b, QLineSeries* diagonal,
                   const Regional& regional) {
    const std::vector<RankBin> bins = rankBins(matrix, a, b, kScatterBins);
    auto* median = new QLineSeries;
    median->setName(QCoreApplication::translate("RankCharts", "Mediana del gruppo"));
    median->setPen(QPen(chartpalette::kMedian, 2.0));
    auto* low = new QLineSeries;
    auto* high = new QLineSeries;
    for (const RankBin& bin : bins) {
        const double x = (bin.fromRank + bin.toRank) / 2.0;
        median->append(x, bin.median);
        low->append(x, bin.p5);
        high->append(x, bin.p95);
    }
    const QString first = matrix.methods[a];
    const QString second = matrix.methods[b];
    setHoverTips(median, [bins, first, second, regional](QPointF at) {
        const auto bin =
            std::min_element(bins.begin(), bins.end(), [at](const auto& x, const auto& y) {
                return std::abs((x.fromRank + x.toRank) / 2.0 - at.x()) <
                       std::abs((y.fromRank + y.toRank) / 2.0 - at.x());
            });
        if (bin == bins.end())
            return QString();
        return QCoreApplication::translate(
                   "RankCharts", "Ranghi %1-%2 in %3\nmediana in %4: %5\n5°-95° percentile: %6-%7")
            .arg(rankText(bin->fromRank, regional), rankText(bin->toRank, regional), first, second,
                 medianRankText(bin->median, regional), rankText(bin->p5, regional),
                 rankText(bin->p95, regional));
    });
    auto* band = new QAreaSeries(high, low);
    band->setName(QCoreApplication::translate("RankCharts", "5°-95° percentile del gruppo"));
    QColor fill = chartpalette::kIntervalFill;
    fill.setAlpha(0xb0);
    band->setColor(fill);
    band->setBorderColor(chartpalette::kIntervalBorder);
    chart->addSeries(band);
    chart->addSeries(diagonal);
    chart->addSeries(median);
    chart->setTitle(
        QCoreApplication::translate(
            "RankCharts", "Ranghi: %1 e %2 (aggregati: %3 unità in %4 gruppi per rango in %1)")
            .arg(first, second)
            .arg(rankText(matrix.units(), regional))
            .arg(bins.size()));
}

void addUnitPoints(QChart* chart, const RankMatrix& matrix, int a, int b,
                   const Regional& regional) {
    const int n = matrix.units();
    auto* points = new QScatterSeries;
    points->setName(QCoreApplication::translate("RankCharts", "Unità"));
    points->setMarkerSize(7);
    points->setColor(chartpalette::kIntervalBorder);
    points->setBorderColor(chartpalette::kIntervalBorder);
    QList<QPointF> xy;
    xy.reserve(n);
    for (int i = 0; i < n; ++i)
        xy.append(QPointF(matrix.ranks[std::size_t(a)][std::size_t(i)],
                          matrix.ranks[std::size_t(b)][std::size_t(i)]));
    points->replace(xy);
    // Every unit at the place hovered (tied ranks share one).
    setHoverTips(points, [matrix, xy, regional](QPointF at) {
        QStringList tips;
        for (qsizetype i = 0; i < xy.size(); ++i)
            if (std::abs(xy[i].x() - at.x()) < 0.5 && std::abs(xy[i].y() - at.y()) < 0.5)
                tips.append(unitRanksTip(matrix, int(i), regional));
        return tips.join(QStringLiteral("\n\n"));
    });
    chart->addSeries(points);
}

} // namespace

QChart* rankScatterChart(const RankMatrix& matrix, int a, int b, const Regional& regional,
                         const QList<int>& highlighted) {
    auto* chart = new QChart;
    const int n = matrix.units();
    if (n == 0 || a < 0 || b < 0 || a >= matrix.methodCount() || b >= matrix.methodCount())
        return chart;
    auto* diagonal = new QLineSeries;
    diagonal->setName(QCoreApplication::translate("RankCharts", "Stesso rango"));
    diagonal->append(1, 1);
    diagonal->append(n, n);
    diagonal->setPen(QPen(chartpalette::kGuide, 1.0, Qt::DashLine));
    if (n > kScatterLimit) {
        // The diagonal over the band, under the medians.
        addRankGroups(chart, matrix, a, b, diagonal, regional);
    } else {
        chart->addSeries(diagonal);
        chart->setTitle(QCoreApplication::translate("RankCharts", "Ranghi: %1 e %2")
                            .arg(matrix.methods[a], matrix.methods[b]));
        addUnitPoints(chart, matrix, a, b, regional);
    }
    QCategoryAxis* x = rankAxis(n, matrix.methods[a], regional, true);
    QCategoryAxis* y = rankAxis(n, matrix.methods[b], regional);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    QList<UnitMark> marks;
    for (const int i : highlighted)
        if (i >= 0 && i < n)
            marks.append({matrix.labels[i],
                          QPointF(matrix.ranks[std::size_t(a)][std::size_t(i)],
                                  matrix.ranks[std::size_t(b)][std::size_t(i)]),
                          chartpalette::kReference, unitRanksTip(matrix, i, regional)});
    addUnitMarks(chart, marks, x, y);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}
