#pragma once

#include "shared/regional.h"
#include "timeseries/ampi.h"
#include "timeseries/ampifiles.h"
#include "timeseries/panel.h"
#include "ui/platform/dialogs.h"

#include <QDialog>

#include <vector>

class AmpiChart;
class AmpiModel;
class BackgroundWork;
class ChartActions;
class ClockStatusBar;
class GridView;
class MapPage;
class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class TextTableModel;
class UnitSearchBox;

// The time-analysis window: reads a workbook whose sheets are periods,
// computes the Adjusted MPI on the base period chosen and writes its files
// beside the workbook (the AMPI workflow), and shows the periods, the
// values of AMPI+ or AMPI- by unit and period (shaded), the ranks within
// each period (the two grids scrolling together) and a line chart of the
// units selected in the values grid.
// With a structure, a choice of the group whose indices they show (the
// overall index at first).
// Reading and computing run off the window's thread (see BackgroundWork).
class TimeAnalysisWindow : public QDialog {
    Q_OBJECT

public:
    TimeAnalysisWindow(Dialogs& dialogs, const Regional& regional, QWidget* parent = nullptr);
    ~TimeAnalysisWindow() override;

    // Reads the workbook and computes on its first sheet as base. False,
    // after telling the user why, when the panel is refused or unreadable or
    // the reading was cancelled.
    bool load(const QString& workbook);

    // The handlers: another base period recomputes and rewrites the files;
    // the option buttons switch between AMPI+ and AMPI-, the group choice
    // between the structure's groups. The chart's export (ChartActions)
    // proposes <workbook>.AMPI+.png or <workbook>.AMPI-.png.
    void chooseBase();
    void chooseIndex();
    void chooseGroup();
    // Selects in the values grid (hence draws) the units whose label
    // contains text: the search box's request.
    void searchUnits(const QString& text);

    QComboBox* baseCombo() const { return m_baseCombo; }
    QComboBox* groupCombo() const { return m_groupCombo; }
    QLabel* periodsLabel() const { return m_periodsLabel; }
    GridView* valuesGrid() const { return m_valuesGrid; }
    GridView* ranksGrid() const { return m_ranksGrid; }
    AmpiChart* chart() const { return m_chart; }
    // Under the grids, the chart and the map of the index on view.
    QTabWidget* views() const { return m_views; }
    MapPage* mapPage() const { return m_map; }
    QButtonGroup* indexButtons() const { return m_indexButtons; }
    UnitSearchBox* searchBox() const { return m_searchBox; }

private:
    // The line above the grids (the periods, the base, the group, the index
    // and the chart's buttons, the search box) and the grids over the chart.
    QHBoxLayout* buildTop();
    QSplitter* buildGrids();
    void connectControls();
    bool compute(int base);
    void showIndex();
    void updateChart();
    // The map page offers the index on view, period by period and its
    // changes; the units selected in the values grid outlined.
    void showOnMap();
    void highlightOnMap();
    // The status names the file of the index on view (or says none was written).
    void showStatus();
    QString shownFile() const;
    bool plus() const;
    // The values and ranks of the index and group chosen.
    const std::vector<double>& shownValues() const;
    const std::vector<int>& shownRanks() const;
    // The group chosen (an element of the structure); -1 without one.
    int shownGroup() const;

    Dialogs& m_dialogs;
    Regional m_regional;
    QString m_workbook;
    Panel m_panel;
    AmpiResult m_result;
    AmpiRanks m_ranks;
    bool m_saved = false;

    QLabel* m_periodsLabel = nullptr;
    QComboBox* m_baseCombo = nullptr;
    QLabel* m_groupLabel = nullptr;
    QComboBox* m_groupCombo = nullptr;
    QButtonGroup* m_indexButtons = nullptr;
    QGroupBox* m_indexFrame = nullptr;
    QPushButton* m_copyButton = nullptr;
    GridView* m_valuesGrid = nullptr;
    GridView* m_ranksGrid = nullptr;
    AmpiModel* m_valuesModel = nullptr;
    TextTableModel* m_ranksModel = nullptr;
    AmpiChart* m_chart = nullptr;
    QTabWidget* m_views = nullptr;
    MapPage* m_map = nullptr;
    ChartActions* m_chartActions = nullptr;
    QPushButton* m_exportButton = nullptr;
    UnitSearchBox* m_searchBox = nullptr;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_work = nullptr;
};
