#include "ui/audit/auditcharts.h"

#include "ui/charts/axisticks.h"
#include "ui/charts/chartpalette.h"
#include "ui/charts/charttips.h"
#include "ui/charts/rankaxis.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>

#include <algorithm>
#include <cmath>

namespace {

QChart* bareChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

} // namespace

QChart* histogramChart(const QString& indicator, const Histogram& histogram,
                       const Regional& regional) {
    QChart* chart =
        bareChart(QCoreApplication::translate("AuditCharts", "Distribuzione di %1").arg(indicator));
    const int bins = int(histogram.counts.size());
    if (bins == 0)
        return chart;
    auto* set = new QBarSet(indicator);
    set->setColor(chartpalette::kBars);
    const double width = (histogram.maximum - histogram.minimum) / bins;
    const auto edge = [&histogram, width](int b) { return histogram.minimum + b * width; };
    // The edges in as many decimals as tell two apart, at most four.
    const int decimals = width > 0 ? std::clamp(1 - int(std::floor(std::log10(width))), 0, 4) : 4;
    const QLocale locale = regional.locale();
    const auto edgeText = [locale, decimals, &edge](int b) {
        const double value = edge(b);
        return locale.toString(std::abs(value) < std::pow(10.0, -decimals) / 2 ? 0.0 : value, 'f',
                               decimals);
    };
    int highest = 0;
    for (int b = 0; b < bins; ++b) {
        const int count = histogram.counts[std::size_t(b)];
        set->append(count);
        highest = std::max(highest, count);
    }
    auto* series = new QBarSeries;
    series->setBarWidth(1.0);
    series->append(set);
    QStringList edges;
    for (int b = 0; b <= bins; ++b)
        edges.append(edgeText(b));
    setBarTips(series, [histogram, edges](int b) {
        return QCoreApplication::translate("AuditCharts", "Da %1 a %2: %3 unità")
            .arg(edges.value(b), edges.value(b + 1))
            .arg(histogram.counts.at(std::size_t(b)));
    });
    chart->addSeries(series);
    // Bar b spans b - 0.5 to b + 0.5: the edges are labelled where they
    // are, every one or every few so that at most eleven show.
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setStartValue(-0.5);
    const int every = (bins + 9) / 10;
    for (int b = 0; b <= bins; b += every)
        x->append(edges[b], b - 0.5);
    x->setRange(-0.5, bins - 0.5);
    x->setTitleText(indicator);
    QCategoryAxis* y = tickedAxis(roundTicks(0, std::max(highest, 1), 8, true),
                                  QCoreApplication::translate("AuditCharts", "Unità"), regional);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    return chart;
}

QChart* screeChart(const QString& group, const std::vector<double>& eigenvalues,
                   const Regional& regional) {
    QChart* chart =
        bareChart(QCoreApplication::translate("AuditCharts", "Autovalori: %1").arg(group));
    const int k = int(eigenvalues.size());
    if (k == 0)
        return chart;
    auto* line = new QLineSeries;
    auto* points = new QScatterSeries;
    points->setMarkerSize(8);
    for (int i = 0; i < k; ++i) {
        line->append(i + 1, eigenvalues[std::size_t(i)]);
        points->append(i + 1, eigenvalues[std::size_t(i)]);
    }
    auto* one = new QLineSeries;
    one->append(1, 1.0);
    one->append(std::max(k, 2), 1.0);
    one->setPen(QPen(chartpalette::kGuide, 1, Qt::DashLine));
    QCategoryAxis* x = rankAxis(
        std::max(k, 2), QCoreApplication::translate("AuditCharts", "Componente"), regional, true);
    QCategoryAxis* y =
        tickedAxis(roundTicks(0, std::max(1.0, eigenvalues.front()), 8),
                   QCoreApplication::translate("AuditCharts", "Autovalore"), regional);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(one), static_cast<QXYSeries*>(line),
                              static_cast<QXYSeries*>(points)}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    line->setColor(chartpalette::kIntervalBorder);
    points->setColor(chartpalette::kIntervalBorder);
    setHoverTips(points, [regional](QPointF at) {
        return QCoreApplication::translate("AuditCharts", "Componente %1: autovalore %2")
            .arg(qRound(at.x()))
            .arg(regional.indexText(at.y()));
    });
    return chart;
}
