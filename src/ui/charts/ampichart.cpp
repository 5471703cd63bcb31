#include "ui/charts/ampichart.h"

#include "ui/charts/axisticks.h"
#include "ui/charts/chartpalette.h"
#include "ui/charts/charttips.h"
#include "ui/charts/unitmarks.h"

#include <QBarCategoryAxis>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QVBoxLayout>

#include <algorithm>

AmpiChart::AmpiChart(const Regional& regional, QWidget* parent)
    : QWidget(parent), m_regional(regional) {
    m_chart = new QChart;
    // The units are named beside their lines and in their tooltips.
    m_chart->legend()->setVisible(false);
    m_x = new QBarCategoryAxis;
    m_x->setTitleText(tr("Periodo"));
    m_y = new QCategoryAxis;
    m_y->setTitleText(tr("Valore (rif. 100)"));
    m_y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_chart->addAxis(m_x, Qt::AlignBottom);
    m_chart->addAxis(m_y, Qt::AlignLeft);
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("chartAmpi"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumHeight(260);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void AmpiChart::show(const QString& title, const QStringList& periods, const QStringList& units,
                     const std::vector<std::vector<double>>& values) {
    m_chart->removeAllSeries();
    m_chart->setTitle(title);
    // Period p sits at x = p, under its name.
    QBarCategoryAxis* x = m_x;
    QCategoryAxis* y = m_y;
    x->setCategories(periods);

    // The reference level of the index, 100, always in view.
    double low = 100.0;
    double high = 100.0;
    auto* reference = new QLineSeries;
    reference->setName(tr("Riferimento (100)"));
    reference->append(0, 100.0);
    reference->append(std::max<qsizetype>(periods.size() - 1, 1), 100.0);
    reference->setPen(QPen(chartpalette::kGuide, 1.0, Qt::DashLine));
    m_chart->addSeries(reference);
    reference->attachAxis(x);
    reference->attachAxis(y);

    QList<UnitMark> marks;
    for (std::size_t u = 0; u < values.size(); ++u) {
        auto* series = new QLineSeries;
        series->setName(units[qsizetype(u)]);
        series->setPointsVisible(true);
        series->setPen(QPen(chartpalette::lineColour(int(u)), 2.0));
        QStringList lines;
        for (std::size_t p = 0; p < values[u].size(); ++p) {
            series->append(double(p), values[u][p]);
            low = std::min(low, values[u][p]);
            high = std::max(high, values[u][p]);
            lines.append(QStringLiteral("%1: %2").arg(periods.value(qsizetype(p)),
                                                      m_regional.indexText(values[u][p])));
        }
        const QString tip = unitTip(units[qsizetype(u)], lines);
        setHoverTips(series, [tip](QPointF) { return tip; });
        m_chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        if (!values[u].empty())
            marks.append(
                {units[qsizetype(u)], series->at(series->count() - 1), series->color(), tip});
    }
    m_lineCount = int(values.size());
    addUnitMarks(m_chart, marks, x, y);
    // The ticks of tickedAxis, on the axis the chart keeps.
    const AxisTicks ticks = roundTicks(low - 2.0, high + 2.0, 8);
    for (const QString& label : y->categoriesLabels())
        y->remove(label);
    y->setStartValue(ticks.values.front());
    for (const double value : ticks.values)
        y->append(tickText(value, ticks, m_regional), value);
    y->setRange(ticks.values.front(), ticks.values.back());
}

int AmpiChart::lineCount() const {
    return m_lineCount;
}
