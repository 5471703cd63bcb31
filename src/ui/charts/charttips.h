#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractBarSeries;
class QXYSeries;

// Tooltips over the charts: hovering a series shows the text its function
// gives for the place (a line or scatter series) or the bar (a bar series)
// under the mouse, and hides it as the mouse leaves.

// The text of a unit's tooltip: its label on the first line, then one line
// per value ("name: value").
QString unitTip(const QString& label, const QStringList& values);

// at is the hovered place in the series' value coordinates.
void setHoverTips(QXYSeries* series, std::function<QString(QPointF at)> text);
void setBarTips(QAbstractBarSeries* series, std::function<QString(int index)> text);

// The tooltip the series shows at a place or over a bar; empty when it has
// none.
QString hoverTip(const QXYSeries* series, QPointF at);
QString barTip(const QAbstractBarSeries* series, int index);
