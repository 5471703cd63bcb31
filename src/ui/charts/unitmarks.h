#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class QAbstractAxis;
class QChart;

// The units highlighted in a chart (those selected in a grid of the
// window): a dot at a place of each, with its label beside it and its
// tooltip over it. Marks stay out of the legend.
struct UnitMark {
    QString label;
    QPointF at;
    QColor colour;
    QString tip;
};

// Marks beyond this many share one dot colour and carry no label: the
// labels of hundreds of units would hide each other and the chart.
constexpr int kLabelledMarks = 50;

// Adds the marks to chart over its axes x and y, drawn above every series
// added before.
void addUnitMarks(QChart* chart, const QList<UnitMark>& marks, QAbstractAxis* x, QAbstractAxis* y);

// The labels of the units marked in chart, in the order they were added.
QStringList markedUnits(const QChart* chart);
