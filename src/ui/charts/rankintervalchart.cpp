#include "ui/charts/rankintervalchart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHorizontalStackedBarSeries>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QScrollBar>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <numeric>

RankIntervalChart::RankIntervalChart(QWidget* parent)
    : QWidget(parent), m_view(new QChartView(this)), m_scroll(new QScrollBar(Qt::Vertical, this)) {
    m_view->setObjectName(QStringLiteral("chartIntervalli"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_scroll->setObjectName(QStringLiteral("scrollIntervalli"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_scroll);
    connect(m_scroll, &QScrollBar::valueChanged, this, &RankIntervalChart::drawPage);
    clear();
}

void RankIntervalChart::clear() {
    m_labels.clear();
    m_units.clear();
    m_rankings = 0;
    m_scroll->setRange(0, 0);
    drawPage(0);
}

void RankIntervalChart::setUncertainty(const RankUncertainty& uncertainty) {
    std::vector<int> order(uncertainty.units.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const UnitUncertainty& x = uncertainty.units[std::size_t(a)];
        const UnitUncertainty& y = uncertainty.units[std::size_t(b)];
        return x.median != y.median ? x.median < y.median : x.reference < y.reference;
    });
    m_labels.clear();
    m_units.clear();
    for (const int i : order) {
        m_labels.append(uncertainty.labels[i]);
        m_units.push_back(uncertainty.units[std::size_t(i)]);
    }
    m_rankings = uncertainty.rankings;
    const int pages = std::max(0, int(m_units.size()) - kPage);
    m_scroll->setRange(0, pages);
    m_scroll->setPageStep(kPage);
    m_scroll->setSingleStep(1);
    m_scroll->setVisible(pages > 0);
    m_scroll->setValue(0);
    drawPage(0);
}

QStringList RankIntervalChart::shownLabels() const {
    return m_shown;
}

void RankIntervalChart::wheelEvent(QWheelEvent* event) {
    m_scroll->setValue(m_scroll->value() - event->angleDelta().y() / 40);
    event->accept();
}

void RankIntervalChart::drawPage(int first) {
    auto* chart = new QChart;
    QString title = tr("Intervalli dei ranghi su %1 graduatorie").arg(m_rankings);
    if (int(m_units.size()) > kPage)
        title += tr(" (unità %1-%2 di %3)")
                     .arg(first + 1)
                     .arg(std::min(int(m_units.size()), first + kPage))
                     .arg(m_units.size());
    chart->setTitle(m_units.empty() ? tr("Intervalli dei ranghi") : title);
    const int count = std::min(kPage, int(m_units.size()) - first);
    m_shown.clear();
    if (count > 0) {
        // Categories go from the bottom up: the first unit of the page last.
        auto* before = new QBarSet(QString());
        auto* interval = new QBarSet(tr("5°-95° percentile"));
        before->setColor(Qt::transparent);
        before->setBorderColor(Qt::transparent);
        interval->setColor(QColor(0x7f, 0xb8, 0xc4));
        interval->setBorderColor(QColor(0x2f, 0x6f, 0x7f));
        auto* medians = new QScatterSeries;
        medians->setName(tr("Mediana"));
        medians->setMarkerSize(8);
        medians->setColor(QColor(0x1d, 0x3f, 0x6e));
        medians->setBorderColor(QColor(0x1d, 0x3f, 0x6e));
        auto* references = new QScatterSeries;
        references->setName(tr("Rango di riferimento"));
        references->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        references->setMarkerSize(7);
        references->setColor(QColor(0xc0, 0x39, 0x2b));
        references->setBorderColor(QColor(0xc0, 0x39, 0x2b));
        QStringList categories;
        for (int k = count - 1; k >= 0; --k) {
            const UnitUncertainty& unit = m_units[std::size_t(first + k)];
            const int y = count - 1 - k;
            categories.append(m_labels[first + k]);
            // A unit with no spread keeps a thin bar so that it shows.
            *before << std::max(0.0, unit.p5 - 0.5);
            *interval << std::max(1.0, double(unit.p95 - unit.p5) + 1.0);
            medians->append(unit.median, y);
            references->append(unit.reference, y);
        }
        for (int k = 0; k < count; ++k)
            m_shown.append(m_labels[first + k]);
        auto* bars = new QHorizontalStackedBarSeries;
        bars->append(before);
        bars->append(interval);
        bars->setBarWidth(0.5);
        chart->addSeries(bars);
        chart->addSeries(medians);
        chart->addSeries(references);

        auto* unitsAxis = new QBarCategoryAxis;
        unitsAxis->append(categories);
        chart->addAxis(unitsAxis, Qt::AlignLeft);
        bars->attachAxis(unitsAxis);
        auto* positionAxis = new QValueAxis; // the scatter's y, aligned with the categories
        positionAxis->setRange(-0.5, count - 0.5);
        positionAxis->setVisible(false);
        chart->addAxis(positionAxis, Qt::AlignRight);
        medians->attachAxis(positionAxis);
        references->attachAxis(positionAxis);

        auto* rankAxis = new QValueAxis;
        rankAxis->setTitleText(tr("Rango"));
        rankAxis->setLabelFormat(QStringLiteral("%d"));
        rankAxis->setRange(0, double(m_units.size()) + 1);
        chart->addAxis(rankAxis, Qt::AlignBottom);
        bars->attachAxis(rankAxis);
        medians->attachAxis(rankAxis);
        references->attachAxis(rankAxis);
        // The spacer bar set has no place in the legend.
        chart->legend()->markers(bars).first()->setVisible(false);
        chart->legend()->setAlignment(Qt::AlignBottom);
    }
    QChart* old = m_view->chart();
    m_view->setChart(chart);
    delete old;
}
