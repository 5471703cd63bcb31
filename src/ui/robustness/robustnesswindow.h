#pragma once

#include "comparison/texttable.h"
#include "methods/metodi.h"
#include "robustness/rankmatrix.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "ui/mappage/windowmaps.h"
#include "ui/platform/dialogs.h"
#include "ui/robustness/analysedmatrices.h"
#include "ui/robustness/montecarlopage.h"
#include "ui/robustness/robustnesspages.h"
#include "ui/robustness/sensitivitypage.h"
#include "ui/robustness/uncertaintypage.h"
#include "ui/state/sharedstate.h"
#include "workflow/processing.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class BackgroundWork;
class ClockStatusBar;
class GridView;

// The robustness window: how far each unit's rank can be trusted, for the
// methods of the comparison on view. Four pages: the rank summary with the
// Kendall and Spearman matrices; the sensitivity of one method to each
// indicator; the uncertainty over methods and indicator sets with its
// rank-interval chart; the bump chart and the scatter of two methods. Every
// table is written beside the workbook as it is computed (the robustness
// analyses of the workflow); every chart can be exported. The analyses run
// off the window's thread.
class RobustnessWindow : public QDialog {
    Q_OBJECT

public:
    // What became of an analysis.
    using Outcome = AnalysisOutcome;

    // loaded, when given, holds the matrix the processing window loaded,
    // which the analyses take when it is the workbook's and has the units
    // of the comparison; otherwise they read the workbook.
    RobustnessWindow(SharedState& state, std::shared_ptr<const Processing> loaded, Dialogs& dialogs,
                     const Regional& regional, QWidget* parent = nullptr);
    ~RobustnessWindow() override;

    // Shows the comparison whose ranks and cograduation matrix are given:
    // the rank summary, written to <workbook>.rob.csv, the two matrices and
    // the charts.
    Outcome showComparison(const RankMatrix& ranks, const CoefficientMatrix& cograduation);

    // The indicator sensitivity of the method chosen in the method list,
    // and the uncertainty over every compared method.
    Outcome computeSensitivity();
    Outcome computeUncertainty();
    // The Monte Carlo over the choices set on its page, over the compared
    // methods (the first nominal).
    Outcome computeMonteCarlo();

    const RobustnessPages& pages() const { return m_ui; }
    // Redraws the bump chart and the scatter of the methods chosen with the
    // units chosen highlighted; a chart already drawn from the same ranks,
    // units or methods is kept.
    void updateCharts();

    // The units chosen (by their index in the source matrix): those last
    // selected in one of the grids of units, or found by the search box.
    // Every grid of units shows them selected, every chart highlighted.
    const QList<int>& chosenUnits() const { return m_chosen; }
    void chooseUnits(const QList<int>& units);
    // Chooses the units whose label contains text (the search box's
    // request); says in the status bar how many it found.
    void searchUnits(const QString& text);

private:
    void connectControls();
    void drawScatter();
    // Takes the rows selected in grid as the units chosen.
    void followSelection(GridView* grid);
    // The unit of a row of grid.
    int unitOfRow(const GridView* grid, int row) const;
    std::vector<MethodPosition> comparedPositions() const;
    // The labels of the compared methods that are none of the nine: the
    // composites', in comparison order.
    QStringList comparedCompositeLabels() const;
    // The composite of the matrix whose label is label, if any.
    std::optional<Composite> compositeLabelled(const std::shared_ptr<const Matrix>& matrix,
                                               const QString& label) const;
    // The map page offers what the analyses computed so far.
    void showOnMap();
    // Says whether the analysis's table was written to file.
    Outcome reportSaved(const Status& saved, const QString& file, const QString& what);

    SharedState& m_state;
    Dialogs& m_dialogs;
    Regional m_regional;

    RankMatrix m_ranks;
    // The matrices the analyses are computed on.
    std::unique_ptr<AnalysedMatrices> m_matrices;
    // What the charts on view were drawn from (none after new ranks).
    bool m_bumpDrawn = false;
    QList<int> m_drawnSelection;
    std::pair<int, int> m_drawnAxes{-1, -1};
    QList<int> m_scatterSelection;
    QList<int> m_chosen;
    bool m_choosing = false; // while the grids are set to the units chosen

    RobustnessMaps m_maps;
    RobustnessModels m_models;
    RobustnessPages m_ui;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_work = nullptr;
};
