#include "ui/report/reportcharts.h"

#include "ui/grid/coefficientlegend.h"
#include "ui/grid/divergingpalette.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kHeaderWidth = 60;  // points for the row headers of a heatmap
constexpr int kMostBars = 300;       // bars in a rank-interval chart
constexpr double kLegendHeight = 34; // points for the stepped scale's legend

double cellSize(int methods, double width) {
    return methods > 0 ? std::min(44.0, (width - kHeaderWidth) / methods) : 0;
}

} // namespace

HeatmapCell heatmapCell(double value, HeatmapScale scale) {
    const QColor fill = scale == HeatmapScale::Stepped ? divergingpalette::coefficientColour(value)
                                                       : divergingpalette::colour(value);
    return {fill, divergingpalette::readableText(fill)};
}

double heatmapHeight(int methods, double width, HeatmapScale scale) {
    return cellSize(methods, width) * methods + 16 +
           (scale == HeatmapScale::Stepped ? kLegendHeight : 0);
}

void drawHeatmap(QPainter& painter, const QRectF& room, const QStringList& headers,
                 const std::vector<double>& matrix, const Regional& regional, HeatmapScale scale) {
    const int n = int(headers.size());
    const double side = cellSize(n, room.width());
    QFont font = painter.font();
    font.setPointSizeF(std::clamp(side / 6.5, 4.0, 7.5));
    painter.setFont(font);
    const double x0 = room.left() + kHeaderWidth;
    for (int j = 0; j < n; ++j) {
        const double y = room.top() + j * side;
        painter.setPen(Qt::black);
        painter.drawText(QRectF(room.left(), y, kHeaderWidth - 4, side),
                         Qt::AlignRight | Qt::AlignVCenter, headers[j]);
        for (int k = 0; k <= j; ++k) {
            const double value = matrix[std::size_t(j * n + k)];
            const HeatmapCell cell = heatmapCell(value, scale);
            const QRectF box(x0 + k * side, y, side, side);
            painter.fillRect(box, cell.fill);
            painter.setPen(QColor(255, 255, 255));
            painter.drawRect(box);
            painter.setPen(cell.text);
            painter.drawText(box, Qt::AlignCenter, regional.fixed4(value));
        }
    }
    painter.setPen(Qt::black);
    for (int k = 0; k < n; ++k)
        painter.drawText(QRectF(x0 + k * side, room.top() + n * side, side, 14), Qt::AlignCenter,
                         headers[k]);
    if (scale == HeatmapScale::Stepped && n > 0) {
        font.setPointSizeF(6.5);
        painter.setFont(font);
        paintCoefficientLegend(painter,
                               QRectF(x0, room.top() + n * side + 18,
                                      std::min(260.0, room.right() - x0), kLegendHeight - 4),
                               regional.locale());
    }
}

void drawRankIntervals(QPainter& painter, const QRectF& room, const DelimitedTable& table,
                       int median, int p5) {
    const int units = table.rowCount();
    if (units == 0 || table.columnCount() < std::max(median, p5 + 1) + 1)
        return;
    std::vector<int> order(static_cast<std::size_t>(units));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return table.number(a, median) < table.number(b, median);
    });

    const QRectF plot = room.adjusted(34, 6, -6, -18);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(plot);
    QFont font = painter.font();
    font.setPointSizeF(6.5);
    painter.setFont(font);
    // Rank 1 at the top, the last rank at the bottom.
    const auto yOf = [&](double rank) {
        return plot.top() + (rank - 1) / std::max(1, units - 1) * plot.height();
    };
    for (int tick : {1, (units + 1) / 2, units}) {
        painter.drawText(QRectF(room.left(), yOf(tick) - 5, 30, 10),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(tick));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), 14), Qt::AlignCenter,
                     QStringLiteral("unità ordinate per rango mediano"));

    const int bars = std::min(units, kMostBars);
    const double step = plot.width() / bars;
    const QColor bar(10, 105, 95);
    for (int b = 0; b < bars; ++b) {
        const int from = int(qint64(b) * units / bars);
        const int to = int(qint64(b + 1) * units / bars);
        double low = units, high = 1, middle = 0;
        for (int i = from; i < to; ++i) {
            const int unit = order[std::size_t(i)];
            low = std::min(low, table.number(unit, p5));
            high = std::max(high, table.number(unit, p5 + 1));
            middle += table.number(unit, median);
        }
        middle /= std::max(1, to - from);
        const double x = plot.left() + (b + 0.5) * step;
        const double thickness = std::max(0.4, std::min(4.0, step * 0.6));
        painter.fillRect(
            QRectF(x - thickness / 2, yOf(low), thickness, std::max(0.5, yOf(high) - yOf(low))),
            bar);
        const double dot = std::max(1.0, std::min(3.0, step * 0.8));
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(x, yOf(middle)), dot / 2, dot / 2);
        painter.setPen(QColor(120, 120, 120));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
}

void drawSobolBars(QPainter& painter, const QRectF& room, const DelimitedTable& sobol) {
    const int factors = sobol.rowCount();
    if (factors == 0 || sobol.columnCount() < 6)
        return;
    const QRectF plot = room.adjusted(34, 6, -6, -30);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(plot);
    QFont font = painter.font();
    font.setPointSizeF(6.5);
    painter.setFont(font);
    const auto yOf = [&](double value) {
        return plot.bottom() - std::clamp(value, 0.0, 1.0) * plot.height();
    };
    for (const double tick : {0.0, 0.5, 1.0})
        painter.drawText(QRectF(room.left(), yOf(tick) - 5, 30, 10),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(tick));
    const double slot = plot.width() / factors;
    const QColor colours[] = {QColor(10, 105, 95), QColor(190, 120, 40)};
    for (int f = 0; f < factors; ++f) {
        const double left = plot.left() + f * slot;
        for (int k = 0; k < 2; ++k) { // Si, then STi
            const double value = sobol.number(f, 3 * k);
            if (!std::isfinite(value))
                continue;
            const QRectF bar(left + slot * (0.2 + 0.3 * k), yOf(value), slot * 0.28,
                             plot.bottom() - yOf(value));
            painter.fillRect(bar, colours[k]);
            const double low = sobol.number(f, 3 * k + 1);
            const double high = sobol.number(f, 3 * k + 2);
            if (std::isfinite(low) && std::isfinite(high)) {
                painter.setPen(Qt::black);
                const double x = bar.center().x();
                painter.drawLine(QPointF(x, yOf(low)), QPointF(x, yOf(high)));
                painter.drawLine(QPointF(x - 2, yOf(low)), QPointF(x + 2, yOf(low)));
                painter.drawLine(QPointF(x - 2, yOf(high)), QPointF(x + 2, yOf(high)));
            }
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left, plot.bottom() + 2, slot, 12), Qt::AlignCenter,
                         sobol.labels[f]);
    }
    for (int k = 0; k < 2; ++k) {
        const QRectF swatch(plot.left() + 90 * k, plot.bottom() + 18, 8, 8);
        painter.fillRect(swatch, colours[k]);
        painter.drawText(
            QRectF(swatch.right() + 3, swatch.top() - 2, 80, 12), Qt::AlignLeft | Qt::AlignVCenter,
            k == 0 ? QStringLiteral("primo ordine (Si)") : QStringLiteral("totale (STi)"));
    }
    painter.setPen(Qt::black);
}
