#include "ui/report/reportcharts.h"

#include "robustness/rankstatistics.h"
#include "ui/charts/axisticks.h"
#include "ui/charts/chartpalette.h"
#include "ui/charts/rankaxis.h"
#include "ui/grid/coefficientlegend.h"
#include "ui/grid/divergingpalette.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kHeaderWidth = 60;  // points for the row headers of a heatmap
constexpr double kLegendHeight = 34; // points for the stepped scale's legend
constexpr int kMostRows = 40;        // rows of a rank-interval chart
constexpr double kIntervalRow = 9;   // points of height of one of them
constexpr double kIntervalAxis = 36; // of its axis and legend under the rows

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

double rankIntervalsHeight(int units) {
    return std::min(units, kMostRows) * kIntervalRow + kIntervalAxis;
}

void drawRankIntervals(QPainter& painter, const QRectF& room, const DelimitedTable& table,
                       const Regional& regional, int median, int p5) {
    const int units = table.rowCount();
    if (units == 0 || table.columnCount() < std::max(median, p5 + 1) + 1)
        return;
    // Column 0 holds the reference (or nominal) rank.
    std::vector<int> order(static_cast<std::size_t>(units));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const double x = table.number(a, median);
        const double y = table.number(b, median);
        return x != y ? x < y : table.number(a, 0) < table.number(b, 0);
    });

    QFont font = painter.font();
    font.setPointSizeF(6.5);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const int rows = std::min(units, kMostRows);
    const double labelWidth = std::min(110.0, room.width() / 4);
    const QRectF plot(room.left() + labelWidth + 4, room.top(), room.width() - labelWidth - 10,
                      rows * kIntervalRow);
    const QColor frame(120, 120, 120);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    // The ranks from 0 to units + 1 left to right, as in the window's chart.
    const auto xOf = [&](double rank) { return plot.left() + rank / (units + 1) * plot.width(); };
    for (const int rank : rankTicks(units)) {
        painter.drawLine(QPointF(xOf(rank), plot.bottom()), QPointF(xOf(rank), plot.bottom() + 2));
        painter.drawText(QRectF(xOf(rank) - 15, plot.bottom() + 2, 30, 9), Qt::AlignCenter,
                         rankText(rank, regional));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 11, plot.width(), 9), Qt::AlignCenter,
                     QStringLiteral("Rango"));

    const QColor fill = chartpalette::kIntervalFill;
    const QColor border = chartpalette::kIntervalBorder;
    const QColor medianColor = chartpalette::kMedian;
    const QColor referenceColor = chartpalette::kReference;
    const double mark = std::min(5.0, kIntervalRow * 0.6);
    const auto drawMedian = [&](QPointF at) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(medianColor);
        painter.drawEllipse(at, mark / 2, mark / 2);
    };
    const auto drawReference = [&](QPointF at) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(referenceColor);
        painter.drawRect(
            QRectF(at.x() - mark / 2.5, at.y() - mark / 2.5, mark / 1.25, mark / 1.25));
    };
    // Beyond kMostRows units neighbouring units share a row: the widest
    // interval among them and their mean median and reference.
    for (int row = 0; row < rows; ++row) {
        const int from = int(qint64(row) * units / rows);
        const int to = int(qint64(row + 1) * units / rows);
        double low = units, high = 1, middle = 0, reference = 0;
        for (int i = from; i < to; ++i) {
            const int unit = order[std::size_t(i)];
            low = std::min(low, table.number(unit, p5));
            high = std::max(high, table.number(unit, p5 + 1));
            middle += table.number(unit, median);
            reference += table.number(unit, 0);
        }
        middle /= to - from;
        reference /= to - from;
        const double y = plot.top() + (row + 0.5) * kIntervalRow;
        QString label = table.labels[order[std::size_t(from)]];
        if (to - from > 1)
            label += QStringLiteral(" … ") + table.labels[order[std::size_t(to - 1)]];
        painter.setPen(Qt::black);
        painter.drawText(QRectF(room.left(), y - kIntervalRow / 2, labelWidth, kIntervalRow),
                         Qt::AlignRight | Qt::AlignVCenter,
                         metrics.elidedText(label, Qt::ElideMiddle, labelWidth));
        painter.setPen(QPen(border, 0.5));
        painter.setBrush(fill);
        painter.drawRect(QRectF(xOf(std::max(0.0, low - 0.5)), y - kIntervalRow * 0.25,
                                xOf(high + 0.5) - xOf(std::max(0.0, low - 0.5)),
                                kIntervalRow * 0.5));
        if (std::isfinite(reference))
            drawReference(QPointF(xOf(reference), y));
        drawMedian(QPointF(xOf(middle), y));
    }

    // The legend under the axis.
    double x = plot.left();
    const double legendY = plot.bottom() + 26;
    const auto entry = [&](const QString& text) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + 8, legendY + 3), text);
        x += 8 + metrics.horizontalAdvance(text) + 14;
    };
    painter.setPen(QPen(border, 0.5));
    painter.setBrush(fill);
    painter.drawRect(QRectF(x, legendY - 2, 6, 4));
    entry(QStringLiteral("5°-95° percentile"));
    drawMedian(QPointF(x + 3, legendY));
    entry(QStringLiteral("Mediana"));
    drawReference(QPointF(x + 3, legendY));
    entry(table.headers.value(1));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
}

void drawSobolBars(QPainter& painter, const QRectF& room, const DelimitedTable& sobol,
                   const Regional& regional) {
    const int factors = sobol.rowCount();
    if (factors == 0 || sobol.columnCount() < 6)
        return;
    double lowest = 0.0;
    double highest = 1.0;
    for (int f = 0; f < factors; ++f)
        for (int c = 0; c < 6; ++c)
            if (const double value = sobol.number(f, c); std::isfinite(value)) {
                lowest = std::min(lowest, value);
                highest = std::max(highest, value);
            }
    const AxisTicks ticks = roundTicks(lowest, highest, 4);
    const QRectF plot = room.adjusted(34, 6, -6, -30);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(plot);
    QFont font = painter.font();
    font.setPointSizeF(6.5);
    painter.setFont(font);
    const double bottom = ticks.values.front();
    const double top = ticks.values.back();
    const auto yOf = [&](double value) {
        return plot.bottom() - (value - bottom) / (top - bottom) * plot.height();
    };
    for (const double tick : ticks.values)
        painter.drawText(QRectF(room.left(), yOf(tick) - 5, 30, 10),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(tick, ticks, regional));
    const double slot = plot.width() / factors;
    const QColor colours[] = {chartpalette::kFirstOrder, chartpalette::kTotalOrder};
    for (int f = 0; f < factors; ++f) {
        const double left = plot.left() + f * slot;
        for (int k = 0; k < 2; ++k) { // Si, then STi
            const double value = sobol.number(f, 3 * k);
            if (!std::isfinite(value))
                continue;
            const QRectF bar(left + slot * (0.2 + 0.3 * k), std::min(yOf(value), yOf(0)),
                             slot * 0.28, std::abs(yOf(0) - yOf(value)));
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
