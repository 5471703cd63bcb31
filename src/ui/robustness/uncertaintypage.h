#pragma once

#include "shared/resultnames.h"
#include "workflow/robustnessanalyses.h"

#include <QCoreApplication>
#include <QWidget>

#include <functional>

class GridView;
class QChartView;
class QLabel;
class QPushButton;
class RankIntervalChart;
class AnalysisTableModel;

// The uncertainty page of the robustness window: the ranks of every unit
// over the compared methods crossed with the indicator sets, as a table and
// a rank-interval chart.
class UncertaintyPage : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(RobustnessWindow)

public:
    // The buttons of a chart's actions, as the window's other charts have
    // them.
    using ChartButtons = std::function<QWidget*(QChartView*, ChartFile, QWidget*)>;

    // The grid shows model.
    UncertaintyPage(AnalysisTableModel* model, const ChartButtons& chartButtons, QWidget* parent);

    QPushButton* computeButton() const { return m_compute; }
    GridView* grid() const { return m_grid; }
    RankIntervalChart* intervalChart() const { return m_chart; }

    // Before a run: nothing computed yet for methods compared methods.
    void clear(int methods);
    // Shows run, computed on a matrix of the given indicators.
    void show(const UncertaintyRun& run, int indicators);

private:
    AnalysisTableModel* m_model;
    QPushButton* m_compute;
    QLabel* m_note;
    GridView* m_grid;
    RankIntervalChart* m_chart;
};
