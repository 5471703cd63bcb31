#include "ui/audit/auditcharts.h"

#include "ui/charts/charttips.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

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
    set->setColor(QColor(0x4a, 0x7f, 0xa8));
    QStringList edges;
    int highest = 0;
    for (int b = 0; b < bins; ++b) {
        const int count = histogram.counts[std::size_t(b)];
        set->append(count);
        highest = std::max(highest, count);
        edges.append(regional.locale().toString(histogram.edge(b), 'g', 4));
    }
    auto* series = new QBarSeries;
    series->setBarWidth(1.0);
    series->append(set);
    const QLocale locale = regional.locale();
    setBarTips(series, [histogram, locale](int b) {
        return QCoreApplication::translate("AuditCharts", "Da %1 a %2: %3 unità")
            .arg(locale.toString(histogram.edge(b), 'g', 4),
                 locale.toString(histogram.edge(b + 1), 'g', 4))
            .arg(histogram.counts.at(std::size_t(b)));
    });
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(edges);
    x->setLabelsAngle(-90);
    auto* y = new QValueAxis;
    // Whole counts on the ticks: one a unit up to ten, else round steps.
    y->setRange(0, std::max(highest, 1));
    if (highest <= 10)
        y->setTickCount(std::max(highest, 1) + 1);
    else
        y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QCoreApplication::translate("AuditCharts", "Unità"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    return chart;
}

QChart* screeChart(const QString& group, const std::vector<double>& eigenvalues) {
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
    one->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    auto* x = new QValueAxis;
    x->setRange(1, std::max(k, 2));
    x->setTickCount(std::min(std::max(k, 2), 11));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTitleText(QCoreApplication::translate("AuditCharts", "Componente"));
    auto* y = new QValueAxis;
    y->setRange(0, std::max(1.0, eigenvalues.front()) * 1.1);
    y->setTitleText(QCoreApplication::translate("AuditCharts", "Autovalore"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(one), static_cast<QXYSeries*>(line),
                              static_cast<QXYSeries*>(points)}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    points->setColor(line->color());
    setHoverTips(points, [](QPointF at) {
        return QCoreApplication::translate("AuditCharts", "Componente %1: autovalore %2")
            .arg(qRound(at.x()))
            .arg(QLocale().toString(at.y(), 'f', 3));
    });
    return chart;
}
