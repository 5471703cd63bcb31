#pragma once

#include <QCoreApplication>
#include <QString>

#include <vector>

class CograduationModel;
class Dialogs;
class GridView;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;
class RankIntervalChart;
class ShiftModel;
class TextTableModel;

// The models behind the grids of the robustness window.
struct RobustnessModels {
    TextTableModel* summary = nullptr;
    CograduationModel* kendall = nullptr;
    CograduationModel* spearman = nullptr;
    ShiftModel* sensitivity = nullptr;
    TextTableModel* uncertainty = nullptr;
};

// The four pages of the robustness window (RobustnessWindow): the rank
// summary with the Spearman and Kendall matrices, the sensitivity to the
// indicators, the uncertainty with its rank-interval chart, and the bump
// and scatter charts. Each chart has an export button and a context menu
// that propose a name beside the workbook.
struct RobustnessPages {
    Q_DECLARE_TR_FUNCTIONS(RobustnessWindow)

public:
    // A button that exports a chart, and the suffix of the name it proposes
    // (<workbook><suffix>.png).
    struct ChartExport {
        QPushButton* button;
        QChartView* view;
        QString suffix;
    };

    RobustnessPages(QWidget* window, const RobustnessModels& models, Dialogs& dialogs,
                    const QString& workbook);

    QTabWidget* pages = nullptr;
    GridView* summaryGrid = nullptr;
    GridView* kendallGrid = nullptr;
    GridView* spearmanGrid = nullptr;
    QLabel* summaryLabel = nullptr;
    QComboBox* methodCombo = nullptr;
    QPushButton* sensitivityButton = nullptr;
    GridView* sensitivityGrid = nullptr;
    QLabel* sensitivityLabel = nullptr;
    QPushButton* uncertaintyButton = nullptr;
    QLabel* uncertaintyLabel = nullptr;
    GridView* uncertaintyGrid = nullptr;
    RankIntervalChart* intervalChart = nullptr;
    QChartView* bumpChart = nullptr;
    QChartView* scatterChart = nullptr;
    QComboBox* xAxisCombo = nullptr;
    QComboBox* yAxisCombo = nullptr;
    std::vector<ChartExport> chartExports;

private:
    QWidget* summaryPage(QWidget* window, const RobustnessModels& models);
    QWidget* sensitivityPage(QWidget* window, const RobustnessModels& models);
    QWidget* uncertaintyPage(QWidget* window, const RobustnessModels& models, Dialogs& dialogs);
    QWidget* chartsPage(QWidget* window, Dialogs& dialogs, const QString& workbook);
    QPushButton* exportButton(QChartView* view, const QString& suffix, QWidget* parent);
};
