#pragma once

#include "export/resultscollection.h"
#include "shared/regional.h"

#include <QColor>
#include <QRectF>
#include <QStringList>

#include <vector>

class QPainter;

// The report's charts, drawn as vectors into a rectangle.

// How a heatmap shades its coefficients: on the continuous diverging scale
// (correlations of indicators), or on the stepped scale of the matrices
// that compare rankings, with its legend beneath.
enum class HeatmapScale { Continuous, Stepped };

// The fill and the text colour of a heatmap's cell of value, the text by
// the rule the windows and the exported workbook follow.
struct HeatmapCell {
    QColor fill;
    QColor text;
};
HeatmapCell heatmapCell(double value, HeatmapScale scale);

// The height a heatmap of n methods takes across the given width.
double heatmapHeight(int methods, double width, HeatmapScale scale);
// The lower triangle of a coefficient matrix (n x n, row-major, 1 on the
// diagonal): one square per pair, shaded from brown (-1) through white to
// teal (1) and labelled with its four-decimal value; the headers along the
// left and the bottom edges; the stepped scale's legend under them.
void drawHeatmap(QPainter& painter, const QRectF& room, const QStringList& headers,
                 const std::vector<double>& matrix, const Regional& regional, HeatmapScale scale);

// The rank-interval chart of an uncertainty table (columns: reference rank,
// median, 5th and 95th percentile, best, worst), drawn as the window's: a
// row per unit sorted by median rank, its label at the left, the rank along
// the horizontal axis, a bar from the 5th to the 95th percentile, a dot on
// the median and a square on the reference rank, and a legend. Beyond 40
// units neighbouring units share a row (the widest interval among them and
// their mean median and reference). median and p5 name the columns of the
// median and of the 5th percentile (the 95th follows it): those of a Monte
// Carlo table are 1 and 3; column 0 is the reference.
double rankIntervalsHeight(int units);
void drawRankIntervals(QPainter& painter, const QRectF& room, const DelimitedTable& uncertainty,
                       const Regional& regional, int median = 1, int p5 = 2);

// The bar chart of a table of Sobol indices (a row per factor; columns Si,
// its 5th and 95th percentiles, STi and its percentiles): per factor a bar
// for Si and one for STi, each with the whisker of its interval, on a
// scale from 0 to 1 or beyond where an estimate or interval goes, its ticks
// those of every chart.
void drawSobolBars(QPainter& painter, const QRectF& room, const DelimitedTable& sobol,
                   const Regional& regional);
