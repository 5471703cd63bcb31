#pragma once

#include "shared/resultnames.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

class CograduationModel;
class MapPage;
class MonteCarloPage;
class SensitivityPage;
class UncertaintyPage;
class Dialogs;
class GridView;
class QChartView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QWidget;
class RankIntervalChart;
class ShiftModel;
class AnalysisTableModel;
class TotalIndexModel;
class UnitSearchBox;

// The models behind the grids of the robustness window.
struct RobustnessModels {
    AnalysisTableModel* summary = nullptr;
    CograduationModel* kendall = nullptr;
    CograduationModel* spearman = nullptr;
    ShiftModel* sensitivity = nullptr;
    AnalysisTableModel* uncertainty = nullptr;
    AnalysisTableModel* monteCarlo = nullptr;
    TotalIndexModel* unitTotals = nullptr;
};

// The five pages of the robustness window (RobustnessWindow): the rank
// summary with the Spearman and Kendall matrices, the sensitivity to the
// indicators (SensitivityPage), the uncertainty with its rank-interval chart
// (UncertaintyPage), the bump and scatter charts, and the Monte Carlo over
// the uncertain choices (MonteCarloPage). Each chart has the
// buttons and the context menu of its ChartActions (export, copy).
struct RobustnessPages {
    Q_DECLARE_TR_FUNCTIONS(RobustnessWindow)

public:
    // A chart with its ChartActions, and its file among the names proposed
    // beside the workbook.
    struct ChartExport {
        QChartView* view;
        ChartFile chart;
    };

    RobustnessPages(QWidget* window, const RobustnessModels& models, Dialogs& dialogs);

    QTabWidget* pages = nullptr;
    // Selects the units it names in the grids, beside the pages' tabs.
    UnitSearchBox* searchBox = nullptr;
    GridView* summaryGrid = nullptr;
    GridView* kendallGrid = nullptr;
    GridView* spearmanGrid = nullptr;
    QLabel* summaryLabel = nullptr;
    SensitivityPage* sensitivity = nullptr;
    UncertaintyPage* uncertainty = nullptr;
    QChartView* bumpChart = nullptr;
    QChartView* scatterChart = nullptr;
    QComboBox* xAxisCombo = nullptr;
    QComboBox* yAxisCombo = nullptr;
    MonteCarloPage* monteCarlo = nullptr;
    // The map of the rank-interval widths, the total indices and the shifts.
    MapPage* map = nullptr;
    std::vector<ChartExport> chartExports;

private:
    QWidget* summaryPage(QWidget* window, const RobustnessModels& models);
    QWidget* chartsPage(QWidget* window, Dialogs& dialogs);
    // The chart's actions and their two buttons, side by side.
    QWidget* chartButtons(QChartView* view, ChartFile chart, Dialogs& dialogs, QWidget* parent);
};
