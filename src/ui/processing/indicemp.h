#pragma once

#include "shared/regional.h"
#include "ui/platform/dialogs.h"
#include "ui/processing/gapschoices.h"
#include "ui/processing/gridchoice.h"
#include "ui/processing/methodrunner.h"
#include "ui/processing/processingwidgets.h"
#include "ui/state/sharedstate.h"
#include "workflow/processing.h"

#include <QDialog>

#include <memory>
#include <vector>

class AuditWindow;
class CompositesDialog;
class BackgroundWork;
class ClockStatusBar;
class MapPage;
struct MatrixTables;
class QTabWidget;
class TableModel;

// The processing window: loads the selected matrix each time it opens,
// shows it, runs one method or all of them in list order, and shows the
// source or transformed matrix beside the values, working copy or ranks of
// the last method run. With a structure, its tree stands beside the matrix,
// a line says which structure is in use (a check box ignores it), and the
// results show the overall index or the group chosen. The work is the
// Processing workflow's, run off the window's thread (see BackgroundWork);
// the window shows its results through the tables of the shared state, and
// keeps the run on view for the export.
class QLabel;
class QPushButton;

class IndiceMP : public QDialog {
    Q_OBJECT

public:
    // processing holds the matrix loaded for the workbook, which the other
    // windows may read too.
    IndiceMP(SharedState& state, std::shared_ptr<Processing> processing, Dialogs& dialogs,
             const Regional& regional, QWidget* parent = nullptr);
    ~IndiceMP() override;

    // The load of each opening: hides the method controls, frames and
    // grids, loads the matrix of strMatrice and shows it with no method
    // chosen. Returns true when the window is ready to be shown. Loading can
    // be cancelled: false is returned, nothing said and the state left as it
    // was. A workbook that cannot be read is reported and false returned; a
    // refused matrix is reported and the program ended, and false returned.
    // Each opening reads the workbook's structure, the check box that
    // ignores it cleared. A structure that cannot be read or is refused is
    // reported and the window stays open (true) without a matrix, offering
    // the check box.
    bool load();

    // The handlers of the window's controls, also run by the window itself.
    void cmbMetodo_Click();
    void cmdSelect_Click();
    // "Esporta risultati...": the matrix and every method's results into one
    // .xlsx, the method shown in full precision with its transformed matrix,
    // as its run computed them (see resultsoutput.h).
    void exportResults();
    // "Analisi statistica...": the audit window over the matrix loaded
    // (null before a load); its outlier treatment replaces the matrix here
    // too.
    AuditWindow* openAudit();
    // "Metodi personalizzati...": the dialog that defines the workbook's
    // composites (window-modal, without waiting; null before a load); once
    // it saves them, the method list takes them after the nine.
    CompositesDialog* openComposites();
    void optTipo_Click(int index);
    void optTipoRisultato_Click(int index);
    // The group chosen in the view choice: the results grid shows its
    // indices under the method on view.
    void cmbDimensione_Click();
    // Loads the matrix again with its structure ignored, or not.
    void chkIgnoraStruttura_Click(bool checked);

    GridView* msfMatrice() const { return m_ui.msfMatrice; }
    GridView* msfRisultati() const { return m_ui.msfRisultati; }
    // The two pages: the grids, and the map of the results on view.
    QTabWidget* pages() const { return m_pages; }
    MapPage* mapPage() const { return m_map; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectControls();
    // load() without touching the structure choice.
    bool loadMatrix();
    // The controls, grids and run of the matrix before hidden or let go.
    void hideForLoading();
    // The matrix just loaded on view, with no method chosen.
    void showLoaded(MatrixTables& tables);
    // The treatment of the missing values on view, and the filled cells
    // marked in the source view.
    void showGaps();
    // Puts the results of the last method of runs that wrote its files in
    // the state and on view, the list on the method; keeps its run.
    void present(MethodRunner::Runs& runs);
    // The end of a run of every method: the summary in the status bar, the
    // refusals and the failure that stopped it in messages.
    void tellRunAll(const MethodRunner::Runs& runs);
    // The list back on the method on view (none before the first run).
    void listShownMethod();
    // The folder the result files are written in, as the status bar names it.
    QString resultsFolder() const;
    // Says that the method at position did not run, its files unwritten.
    void showNotWritten(int position, const Failure& cause);
    // The composites after the nine in the method list, none when they
    // could not be read (the reason kept for the dialog).
    void takeComposites(const Expected<CompositeList>& composites);
    // The composites read again after the dialog saved them; the results
    // of one on view are let go when it is gone, marked as to be computed
    // again when its definition changed.
    void reloadComposites();
    // The line that says what the grids show: the matrix as read or
    // treated, the gaps' treatment, the structure, the group on view; and
    // the results' title, naming the group and whether they are to be
    // computed again.
    void showState();
    // Asks for the treatment of missing values at any time and loads the
    // matrix again under it.
    void changeGapsTreatment();
    void divide();
    // The map page offers the index and ranks of the method on view.
    void showOnMap();
    // The units of the rows selected in grid outlined on the map; the
    // units clicked on the map selected in the data grid.
    void highlightFrom(const GridView* grid);
    void selectClicked(const QList<int>& units);
    // The units whose labels hold text chosen in the data grid and on the map.
    void searchUnits(const QString& text);
    QStringList unitLabels() const;

    SharedState& m_state;
    std::shared_ptr<Processing> m_processing;
    Dialogs& m_dialogs;
    Regional m_regional;
    GapsChoices m_gapsChoices;
    std::unique_ptr<MethodRunner> m_runner;
    int m_shownPosition = -1; // the method whose results are on view, -1 for none
    // What that method computed; null for none.
    std::shared_ptr<const MethodRun> m_shownRun;
    // Why the results on view are to be computed again (computed on the
    // matrix before its outlier treatment); empty when they are current.
    QString m_resultsStale;
    // Why the composites of the workbook were not read; empty when they were.
    QString m_compositesRefusal;
    TableModel* m_dataModel;
    TableModel* m_resultsModel;
    ProcessingWidgets m_ui;
    GridChoice m_grids;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_work = nullptr;
    AuditWindow* m_audit = nullptr;
    QTabWidget* m_pages = nullptr;
    MapPage* m_map = nullptr;
    int m_resultsWidth = 0; // the width of the results pane, fixed at each load
    bool m_splitterMoved = false;
};
