#pragma once

#include "methods/methodrunner.h"
#include "shared/regional.h"
#include "shared/sharedstate.h"
#include "shared/workprogress.h"
#include "ui/platform/dialogs.h"
#include "workbook/caricamatrice.h"

#include <QDialog>

#include <functional>

class BackgroundWork;
class ClockStatusBar;
class GridView;
class HintLabel;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class TableModel;

// The processing window: loads the selected matrix each time it opens,
// shows it, runs one method or all of them in list order, and shows the
// source or transformed matrix beside the values, working copy or ranks of
// the last method run. Loading and the methods run off the window's thread
// (see BackgroundWork): the window answers meanwhile and takes the results
// when the work has ended.
class IndiceMP : public QDialog {
    Q_OBJECT

public:
    // Reads the source matrix into the state, reporting to the progress and
    // stopping when it is cancelled; by default from the workbook at
    // strMatrice. Runs on a worker thread.
    using MatrixLoader = std::function<LoadResult(SharedState&, WorkProgress&)>;

    // What became of one method run.
    enum class RunOutcome { NotRun, Done, Refused, WriteFailed, OutOfMemory };

    IndiceMP(SharedState& state, Dialogs& dialogs, const Regional& regional,
             MatrixLoader loader = {}, QWidget* parent = nullptr);
    ~IndiceMP() override;

    // The load of each opening: hides the method controls, frames and
    // grids, loads the matrix and shows it with no method chosen. Returns
    // true when the window is ready to be shown. Loading can be cancelled:
    // false is returned, nothing said and the state left as it was. A
    // workbook that cannot be read is reported and false returned; a refused
    // matrix is reported and the program ended, and false returned.
    bool carica();

    // The handlers of the window's controls, also run by the window itself.
    RunOutcome cmbMetodo_Click();
    void cmdSelect_Click();
    // "Esporta risultati...": the matrix and every method's results into one
    // .xlsx, the last method shown in full precision with its transformed
    // matrix (see resultsoutput.h).
    void cmdEsporta_Click();
    void optTipo_Click(int index);
    void optTipoRisultato_Click(int index);

    GridView* msfMatrice() const { return m_msfMatrice; }
    GridView* msfRisultati() const { return m_msfRisultati; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QHBoxLayout* costruisciComandi();
    QSplitter* costruisciGriglie();
    void collega();
    // Shows the results of a run, or says why there are none.
    RunOutcome riporta(const MethodRunResult& result, int position, const QString& entry);
    void presenta();
    void mostraRisultati(bool visible);
    void adattaDati();
    void trattieniViste();
    void rilasciaViste();
    int larghezzaRisultati();
    void dividi();

    SharedState& m_state;
    Dialogs& m_dialogs;
    Regional m_regional;
    MatrixLoader m_loader;
    MethodRunner m_runner;
    // The label column of the result files, formatted at the first run on
    // the loaded matrix and shared by the runs after it.
    std::shared_ptr<const ResultLabels> m_etichette;
    int m_ultimoEseguito = -1; // list position of the last method shown
    int m_passo = 0;           // the method under way in the automatic processing, from 1
    int m_passi = 0;           // the methods of the automatic processing, 0 outside it

    TableModel* m_datiModel;
    TableModel* m_risultatiModel;
    // While a method runs, the grids read these copies of what they show.
    Table m_copiaDati;
    Table m_copiaRisultati;
    const Table* m_fonteDati = nullptr;
    const Table* m_fonteRisultati = nullptr;

    QPushButton* m_cmdSelect = nullptr;
    QPushButton* m_cmdEsporta = nullptr;
    QLabel* m_lblMetodo = nullptr;
    QComboBox* m_cmbMetodo = nullptr;
    QGroupBox* m_frmTipo = nullptr;
    QButtonGroup* m_optTipo = nullptr;
    QGroupBox* m_frmTipoRisultato = nullptr;
    QButtonGroup* m_optTipoRisultato = nullptr;
    QSplitter* m_splitter = nullptr;
    QGroupBox* m_frmMatrice = nullptr;
    GridView* m_msfMatrice = nullptr;
    HintLabel* m_attesa = nullptr;
    QGroupBox* m_frame1 = nullptr;
    GridView* m_msfRisultati = nullptr;
    HintLabel* m_suggerimento = nullptr;
    ClockStatusBar* m_stbStato = nullptr;
    BackgroundWork* m_lavoro = nullptr;
    int m_larghezzaRisultati = 0; // the width of the results pane, fixed at each load
    bool m_splitterMosso = false;
};
