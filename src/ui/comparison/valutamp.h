#pragma once

#include "shared/regional.h"
#include "ui/comparison/comparisonwidgets.h"
#include "ui/platform/dialogs.h"
#include "ui/state/sharedstate.h"
#include "workflow/processing.h"

#include <QDialog>

#include <memory>

class BackgroundWork;
class ClockStatusBar;
class CograduationModel;
struct ComparisonResult;
class GridView;
class QListWidget;
class QSplitter;
class RobustnessWindow;
class ComparisonModel;

// The comparison window: lists the values result files of the selected
// workbook, lets the user move two or more of them into the list of the
// methods to compare, and compares them: their values and ranks side by
// side, the cograduation matrix of the ranks, and the two comparison files
// beside the workbook. Everything it shows is rebuilt at each opening and
// each run; nothing of it outlives the window's closing. A comparison runs
// off the window's thread (see BackgroundWork).
class ValutaMP : public QDialog {
    Q_OBJECT

public:
    // What became of a run of the comparison.
    enum class RunOutcome {
        NotRun,     // fewer than two methods selected
        Refused,    // the result files do not belong together: nothing changed
        NotSaved,   // compared and shown, but a comparison file could not be written
        Saved,      // compared, shown and both comparison files written
        OutOfMemory // memory ran out: nothing changed
    };

    // loaded, when given, holds the matrix the processing window loaded:
    // the outputs and the analyses take it when it is the workbook's
    // instead of reading the workbook again.
    ValutaMP(SharedState& state, std::shared_ptr<const Processing> loaded, Dialogs& dialogs,
             const Regional& regional, QWidget* parent = nullptr);
    ~ValutaMP() override;

    // The load of each opening: every values result file of strMatrice
    // listed in name order, the nine methods' before the composites', none selected, the run button
    // and the view frame hidden, the three grids empty. The selection takes the width that a
    // comparison of every listed method needs, and keeps it.
    void load();

    // The handlers of the window's controls. A double click moves the
    // current entry of its list to the end of the other list; with no
    // current entry it does nothing.
    void lstMetodi_DblClick();
    void lstSelezionati_DblClick();
    // "Tutti": every method listed goes to the comparison, in the method
    // table's order (MPI+ first).
    void chooseAll();
    RunOutcome cmdSelect_Click();
    // "Esporta risultati..." and "Rapporto PDF...": every result of the
    // workbook into one .xlsx, or its report as a PDF (see resultsoutput.h).
    void exportResults();
    void writeReport();
    // Lists the values result files of the workbook.
    void listResultFiles();
    // What the matrix loaded was made from, when one is loaded.
    std::optional<MatrixBasis> loadedBasis() const;
    void optTipoRisultato_Click();
    // Opens the robustness window (window-modal, without waiting) on the
    // comparison on view; nothing without one. Returns the window.
    RobustnessWindow* openRobustness();

    QListWidget* lstMetodi() const { return m_ui.lstMetodi; }
    QListWidget* lstSelezionati() const { return m_ui.lstSelezionati; }
    GridView* msfRisultati() const { return m_ui.msfRisultati; }
    GridView* msfRanking() const { return m_ui.msfRanking; }
    GridView* msfCograduazione() const { return m_ui.msfCograduazione; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectControls();
    void moveEntry(QListWidget* from, QListWidget* to);
    // After the chosen methods changed: remembered for the workbook, the
    // results that no longer match them hidden.
    void selectionChanged();
    // Puts a comparison on view as a run leaves it.
    void showComparison(ComparisonResult comparison);
    void fitResults();
    void fitCograduation();
    int selectionWidth();
    void divide();
    void updateHint();
    void unload();

    SharedState& m_state;
    std::shared_ptr<const Processing> m_loaded;
    Dialogs& m_dialogs;
    Regional m_regional;

    ComparisonModel* m_valuesModel;
    ComparisonModel* m_ranksModel;
    CograduationModel* m_cograduationModel;
    ComparisonWidgets m_ui;

    QSplitter* m_splitter = nullptr;
    bool m_splitterMoved = false;
    int m_selectionWidth = 0;     // the width of the selection, fixed at each opening
    int m_cograduationColumn = 0; // the width of a method column of the matrix
    RobustnessWindow* m_robustness = nullptr;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_work = nullptr;
};
