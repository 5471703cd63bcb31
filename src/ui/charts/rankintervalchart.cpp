#include "ui/charts/rankintervalchart.h"

#include "robustness/rankstatistics.h"
#include "ui/charts/chartlegend.h"
#include "ui/charts/chartpalette.h"
#include "ui/charts/charttips.h"
#include "ui/charts/rankaxis.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QScrollBar>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// What a chart of the page takes beside its rows: title, rank axis with
// its title, legend and margins.
constexpr int kChartFrame = 150;
// The share of the chart's width its vertical axes may take, and what the
// units axis takes beside its labels (its title, ticks and margins).
constexpr double kAxisShare = 0.38;
constexpr int kAxisFrame = 45;
constexpr qreal kSmallestLabels = 6.0;

} // namespace

RankIntervalChart::RankIntervalChart(const Regional& regional, QWidget* parent)
    : QWidget(parent), m_regional(regional), m_view(new QChartView(this)),
      m_scroll(new QScrollBar(Qt::Vertical, this)) {
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
    m_index.clear();
    m_highlighted.clear();
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
    m_index = order;
    m_highlighted.assign(order.size(), false);
    m_rankings = uncertainty.rankings;
    updateScrollRange();
    m_scroll->setValue(0);
    drawPage(0);
}

void RankIntervalChart::setHighlighted(const QList<int>& units) {
    std::vector<bool> chosen(m_index.size(), false);
    for (const int unit : units)
        if (unit >= 0 && std::size_t(unit) < chosen.size())
            chosen[std::size_t(unit)] = true;
    std::vector<bool> bySorted(m_index.size(), false);
    for (std::size_t s = 0; s < m_index.size(); ++s)
        bySorted[s] = chosen[std::size_t(m_index[s])];
    if (bySorted == m_highlighted)
        return;
    m_highlighted = std::move(bySorted);
    // The first highlighted unit comes into view when none is.
    const auto begin = m_highlighted.begin();
    const auto end = begin + std::min(m_first + pageSize(), int(m_highlighted.size()));
    const auto first = std::find(begin, m_highlighted.end(), true);
    if (first != m_highlighted.end() && std::find(begin + m_first, end, true) == end) {
        const int place = std::min(int(first - begin), m_scroll->maximum());
        if (place != m_scroll->value()) {
            m_scroll->setValue(place); // which draws the page
            return;
        }
    }
    drawPage(m_first);
}

QStringList RankIntervalChart::shownLabels() const {
    return m_shown;
}

QStringList RankIntervalChart::highlightedLabels() const {
    QStringList labels;
    for (int k = 0; k < m_shown.size(); ++k)
        if (m_highlighted[std::size_t(m_first + k)])
            labels.append(m_shown[k]);
    return labels;
}

QString RankIntervalChart::unitTipAt(int row) const {
    if (row < 0 || row >= m_shown.size())
        return QString();
    return unitTip(std::size_t(m_first + row));
}

QString RankIntervalChart::unitTip(std::size_t sorted) const {
    const UnitUncertainty& unit = m_units[sorted];
    const QLocale& locale = m_regional.locale();
    return ::unitTip(
        m_labels[qsizetype(sorted)],
        {tr("Mediana: %1").arg(medianRankText(unit.median, m_regional)),
         tr("5°-95° percentile: %1-%2").arg(locale.toString(unit.p5), locale.toString(unit.p95)),
         tr("Migliore e peggiore: %1-%2")
             .arg(locale.toString(unit.best), locale.toString(unit.worst)),
         tr("Rango di riferimento: %1").arg(locale.toString(unit.reference))});
}

void RankIntervalChart::setPlain(bool plain) {
    if (plain == m_plain)
        return;
    m_plain = plain;
    drawPage(m_first);
}

void RankIntervalChart::wheelEvent(QWheelEvent* event) {
    m_scroll->setValue(m_scroll->value() - event->angleDelta().y() / 40);
    event->accept();
}

qreal RankIntervalChart::labelPointSize(int first, int count) const {
    const QFont font = m_view->font();
    if (!isVisible())
        return font.pointSizeF();
    const QFontMetricsF metrics(font);
    qreal widest = 1;
    for (int k = first; k < first + count && k < m_labels.size(); ++k)
        widest = std::max(widest, metrics.horizontalAdvance(m_labels[k]));
    // The chart cuts labels wider than its axes may be; smaller type keeps
    // them whole.
    const qreal room = kAxisShare * m_view->width() - kAxisFrame;
    if (widest <= room)
        return font.pointSizeF();
    return std::max(kSmallestLabels, std::floor(font.pointSizeF() * room / widest * 4) / 4);
}

void RankIntervalChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitToView();
}

void RankIntervalChart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToView();
}

void RankIntervalChart::fitToView() {
    if (pageSize() != m_drawnPage || labelPointSize(m_first, m_drawnPage) != m_drawnLabelSize) {
        updateScrollRange();
        drawPage(std::min(m_first, m_scroll->maximum()));
    }
}

int RankIntervalChart::pageSize() const {
    if (!isVisible())
        return kPage;
    // A row as high as a label with the margins the chart draws around it:
    // a label higher than its row is cut.
    const int row = m_view->fontMetrics().height() + 10;
    return std::clamp((m_view->height() - kChartFrame) / row, 5, kPage);
}

void RankIntervalChart::updateScrollRange() {
    const int page = pageSize();
    const int pages = std::max(0, int(m_units.size()) - page);
    const QSignalBlocker block(m_scroll);
    m_scroll->setRange(0, pages);
    m_scroll->setPageStep(page);
    m_scroll->setSingleStep(1);
    m_scroll->setVisible(pages > 0);
}

// The series of a page: the intervals as stacked bars (a transparent
// spacer up to each 5th percentile, then the interval, drawn in the bar set
// of the highlighted units for those), the medians' dots and the
// reference ranks' squares.
struct RankIntervalChart::PageSeries {
    QHorizontalStackedBarSeries* bars = new QHorizontalStackedBarSeries;
    QBarSet* before = new QBarSet(QString());
    QBarSet* interval = new QBarSet(tr("5°-95° percentile"));
    QBarSet* chosen = new QBarSet(tr("Unità selezionate"));
    QScatterSeries* medians = new QScatterSeries;
    QScatterSeries* references = new QScatterSeries;

    PageSeries() {
        before->setColor(Qt::transparent);
        before->setBorderColor(Qt::transparent);
        interval->setColor(chartpalette::kIntervalFill);
        interval->setBorderColor(chartpalette::kIntervalBorder);
        chosen->setColor(chartpalette::kChosenFill);
        chosen->setBorderColor(chartpalette::kChosenBorder);
        medians->setName(tr("Mediana"));
        medians->setMarkerSize(7);
        medians->setColor(chartpalette::kMedian);
        medians->setBorderColor(chartpalette::kMedian);
        // An outline around the median's dot, which stays seen inside it
        // when the two ranks are one.
        references->setName(tr("Rango di riferimento"));
        references->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        references->setMarkerSize(13);
        references->setColor(Qt::transparent);
        references->setPen(QPen(chartpalette::kReference, 2));
    }
};

QString RankIntervalChart::pageTitle(int first, int page) const {
    if (m_units.empty())
        return tr("Intervalli dei ranghi");
    const int total = int(m_units.size());
    QString title = tr("Intervalli dei ranghi su %1 graduatorie").arg(m_rankings);
    if (total > page)
        title +=
            tr(" (unità %1-%2 di %3)").arg(first + 1).arg(std::min(total, first + page)).arg(total);
    return title;
}

bool RankIntervalChart::fillPage(PageSeries& series, int first, int count,
                                 QStringList& categories) const {
    // Categories go from the bottom up: the first unit of the page last.
    bool anyChosen = false;
    for (int k = count - 1; k >= 0; --k) {
        const std::size_t sorted = std::size_t(first + k);
        const UnitUncertainty& unit = m_units[sorted];
        const int y = count - 1 - k;
        categories.append(m_labels[first + k]);
        // A unit with no spread keeps a thin bar so that it shows.
        const double width = std::max(1.0, double(unit.p95 - unit.p5) + 1.0);
        const bool highlighted = !m_plain && m_highlighted[sorted];
        anyChosen = anyChosen || highlighted;
        *series.before << std::max(0.0, unit.p5 - 0.5);
        *series.interval << (highlighted ? 0.0 : width);
        *series.chosen << (highlighted ? width : 0.0);
        series.medians->append(unit.median, y);
        series.references->append(unit.reference, y);
    }
    series.bars->append(series.before);
    series.bars->append(series.interval);
    series.bars->append(series.chosen);
    series.bars->setBarWidth(0.5);
    return anyChosen;
}

void RankIntervalChart::addPageAxes(QChart* chart, const PageSeries& series,
                                    const QStringList& categories, int first) {
    const int count = int(categories.size());
    auto* unitsAxis = new QBarCategoryAxis;
    unitsAxis->append(categories);
    unitsAxis->setTitleText(tr("Unità"));
    m_drawnLabelSize = labelPointSize(first, count);
    QFont labelsFont = unitsAxis->labelsFont();
    labelsFont.setPointSizeF(m_drawnLabelSize);
    unitsAxis->setLabelsFont(labelsFont);
    chart->addAxis(unitsAxis, Qt::AlignLeft);
    series.bars->attachAxis(unitsAxis);
    auto* positionAxis = new QValueAxis; // the scatter's y, aligned with the categories
    positionAxis->setRange(-0.5, count - 0.5);
    positionAxis->setVisible(false);
    chart->addAxis(positionAxis, Qt::AlignRight);
    series.medians->attachAxis(positionAxis);
    series.references->attachAxis(positionAxis);

    QCategoryAxis* ranks = rankAxis(int(m_units.size()), tr("Rango"), m_regional, true);
    chart->addAxis(ranks, Qt::AlignBottom);
    series.bars->attachAxis(ranks);
    series.medians->attachAxis(ranks);
    series.references->attachAxis(ranks);
}

void RankIntervalChart::drawPage(int first) {
    const int page = pageSize();
    m_first = first;
    m_drawnPage = page;
    auto* chart = new QChart;
    chart->setTitle(pageTitle(first, page));
    const int count = std::min(page, int(m_units.size()) - first);
    m_shown.clear();
    if (count > 0) {
        PageSeries series;
        QStringList categories;
        const bool anyChosen = fillPage(series, first, count, categories);
        for (int k = 0; k < count; ++k)
            m_shown.append(m_labels[first + k]);
        // Category c is row count - 1 - c from the top; a dot's y is its category.
        const auto tipOfCategory = [this, count](int category) {
            return unitTipAt(count - 1 - category);
        };
        setBarTips(series.bars, tipOfCategory);
        for (QScatterSeries* dots : {series.medians, series.references})
            setHoverTips(dots,
                         [tipOfCategory](QPointF at) { return tipOfCategory(qRound(at.y())); });
        chart->addSeries(series.bars);
        chart->addSeries(series.references);
        chart->addSeries(series.medians);
        addPageAxes(chart, series, categories, first);
        // The spacer bar set has no place in the legend, nor the highlighted
        // one when no unit of the page is.
        chart->legend()->markers(series.bars).at(0)->setVisible(false);
        chart->legend()->markers(series.bars).at(2)->setVisible(anyChosen);
        // The marks named by their own shapes.
        for (QLegendMarker* marker : chart->legend()->markers())
            if (qobject_cast<QScatterSeries*>(marker->series()))
                marker->setShape(QLegend::MarkerShapeFromSeries);
        keepLegendWhole(chart);
    }
    QChart* old = m_view->chart();
    m_view->setChart(chart);
    delete old;
}
