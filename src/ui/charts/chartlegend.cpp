#include "ui/charts/chartlegend.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>

#include <algorithm>
#include <cmath>

namespace {

// The place the legend's entries take in it as laid out: each entry is an
// item holding its mark and its text, all of them held by one item of the
// legend.
QRectF entriesRect(const QLegend* legend) {
    QRectF taken;
    for (const QGraphicsItem* holder : legend->childItems())
        for (const QGraphicsItem* entry : holder->childItems())
            if (entry->isVisible())
                taken |= entry->mapRectToItem(legend, entry->boundingRect());
    return taken;
}

void placeLegend(QChart* chart, const QMargins& base) {
    QLegend* legend = chart->legend();
    if (!legend->isVisible() || legend->isAttachedToChart())
        return;
    const QSizeF size = chart->size();
    const qreal width = std::max<qreal>(1, size.width() - base.left() - base.right());
    // Laid out first with every row it may need, then where its rows fit.
    legend->setGeometry(QRectF(base.left(), 0, width, std::max<qreal>(1, size.height())));
    if (legend->layout())
        legend->layout()->activate();
    const QRectF taken = entriesRect(legend);
    const qreal height = taken.isEmpty() ? 0 : taken.bottom() + taken.top();
    const qreal left = base.left() + (width - taken.width()) / 2 - taken.left();
    legend->setGeometry(QRectF(left, size.height() - base.bottom() - height, width, height));
    QMargins room = base;
    room.setBottom(base.bottom() + int(std::ceil(height)));
    if (chart->margins() != room)
        chart->setMargins(room);
}

} // namespace

void keepLegendWhole(QChart* chart) {
    QLegend* legend = chart->legend();
    // A legend apart from the chart's layout lays its entries out in rows,
    // from the top, where an attached one cuts their texts short.
    legend->detachFromChart();
    legend->setAlignment(Qt::AlignTop);
    legend->setBackgroundVisible(false);
    const QMargins base = chart->margins();
    QObject::connect(chart, &QChart::geometryChanged, legend,
                     [chart, base] { placeLegend(chart, base); });
    placeLegend(chart, base);
}
