#pragma once

#include "methods/methodrunner.h"
#include "shared/regional.h"
#include "shared/sharedstate.h"
#include "ui/platform/dialogs.h"
#include "workbook/caricamatrice.h"

#include <QDialog>

#include <functional>

class ClockStatusBar;
class GridView;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSplitter;
class TableModel;

// The processing window: loads the selected matrix each time it opens,
// shows it, runs one method or all of them in list order, and shows the
// source or transformed matrix beside the values, working copy or ranks of
// the last method run.
class IndiceMP : public QDialog {
    Q_OBJECT

public:
    // Reads the source matrix into the state; by default from the workbook
    // at strMatrice.
    using MatrixLoader = std::function<LoadResult(SharedState&)>;

    // What became of one method run.
    enum class RunOutcome { NotRun, Done, Refused, WriteFailed, NoMemory };

    IndiceMP(SharedState& state, Dialogs& dialogs, const Regional& regional,
             MatrixLoader loader = {}, QWidget* parent = nullptr);
    ~IndiceMP() override;

    // The load of each opening: hides the method controls, frames and
    // grids, loads the matrix and shows it with no method chosen. Returns
    // true when the window is ready to be shown. A workbook that cannot be
    // read is reported and false returned; a refused matrix is reported and
    // the program ended, and false returned.
    bool carica();

    // The handlers of the window's controls, also run by the window itself.
    RunOutcome cmbMetodo_Click();
    void cmdSelect_Click();
    void optTipo_Click(int index);
    void optTipoRisultato_Click(int index);

    GridView* msfMatrice() const { return m_msfMatrice; }
    GridView* msfRisultati() const { return m_msfRisultati; }

private:
    void costruisci();
    void presenta();
    void mostraRisultati(bool visible);
    void adattaRisultati();

    SharedState& m_state;
    Dialogs& m_dialogs;
    Regional m_regional;
    MatrixLoader m_loader;
    MethodRunner m_runner;
    int m_ultimoEseguito = -1; // list position of the last method shown

    TableModel* m_datiModel;
    TableModel* m_risultatiModel;

    QPushButton* m_cmdSelect = nullptr;
    QLabel* m_lblMetodo = nullptr;
    QComboBox* m_cmbMetodo = nullptr;
    QGroupBox* m_frmTipo = nullptr;
    QButtonGroup* m_optTipo = nullptr;
    QGroupBox* m_frmTipoRisultato = nullptr;
    QButtonGroup* m_optTipoRisultato = nullptr;
    QSplitter* m_splitter = nullptr;
    QGroupBox* m_frmMatrice = nullptr;
    GridView* m_msfMatrice = nullptr;
    QGroupBox* m_frame1 = nullptr;
    GridView* m_msfRisultati = nullptr;
    QLabel* m_suggerimento = nullptr;
    ClockStatusBar* m_stbStato = nullptr;
    bool m_splitterMosso = false;
};
