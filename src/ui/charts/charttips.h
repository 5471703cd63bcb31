#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractBarSeries;
class QBarSet;
class QChartView;
class QXYSeries;

// Tooltips over the charts: hovering a series shows the text its function
// gives for the place (a line or scatter series) or the bar (a bar series)
// under the mouse, and hides it as the mouse leaves.

// The text of a unit's tooltip: its label on the first line, then one line
// per value ("name: value").
QString unitTip(const QString& label, const QStringList& values);

// Keeps the tooltips of view's series up while the mouse rests on them
// (done anyway at the first hover; a view calls it to follow the mouse
// from the start).
void followChartTips(QChartView* view);

// at is the hovered place in the series' value coordinates.
void setHoverTips(QXYSeries* series, std::function<QString(QPointF at)> text);
void setBarTips(QAbstractBarSeries* series, std::function<QString(int index)> text);
// The text of a bar may depend on its bar set too.
void setBarSetTips(QAbstractBarSeries* series,
                   std::function<QString(int index, const QBarSet* set)> text);

// The tooltip the series shows at a place or over a bar; empty when it has
// none.
QString hoverTip(const QXYSeries* series, QPointF at);
QString barTip(const QAbstractBarSeries* series, int index, const QBarSet* set = nullptr);
