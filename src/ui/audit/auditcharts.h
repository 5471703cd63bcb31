#pragma once

#include "shared/regional.h"
#include "ui/audit/auditfigures.h"

#include <QString>

#include <vector>

class QChart;

// The small charts of the statistical audit window.

// The histogram of one indicator: a bar per bin, the edges of the bins
// labelled where they fall on the axis, titled with the indicator.
QChart* histogramChart(const QString& indicator, const Histogram& histogram,
                       const Regional& regional);

// The scree chart of a group: its eigenvalues from the largest down, a
// point each, and the line at 1 that the retained components pass.
QChart* screeChart(const QString& group, const std::vector<double>& eigenvalues,
                   const Regional& regional);
