#include "ui/charts/sobolchart.h"

#include "ui/charts/axisticks.h"
#include "ui/charts/chartpalette.h"
#include "ui/charts/charttips.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>

#include <algorithm>

namespace {

// The share of a category its two bars take, and each bar's.
constexpr double kBarsWidth = 0.6;
constexpr double kBarWidth = kBarsWidth / 2;

QString intervalText(const IntervalEstimate& estimate, const Regional& regional) {
    return QCoreApplication::translate("SobolChart", "%1 (90%: %2 - %3)")
        .arg(regional.indexText(estimate.value), regional.indexText(estimate.p5),
             regional.indexText(estimate.p95));
}

// The 90% interval of a bar as a whisker: a vertical line with a cap at
// each end, centred on the bar.
QLineSeries* whisker(double x, const IntervalEstimate& estimate) {
    auto* line = new QLineSeries;
    const double cap = kBarWidth / 4;
    for (const QPointF at :
         {QPointF(x - cap, estimate.p5), QPointF(x + cap, estimate.p5), QPointF(x, estimate.p5),
          QPointF(x, estimate.p95), QPointF(x - cap, estimate.p95), QPointF(x + cap, estimate.p95)})
        line->append(at);
    line->setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    return line;
}

// A note under the plot and its legend, wrapped to the chart's width.
void addNote(QChart* chart, const QString& text) {
    auto* note = new QGraphicsTextItem(chart);
    note->setPlainText(text);
    QFont font = chart->titleFont();
    font.setBold(false);
    font.setPointSizeF(font.pointSizeF() * 0.85);
    note->setFont(font);
    const QMargins margins = chart->margins();
    const auto place = [chart, note, margins] {
        const QSizeF size = chart->size();
        note->setTextWidth(std::max(50.0, size.width() - margins.left() - margins.right() - 20));
        const qreal height = note->boundingRect().height();
        note->setPos(margins.left() + 10, size.height() - height - 4);
        QMargins room = margins;
        room.setBottom(margins.bottom() + int(height) + 4);
        if (chart->margins() != room)
            chart->setMargins(room);
    };
    QObject::connect(chart, &QChart::geometryChanged, note, place);
    place();
}

// The bars of the first-order and total indices, one category a factor,
// with the extent of the estimates and their intervals (0 to 1 at least)
// and the estimates beyond 1, named.
struct SobolBars {
    QBarSet* first = new QBarSet(QCoreApplication::translate("SobolChart", "Primo ordine (Si)"));
    QBarSet* total = new QBarSet(QCoreApplication::translate("SobolChart", "Totale (STi)"));
    QStringList factors;
    QStringList beyond;
    double top = 1.0;
    double bottom = 0.0;
};

SobolBars sobolBars(const MonteCarloResult& result, const std::vector<FactorIndices>& indices,
                    const Regional& regional) {
    SobolBars bars;
    bars.first->setColor(chartpalette::kFirstOrder);
    bars.first->setBorderColor(chartpalette::kFirstOrder);
    bars.total->setColor(chartpalette::kTotalOrder);
    bars.total->setBorderColor(chartpalette::kTotalOrder);
    for (std::size_t i = 0; i < result.factors.size(); ++i) {
        const FactorIndices& f = indices[i];
        bars.factors.append(monteCarloFactorShownName(result.factors[i]));
        bars.first->append(f.first.value);
        bars.total->append(f.total.value);
        bars.top = std::max({bars.top, f.first.value, f.total.value, f.first.p95, f.total.p95});
        bars.bottom = std::min({bars.bottom, f.first.value, f.total.value, f.first.p5, f.total.p5});
        if (f.first.value > 1.0)
            bars.beyond.append(QStringLiteral("Si %1: %2")
                                   .arg(bars.factors.last(), regional.indexText(f.first.value)));
        if (f.total.value > 1.0)
            bars.beyond.append(QStringLiteral("STi %1: %2")
                                   .arg(bars.factors.last(), regional.indexText(f.total.value)));
    }
    return bars;
}

// The whiskers of the 90% intervals, out of the legend.
void addWhiskers(QChart* chart, const std::vector<FactorIndices>& indices, QAbstractAxis* x,
                 QAbstractAxis* y) {
    for (std::size_t i = 0; i < indices.size(); ++i)
        for (int s = 0; s < 2; ++s) {
            QLineSeries* line = whisker(double(i) - kBarsWidth / 2 + (s + 0.5) * kBarWidth,
                                        s == 0 ? indices[i].first : indices[i].total);
            chart->addSeries(line);
            line->attachAxis(x);
            line->attachAxis(y);
            for (QLegendMarker* marker : chart->legend()->markers(line))
                marker->setVisible(false);
        }
}

QString sobolNote(const QStringList& beyond) {
    QString note = QCoreApplication::translate(
        "SobolChart", "Barre: stima dell'indice; baffi: intervallo al 90% sulle estrazioni.");
    if (!beyond.isEmpty())
        note +=
            u' ' + QCoreApplication::translate(
                       "SobolChart",
                       "Oltre 1 (%1): con poche estrazioni la stima può superare 1, che l'indice "
                       "vero non supera; più estrazioni la avvicinano.")
                       .arg(beyond.join(QStringLiteral("; ")));
    return note;
}

} // namespace

QChart* sobolChart(const MonteCarloResult& result, const Regional& regional) {
    auto* chart = new QChart;
    chart->setTitle(QCoreApplication::translate("SobolChart", "Indici di Sobol"));
    if (!result.indices) {
        chart->setTitle(
            QCoreApplication::translate("SobolChart", "Indici di Sobol: nessun rango si è mosso"));
        return chart;
    }
    const std::vector<FactorIndices> indices = *result.indices;
    const SobolBars bars = sobolBars(result, indices, regional);
    auto* series = new QBarSeries;
    series->setBarWidth(kBarsWidth);
    series->append(bars.first);
    series->append(bars.total);
    setBarSetTips(series, [indices, first = bars.first, regional](int index, const QBarSet* set) {
        if (index < 0 || index >= int(indices.size()))
            return QString();
        const FactorIndices& f = indices[std::size_t(index)];
        return intervalText(set == first ? f.first : f.total, regional);
    });
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    for (const QString& factor : bars.factors)
        categories->append(twoLineLabel(factor));
    categories->setTitleText(QCoreApplication::translate("SobolChart", "Fattore d'incertezza"));
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    const AxisTicks ticks = roundTicks(bars.bottom, bars.top, 8);
    QCategoryAxis* values = tickedAxis(
        ticks, QCoreApplication::translate("SobolChart", "Quota della varianza"), regional);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    addWhiskers(chart, indices, categories, values);
    chart->legend()->setAlignment(Qt::AlignBottom);
    addNote(chart, sobolNote(bars.beyond));
    return chart;
}
