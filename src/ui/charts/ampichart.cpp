#include "ui/charts/ampichart.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

AmpiChart::AmpiChart(QWidget* parent) : QWidget(parent) {
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_x = new QBarCategoryAxis;
    m_y = new QValueAxis;
    m_y->setLabelFormat(QStringLiteral("%.0f"));
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
    QValueAxis* y = m_y;
    x->setCategories(periods);

    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (std::size_t u = 0; u < values.size(); ++u) {
        auto* series = new QLineSeries;
        series->setName(units[qsizetype(u)]);
        series->setPointsVisible(true);
        for (std::size_t p = 0; p < values[u].size(); ++p) {
            series->append(double(p), values[u][p]);
            low = std::min(low, values[u][p]);
            high = std::max(high, values[u][p]);
        }
        m_chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    if (low <= high)
        y->setRange(low - 2.0, high + 2.0);
    y->applyNiceNumbers();
}

int AmpiChart::lineCount() const {
    return int(m_chart->series().size());
}
