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

namespace {

// The places of a rank-interval chart: the plot of its rows, the labels'
// column on its left, and the ranks from 0 to units + 1 left to right, as
// in the window's chart.
struct IntervalLayout {
    QRectF plot;
    double labelWidth = 0;
    int units = 0;
    int rows = 0;
    double mark = std::min(5.0, kIntervalRow * 0.6); // size of a median's or reference's mark

    double xOf(double rank) const { return plot.left() + rank / (units + 1) * plot.width(); }
};

// The units' rows in the order of their medians, ties by their reference
// (or nominal) rank, of column 0.
std::vector<int> medianOrder(const DelimitedTable& table, int median) {
    std::vector<int> order(static_cast<std::size_t>(table.rowCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const double x = table.number(a, median);
        const double y = table.number(b, median);
        return x != y ? x < y : table.number(a, 0) < table.number(b, 0);
    });
    return order;
}

void drawMedianMark(QPainter& painter, QPointF at, double mark) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(chartpalette::kMedian);
    painter.drawEllipse(at, mark / 2, mark / 2);
}

void drawReferenceMark(QPainter& painter, QPointF at, double mark) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(chartpalette::kReference);
    painter.drawRect(QRectF(at.x() - mark / 2.5, at.y() - mark / 2.5, mark / 1.25, mark / 1.25));
}

// The plot's frame and the ranks' axis under it.
void drawRankScale(QPainter& painter, const IntervalLayout& layout, const Regional& regional) {
    const QRectF& plot = layout.plot;
    painter.setPen(QColor(120, 120, 120));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    for (const int rank : rankTicks(layout.units)) {
        const double x = layout.xOf(rank);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 2));
        painter.drawText(QRectF(x - 15, plot.bottom() + 2, 30, 9), Qt::AlignCenter,
                         rankText(rank, regional));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 11, plot.width(), 9), Qt::AlignCenter,
                     QStringLiteral("Rango"));
}

// The rows, each with its label, interval, reference and median. Beyond
// kMostRows units neighbouring units share a row: the widest interval
// among them and their mean median and reference.
void drawIntervalRows(QPainter& painter, const IntervalLayout& layout, double left,
                      const QFontMetricsF& metrics, const DelimitedTable& table,
                      const std::vector<int>& order, int median, int p5) {
    const int units = layout.units;
    for (int row = 0; row < layout.rows; ++row) {
        const int from = int(qint64(row) * units / layout.rows);
        const int to = int(qint64(row + 1) * units / layout.rows);
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
        const double y = layout.plot.top() + (row + 0.5) * kIntervalRow;
        QString label = table.labels[order[std::size_t(from)]];
        if (to - from > 1)
            label += QStringLiteral(" … ") + table.labels[order[std::size_t(to - 1)]];
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left, y - kIntervalRow / 2, layout.labelWidth, kIntervalRow),
                         Qt::AlignRight | Qt::AlignVCenter,
                         metrics.elidedText(label, Qt::ElideMiddle, layout.labelWidth));
        painter.setPen(QPen(chartpalette::kIntervalBorder, 0.5));
        painter.setBrush(chartpalette::kIntervalFill);
        const double start = layout.xOf(std::max(0.0, low - 0.5));
        painter.drawRect(QRectF(start, y - kIntervalRow * 0.25, layout.xOf(high + 0.5) - start,
                                kIntervalRow * 0.5));
        if (std::isfinite(reference))
            drawReferenceMark(painter, QPointF(layout.xOf(reference), y), layout.mark);
        drawMedianMark(painter, QPointF(layout.xOf(middle), y), layout.mark);
    }
}

// The legend under the axis; the reference's mark named by referenceName.
void drawIntervalLegend(QPainter& painter, const IntervalLayout& layout,
                        const QFontMetricsF& metrics, const QString& referenceName) {
    double x = layout.plot.left();
    const double legendY = layout.plot.bottom() + 26;
    const auto entry = [&](const QString& text) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + 8, legendY + 3), text);
        x += 8 + metrics.horizontalAdvance(text) + 14;
    };
    painter.setPen(QPen(chartpalette::kIntervalBorder, 0.5));
    painter.setBrush(chartpalette::kIntervalFill);
    painter.drawRect(QRectF(x, legendY - 2, 6, 4));
    entry(QStringLiteral("5°-95° percentile"));
    drawMedianMark(painter, QPointF(x + 3, legendY), layout.mark);
    entry(QStringLiteral("Mediana"));
    drawReferenceMark(painter, QPointF(x + 3, legendY), layout.mark);
    entry(referenceName);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
}

} // namespace

void drawRankIntervals(QPainter& painter, const QRectF& room, const DelimitedTable& table,
                       const Regional& regional, int median, int p5) {
    const int units = table.rowCount();
    if (units == 0 || table.columnCount() < std::max(median, p5 + 1) + 1)
        return;
    // Column 0 holds the reference (or nominal) rank.
    const std::vector<int> order = medianOrder(table, median);
    QFont font = painter.font();
    font.setPointSizeF(6.5);
    painter.setFont(font);
    IntervalLayout layout;
    layout.units = units;
    layout.rows = std::min(units, kMostRows);
    layout.labelWidth = std::min(110.0, room.width() / 4);
    layout.plot = QRectF(room.left() + layout.labelWidth + 4, room.top(),
                         room.width() - layout.labelWidth - 10, layout.rows * kIntervalRow);
    drawRankScale(painter, layout, regional);
    const QFontMetricsF metrics(font);
    drawIntervalRows(painter, layout, room.left(), metrics, table, order, median, p5);
    drawIntervalLegend(painter, layout, metrics, table.headers.value(1));
}

namespace {

// The extent of the estimates and their intervals, 0 to 1 at least, in
// round ticks.
AxisTicks sobolTicks(const DelimitedTable& sobol) {
    double lowest = 0.0;
    double highest = 1.0;
    for (int f = 0; f < sobol.rowCount(); ++f)
        for (int c = 0; c < 6; ++c)
            if (const double value = sobol.number(f, c); std::isfinite(value)) {
                lowest = std::min(lowest, value);
                highest = std::max(highest, value);
            }
    return roundTicks(lowest, highest, 4);
}

const QColor kSobolColours[] = {chartpalette::kFirstOrder, chartpalette::kTotalOrder};

// The two bars of factor f (Si, then STi), each with its whisker, in the
// slot from left; yOf places a value.
template <typename Place>
void drawSobolFactor(QPainter& painter, const DelimitedTable& sobol, int f, double left,
                     double slot, const Place& yOf) {
    for (int k = 0; k < 2; ++k) {
        const double value = sobol.number(f, 3 * k);
        if (!std::isfinite(value))
            continue;
        const QRectF bar(left + slot * (0.2 + 0.3 * k), std::min(yOf(value), yOf(0)), slot * 0.28,
                         std::abs(yOf(0) - yOf(value)));
        painter.fillRect(bar, kSobolColours[k]);
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
}

void drawSobolLegend(QPainter& painter, const QRectF& plot) {
    for (int k = 0; k < 2; ++k) {
        const QRectF swatch(plot.left() + 90 * k, plot.bottom() + 18, 8, 8);
        painter.fillRect(swatch, kSobolColours[k]);
        painter.drawText(
            QRectF(swatch.right() + 3, swatch.top() - 2, 80, 12), Qt::AlignLeft | Qt::AlignVCenter,
            k == 0 ? QStringLiteral("primo ordine (Si)") : QStringLiteral("totale (STi)"));
    }
}

} // namespace

void drawSobolBars(QPainter& painter, const QRectF& room, const DelimitedTable& sobol,
                   const Regional& regional) {
    const int factors = sobol.rowCount();
    if (factors == 0 || sobol.columnCount() < 6)
        return;
    const AxisTicks ticks = sobolTicks(sobol);
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
    for (int f = 0; f < factors; ++f) {
        const double left = plot.left() + f * slot;
        drawSobolFactor(painter, sobol, f, left, slot, yOf);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left, plot.bottom() + 2, slot, 12), Qt::AlignCenter,
                         sobol.labels[f]);
    }
    drawSobolLegend(painter, plot);
    painter.setPen(Qt::black);
}
