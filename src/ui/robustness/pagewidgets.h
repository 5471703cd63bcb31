#pragma once

#include <QString>

class GridModel;
class GridView;
class QChartView;
class QPushButton;
class QWidget;
class RankIntervalChart;

// The widgets the pages of the robustness window share.

// A grid over model.
GridView* pageGrid(const QString& name, GridModel* model, QWidget* parent);
QChartView* pageChartView(const QString& name, QWidget* parent);
// "Calcola", the button that runs a page's analysis.
QPushButton* pageComputeButton(const QString& name, const QString& tip, QWidget* parent);
// The images of an interval chart leave out the units highlighted on screen.
void plainImages(RankIntervalChart* chart);
