#pragma once

class QChart;

// Keeps every entry of chart's legend whole under the plot: the entries in
// one row when the chart's width holds them, otherwise in as many rows as
// it needs, the block centred, the plot made shorter by the rows' height.
// Follows the chart's size, on screen and when it is laid out again for an
// image. The legend's place is the chart's own bottom margin from then on.
void keepLegendWhole(QChart* chart);
