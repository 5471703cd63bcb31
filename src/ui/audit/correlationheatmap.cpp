#include "ui/audit/correlationheatmap.h"

#include "ui/charts/axisticks.h"
#include "ui/grid/divergingpalette.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLabelledSide = 30; // the smallest square that shows its value

} // namespace

CorrelationHeatmap::CorrelationHeatmap(QChart* chart, const Regional& regional)
    : QGraphicsItem(chart), m_regional(regional) {
    const auto follow = [this](const QRectF& area) {
        prepareGeometryChange();
        m_room = area;
    };
    QObject::connect(chart, &QChart::plotAreaChanged, chart, follow);
    follow(chart->plotArea());
}

void CorrelationHeatmap::setMatrix(const QStringList& names, std::vector<double> matrix,
                                   std::vector<GroupOutline> groups) {
    // The indicators of each group together, the groups in their order,
    // those of no group last: each group is then one square to outline.
    const int m = int(names.size());
    std::vector<int> order;
    std::vector<char> placed(std::size_t(m), 0);
    for (const GroupOutline& group : groups)
        for (const int j : group.indicators)
            if (j >= 0 && j < m && !placed[std::size_t(j)]) {
                placed[std::size_t(j)] = 1;
                order.push_back(j);
            }
    for (int j = 0; j < m; ++j)
        if (!placed[std::size_t(j)])
            order.push_back(j);
    std::vector<int> place(static_cast<std::size_t>(m), 0);
    for (int p = 0; p < m; ++p)
        place[std::size_t(order[std::size_t(p)])] = p;
    m_names.clear();
    m_numbers.clear();
    m_matrix.assign(std::size_t(m) * std::size_t(m), 1.0);
    for (int p = 0; p < m; ++p) {
        const int j = order[std::size_t(p)];
        m_names.append(names[j]);
        m_numbers.push_back(j + 1);
        for (int q = 0; q < m; ++q)
            if (p != q && matrix.size() == m_matrix.size())
                m_matrix[std::size_t(p) * std::size_t(m) + std::size_t(q)] =
                    matrix[std::size_t(j) * std::size_t(m) + std::size_t(order[std::size_t(q)])];
    }
    m_groups = std::move(groups);
    for (GroupOutline& group : m_groups)
        for (int& j : group.indicators)
            if (j >= 0 && j < m)
                j = place[std::size_t(j)];
    update();
}

QStringList CorrelationHeatmap::drawnNames() const {
    return m_names;
}

void CorrelationHeatmap::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const int m = int(m_names.size());
    if (m == 0 || m_room.isEmpty())
        return;
    painter->save();
    QFont font = painter->font();
    font.setPointSizeF(std::clamp(m_room.height() / (2.2 * m), 5.0, 9.0));
    painter->setFont(font);
    const QFontMetricsF metrics(font);
    double labelWidth = 0;
    for (int j = 0; j < m; ++j)
        labelWidth =
            std::max(labelWidth,
                     metrics.horizontalAdvance(
                         QStringLiteral("%1 %2").arg(m_numbers[std::size_t(j)]).arg(m_names[j])));
    labelWidth = std::min(labelWidth + 6, m_room.width() * 0.35);
    const double bottom = metrics.height() + 4;
    // The colour scale takes a strip at the right.
    const double scaleWidth = metrics.horizontalAdvance(QStringLiteral("-0,5")) + 24;
    const double side = std::max(1.0, std::min((m_room.width() - labelWidth - scaleWidth) / m,
                                               (m_room.height() - bottom) / m));
    const QRectF grid(m_room.left() + labelWidth, m_room.top(), side * m, side * m);

    for (int j = 0; j < m; ++j) {
        const double y = grid.top() + j * side;
        painter->setPen(Qt::black);
        painter->drawText(
            QRectF(m_room.left(), y, labelWidth - 4, side), Qt::AlignRight | Qt::AlignVCenter,
            metrics.elidedText(
                QStringLiteral("%1 %2").arg(m_numbers[std::size_t(j)]).arg(m_names[j]),
                Qt::ElideRight, labelWidth - 4));
        painter->drawText(QRectF(grid.left() + j * side, grid.bottom() + 2, side, bottom),
                          Qt::AlignHCenter | Qt::AlignTop,
                          QString::number(m_numbers[std::size_t(j)]));
        for (int k = 0; k < m; ++k) {
            const double value = m_matrix[std::size_t(j) * std::size_t(m) + std::size_t(k)];
            const QRectF cell(grid.left() + k * side, y, side, side);
            if (std::isnan(value)) {
                painter->fillRect(cell, QColor(0xdd, 0xdd, 0xdd));
                continue;
            }
            const QColor colour = divergingpalette::colour(value);
            painter->fillRect(cell, colour);
            if (side >= kLabelledSide) {
                painter->setPen(divergingpalette::readableText(colour));
                painter->drawText(cell, Qt::AlignCenter,
                                  m_regional.locale().toString(value, 'f', 2));
            }
        }
    }
    painter->setPen(QPen(QColor(0x60, 0x60, 0x60), 0.5));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(grid);
    for (const GroupOutline& group : m_groups)
        outline(*painter, grid, side, group);
    paintScale(*painter, QRectF(grid.right() + 12, grid.top(), 10, grid.height()), metrics);
    painter->restore();
}

// The colour scale from 1 at the top to -1 at the bottom, its ticks
// labelled at its right.
void CorrelationHeatmap::paintScale(QPainter& painter, const QRectF& bar,
                                    const QFontMetricsF& metrics) const {
    const int steps = std::max(2, int(bar.height()));
    for (int i = 0; i < steps; ++i) {
        const double value = 1.0 - 2.0 * (i + 0.5) / steps;
        painter.fillRect(QRectF(bar.left(), bar.top() + bar.height() * i / steps, bar.width(),
                                bar.height() / steps + 0.5),
                         divergingpalette::colour(value));
    }
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar);
    const AxisTicks ticks = roundTicks(-1, 1, 4);
    painter.setPen(Qt::black);
    for (const double value : ticks.values) {
        const double y = bar.top() + (1.0 - value) / 2.0 * bar.height();
        painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 3, y));
        painter.drawText(QRectF(bar.right() + 4, y - metrics.height() / 2, 40, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, tickText(value, ticks, m_regional));
    }
}

// The edges between the pairs of the group's indicators and the others.
void CorrelationHeatmap::outline(QPainter& painter, const QRectF& grid, double side,
                                 const GroupOutline& group) const {
    const int m = int(m_names.size());
    std::vector<char> inside(std::size_t(m), 0);
    for (const int j : group.indicators)
        if (j >= 0 && j < m)
            inside[std::size_t(j)] = 1;
    const auto in = [&](int j) { return j >= 0 && j < m && inside[std::size_t(j)]; };
    painter.setPen(QPen(Qt::black, 2));
    for (int j = 0; j < m; ++j) {
        if (!in(j))
            continue;
        for (int k = 0; k < m; ++k) {
            if (!in(k))
                continue;
            const QRectF cell(grid.left() + k * side, grid.top() + j * side, side, side);
            if (!in(j - 1))
                painter.drawLine(cell.topLeft(), cell.topRight());
            if (!in(j + 1))
                painter.drawLine(cell.bottomLeft(), cell.bottomRight());
            if (!in(k - 1))
                painter.drawLine(cell.topLeft(), cell.bottomLeft());
            if (!in(k + 1))
                painter.drawLine(cell.topRight(), cell.bottomRight());
        }
    }
}
