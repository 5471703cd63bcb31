#include "ui/charts/rankcharts.h"

#include "robustness/rankbins.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QFont>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

QValueAxis* rankAxis(int units, const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setRange(0, units + 1);
    // Ticks on whole ranks, at most about ten: a step of 1, 2, 5, 10, 20, ...
    int step = 1;
    for (int factor = 0; units / step > 10; factor = (factor + 1) % 3)
        step = factor == 1 ? step * 5 / 2 : step * 2;
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setReverse(true);
    return axis;
}

} // namespace

QChart* bumpChart(const RankMatrix& matrix, const QList<int>& highlighted) {
    auto* chart = new QChart;
    chart->setTitle(QCoreApplication::translate("RankCharts", "Ranghi nei metodi confrontati"));
    const int n = matrix.units();
    const int k = matrix.methodCount();
    if (n == 0 || k == 0)
        return chart;

    QList<int> shown;
    QList<int> bold = highlighted;
    if (n <= kBumpLimit) {
        for (int i = 0; i < n; ++i)
            shown.append(i);
    } else if (!highlighted.isEmpty()) {
        shown = highlighted;
    } else {
        for (int i = 0; i < n; ++i)
            if (matrix.ranks[0][std::size_t(i)] <= kBumpLimit)
                shown.append(i);
        bold.clear();
    }
    std::stable_partition(shown.begin(), shown.end(), [&](int i) { return !bold.contains(i); });

    auto* methodAxis = new QCategoryAxis;
    methodAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int m = 0; m < k; ++m)
        methodAxis->append(matrix.methods[m], m);
    methodAxis->setRange(-0.2, k - 0.8);
    QFont small = methodAxis->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    methodAxis->setLabelsFont(small);
    chart->addAxis(methodAxis, Qt::AlignBottom);
    QValueAxis* ranks = rankAxis(n, QCoreApplication::translate("RankCharts", "Rango"));
    chart->addAxis(ranks, Qt::AlignLeft);

    const QList<QColor> palette{QColor(0xc0, 0x39, 0x2b), QColor(0x1f, 0x77, 0xb4),
                                QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd),
                                QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b)};
    int colour = 0;
    for (const int i : shown) {
        auto* line = new QLineSeries;
        for (int m = 0; m < k; ++m)
            line->append(m, matrix.ranks[std::size_t(m)][std::size_t(i)]);
        const bool strong = bold.contains(i);
        QPen pen(strong ? palette[colour++ % palette.size()] : QColor(0xb0, 0xb0, 0xb0));
        pen.setWidthF(strong ? 3.0 : 1.0);
        line->setPen(pen);
        line->setName(matrix.labels[i]);
        chart->addSeries(line);
        line->attachAxis(methodAxis);
        line->attachAxis(ranks);
        // The legend names the highlighted units only.
        if (!strong)
            for (QLegendMarker* marker : chart->legend()->markers(line))
                marker->setVisible(false);
    }
    chart->legend()->setVisible(!bold.isEmpty());
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

namespace {

// The scatter of many units in groups of consecutive ranks under the
// horizontal method: each group's median rank under the vertical one as a
// line over the diagonal, the band from its 5th to its 95th percentile
// under both.
void addRankGroups(QChart* chart, const RankMatrix& matrix, int a, int b, QLineSeries* diagonal) {
    const std::vector<RankBin> bins = rankBins(matrix, a, b, kScatterBins);
    auto* median = new QLineSeries;
    median->setName(QCoreApplication::translate("RankCharts", "Mediana del gruppo"));
    median->setPen(QPen(QColor(0x1d, 0x3f, 0x6e), 2.0));
    auto* low = new QLineSeries;
    auto* high = new QLineSeries;
    for (const RankBin& bin : bins) {
        const double x = (bin.fromRank + bin.toRank) / 2.0;
        median->append(x, bin.median);
        low->append(x, bin.p5);
        high->append(x, bin.p95);
    }
    auto* band = new QAreaSeries(high, low);
    band->setName(QCoreApplication::translate("RankCharts", "5°-95° percentile del gruppo"));
    band->setColor(QColor(0x7f, 0xb8, 0xc4, 0xb0));
    band->setBorderColor(QColor(0x2f, 0x6f, 0x7f));
    chart->addSeries(band);
    chart->addSeries(diagonal);
    chart->addSeries(median);
    chart->setTitle(
        QCoreApplication::translate(
            "RankCharts", "Ranghi: %1 e %2 (aggregati: %3 unità in %4 gruppi per rango in %1)")
            .arg(matrix.methods[a], matrix.methods[b])
            .arg(matrix.units())
            .arg(bins.size()));
}

} // namespace

QChart* rankScatterChart(const RankMatrix& matrix, int a, int b) {
    auto* chart = new QChart;
    const int n = matrix.units();
    if (n == 0 || a < 0 || b < 0 || a >= matrix.methodCount() || b >= matrix.methodCount())
        return chart;
    auto* diagonal = new QLineSeries;
    diagonal->setName(QCoreApplication::translate("RankCharts", "Stesso rango"));
    diagonal->append(1, 1);
    diagonal->append(n, n);
    diagonal->setPen(QPen(QColor(0x99, 0x99, 0x99), 1.0, Qt::DashLine));
    if (n > kScatterLimit) {
        // The diagonal over the band, under the medians.
        addRankGroups(chart, matrix, a, b, diagonal);
    } else {
        chart->addSeries(diagonal);
        chart->setTitle(QCoreApplication::translate("RankCharts", "Ranghi: %1 e %2")
                            .arg(matrix.methods[a], matrix.methods[b]));
        auto* points = new QScatterSeries;
        points->setName(QCoreApplication::translate("RankCharts", "Unità"));
        points->setMarkerSize(7);
        points->setColor(QColor(0x1f, 0x77, 0xb4));
        points->setBorderColor(QColor(0x1f, 0x77, 0xb4));
        QList<QPointF> xy;
        xy.reserve(n);
        for (int i = 0; i < n; ++i)
            xy.append(QPointF(matrix.ranks[std::size_t(a)][std::size_t(i)],
                              matrix.ranks[std::size_t(b)][std::size_t(i)]));
        points->replace(xy);
        chart->addSeries(points);
    }
    QValueAxis* x = rankAxis(n, matrix.methods[a]);
    QValueAxis* y = rankAxis(n, matrix.methods[b]);
    x->setReverse(false);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}
