#pragma once

#include "shared/regional.h"
#include "shared/sharedstate.h"
#include "ui/platform/dialogs.h"

#include <QDialog>

class BackgroundWork;
class ClockStatusBar;
class CograduationModel;
struct ComparisonResult;
class GridView;
class HintLabel;
class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSplitter;
class QWidget;
class RobustnessWindow;
class TextTableModel;

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

    ValutaMP(SharedState& state, Dialogs& dialogs, const Regional& regional,
             QWidget* parent = nullptr);
    ~ValutaMP() override;

    // The load of each opening: every values result file of strMatrice
    // listed in name order, none selected, the run button and the view
    // frame hidden, the three grids empty. The selection takes the width
    // that a comparison of every listed method needs, and keeps it.
    void carica();

    // The handlers of the window's controls. A double click moves the
    // current entry of its list to the end of the other list; with no
    // current entry it does nothing.
    void lstMetodi_DblClick();
    void lstSelezionati_DblClick();
    RunOutcome cmdSelect_Click();
    // "Esporta risultati..." and "Rapporto PDF...": every result of the
    // workbook into one .xlsx, or its report as a PDF (see resultsoutput.h).
    void cmdEsporta_Click();
    void cmdRapporto_Click();
    void optTipoRisultato_Click();
    // Opens the robustness window (window-modal, without waiting) on the
    // comparison on view; nothing without one. Returns the window.
    RobustnessWindow* cmdRobustezza_Click();

    QListWidget* lstMetodi() const { return m_lstMetodi; }
    QListWidget* lstSelezionati() const { return m_lstSelezionati; }
    GridView* msfRisultati() const { return m_msfRisultati; }
    GridView* msfRanking() const { return m_msfRanking; }
    GridView* msfCograduazione() const { return m_msfCograduazione; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* costruisciSelezione();
    QWidget* costruisciRisultati();
    QHBoxLayout* costruisciUscite();
    void collega();
    void sposta(QListWidget* from, QListWidget* to);
    // Puts a comparison on view as a run leaves it.
    void mostra(const ComparisonResult& result);
    void adattaRisultati();
    void adattaCograduazione();
    int larghezzaSelezione();
    void dividi();
    void aggiornaSuggerimento();
    void scarica();

    SharedState& m_state;
    Dialogs& m_dialogs;
    Regional m_regional;

    TextTableModel* m_valoriModel;
    TextTableModel* m_ranghiModel;
    CograduationModel* m_cograduazioneModel;

    QSplitter* m_splitter = nullptr;
    bool m_splitterMosso = false;
    int m_larghezzaSelezione = 0;   // the width of the selection, fixed at each opening
    int m_colonnaCograduazione = 0; // the width of a method column of the matrix
    QGroupBox* m_frmMatrice = nullptr;
    QListWidget* m_lstMetodi = nullptr;
    QListWidget* m_lstSelezionati = nullptr;
    QGroupBox* m_frame2 = nullptr;
    GridView* m_msfCograduazione = nullptr;
    QPushButton* m_cmdSelect = nullptr;
    QPushButton* m_cmdRobustezza = nullptr;
    RobustnessWindow* m_robustezza = nullptr;
    QPushButton* m_cmdEsporta = nullptr;
    QPushButton* m_cmdRapporto = nullptr;
    QGroupBox* m_frmTipoRisultato = nullptr;
    QButtonGroup* m_optTipoRisultato = nullptr;
    QGroupBox* m_frame1 = nullptr;
    GridView* m_msfRisultati = nullptr;
    GridView* m_msfRanking = nullptr;
    HintLabel* m_suggerimento = nullptr;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_lavoro = nullptr;
};
