#include "ui/processing/indicemp.h"
#include "ui/report/resultsoutput.h"

#include "methods/metodi.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/tablemodel.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/windowsetup.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString titoloRisultati() {
    return QCoreApplication::translate("IndiceMP", "Matrice dei risultati");
}

} // namespace

IndiceMP::IndiceMP(SharedState& state, Dialogs& dialogs, const Regional& regional,
                   MatrixLoader loader, QWidget* parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_regional(regional),
      m_loader(std::move(loader)),
      m_datiModel(new TableModel(m_regional, TableModel::Format::Fixed4, this)),
      m_risultatiModel(new TableModel(m_regional, TableModel::Format::General, this)) {
    if (!m_loader) {
        m_loader = [regional = m_regional](SharedState& s, WorkProgress& progress) {
            return carica_matrice(s, regional, &progress);
        };
    }
    setupChildWindow(*this, QStringLiteral("IndiceMP"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    layout->addLayout(costruisciComandi());
    layout->addWidget(costruisciGriglie(), 1);
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    layout->addWidget(m_stbStato);
    m_lavoro = new BackgroundWork(this, m_stbStato);
    m_lavoro->setControls({m_cmdSelect, m_cmbMetodo, m_frmTipo, m_frmTipoRisultato, m_cmdEsporta});
    collega();
    fitToScreen(*this, {1280, 800});
}

IndiceMP::~IndiceMP() = default;

// The strip along the top: the automatic processing, the method list and
// the two view selectors.
QHBoxLayout* IndiceMP::costruisciComandi() {
    m_cmdSelect = new QPushButton(tr("Elaborazione automatica"), this);
    m_cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    m_cmdSelect->setAutoDefault(false);
    m_cmdSelect->setToolTip(tr("Esegue i nove metodi uno dopo l'altro, "
                               "nell'ordine dell'elenco"));

    m_lblMetodo = new QLabel(tr("Metodo"), this);
    m_lblMetodo->setObjectName(QStringLiteral("lblMetodo"));
    m_cmbMetodo = new QComboBox(this);
    m_cmbMetodo->setObjectName(QStringLiteral("cmbMetodo"));
    for (const MethodInfo& method : methodTable())
        m_cmbMetodo->addItem(methodCaption(method.entryText));
    m_cmbMetodo->setPlaceholderText(tr("Scegliere un metodo"));
    m_cmbMetodo->setCurrentIndex(-1);
    m_cmbMetodo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cmbMetodo->setMaxVisibleItems(9);
    m_lblMetodo->setBuddy(m_cmbMetodo);

    m_optTipo = new QButtonGroup(this);
    m_frmTipo = optionFrame(QStringLiteral("frmTipo"), tr("Visualizzazione matrice dei dati"),
                            QStringLiteral("optTipo"),
                            {{0, tr("Sorgente")}, {1, tr("Trasformata")}}, m_optTipo, this);
    m_optTipoRisultato = new QButtonGroup(this);
    m_frmTipoRisultato = optionFrame(
        QStringLiteral("frmTipoRisultato"), tr("Visualizzazione matrice dei risultati"),
        QStringLiteral("optTipoRisultato"),
        {{0, tr("Valori")}, {1, tr("Graduatoria")}, {2, tr("Ranghi")}}, m_optTipoRisultato, this);
    // The grids do not move when the view frames appear.
    keepSpaceWhenHidden(m_frmTipo);
    keepSpaceWhenHidden(m_frmTipoRisultato);

    auto* strip = new QHBoxLayout;
    strip->setSpacing(10);
    strip->addWidget(m_cmdSelect, 0, Qt::AlignVCenter);
    strip->addSpacing(6);
    strip->addWidget(m_lblMetodo, 0, Qt::AlignVCenter);
    strip->addWidget(m_cmbMetodo, 0, Qt::AlignVCenter);
    strip->addSpacing(6);
    strip->addWidget(m_frmTipo);
    strip->addWidget(m_frmTipoRisultato);
    strip->addStretch(1);
    m_cmdEsporta = new QPushButton(tr("Esporta risultati..."), this);
    m_cmdEsporta->setObjectName(QStringLiteral("cmdEsporta"));
    m_cmdEsporta->setAutoDefault(false);
    m_cmdEsporta->setToolTip(tr("Scrive la matrice e i risultati dei metodi in una "
                                "cartella di Excel"));
    strip->addWidget(m_cmdEsporta, 0, Qt::AlignVCenter);
    return strip;
}

// The data grid and the results grid side by side; the results pane keeps
// its width when the window changes size.
QSplitter* IndiceMP::costruisciGriglie() {
    m_msfMatrice = new GridView(this);
    m_msfMatrice->setObjectName(QStringLiteral("msfMatrice"));
    m_msfMatrice->setGridModel(m_datiModel);
    m_msfRisultati = new GridView(this);
    m_msfRisultati->setObjectName(QStringLiteral("msfRisultati"));
    m_msfRisultati->setGridModel(m_risultatiModel);

    m_frmMatrice =
        gridFrame(QStringLiteral("frmMatrice"), tr("Matrice dei dati"), m_msfMatrice, this);
    m_attesa = new HintLabel(QStringLiteral("lblAttesa"), m_frmMatrice);
    m_attesa->setText(tr("Lettura della matrice in corso..."));
    m_attesa->hide();
    m_frmMatrice->layout()->addWidget(m_attesa);

    m_frame1 = gridFrame(QStringLiteral("Frame1"), titoloRisultati(), m_msfRisultati, this);
    m_suggerimento = new HintLabel(QStringLiteral("lblSuggerimento"), m_frame1);
    m_suggerimento->setText(tr("Scegliere un metodo nell'elenco «Metodo» oppure "
                               "avviare l'«Elaborazione automatica»."));
    m_frame1->layout()->addWidget(m_suggerimento);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_frmMatrice);
    m_splitter->addWidget(m_frame1);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    return m_splitter;
}

void IndiceMP::collega() {
    connect(m_cmdSelect, &QPushButton::clicked, this, &IndiceMP::cmdSelect_Click);
    connect(m_cmdEsporta, &QPushButton::clicked, this, &IndiceMP::cmdEsporta_Click);
    connect(m_cmbMetodo, &QComboBox::activated, this, [this] { cmbMetodo_Click(); });
    connect(m_optTipo, &QButtonGroup::idClicked, this, &IndiceMP::optTipo_Click);
    connect(m_optTipoRisultato, &QButtonGroup::idClicked, this, &IndiceMP::optTipoRisultato_Click);
    connect(m_msfMatrice, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_msfMatrice, -1, -1, false); });
    connect(m_msfRisultati, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_msfRisultati, -1, -1, false); });
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMosso = true; });
}

bool IndiceMP::carica() {
    // The window does not close, and its controls stay off, until the
    // matrix is on view.
    const BackgroundWork::Series serie(*m_lavoro);
    m_lblMetodo->hide();
    m_cmbMetodo->hide();
    m_frmTipo->hide();
    m_frmTipoRisultato->hide();
    mostraRisultati(false);
    m_msfMatrice->hide();
    m_attesa->show();
    m_frame1->setTitle(titoloRisultati());
    m_frame1->setToolTip(QString());
    m_stbStato->setPanelText(QString());
    // The grids forget the old tables before the loader replaces them.
    m_datiModel->clear();
    m_risultatiModel->clear();

    LoadResult result;
    const BackgroundWork::Outcome outcome = m_lavoro->run(
        tr("Lettura della matrice"),
        [this, &result](WorkProgress& progress) {
            m_etichette.reset();
            result = m_loader(m_state, progress);
        },
        true);
    m_attesa->hide();
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(
            BackgroundWork::outOfMemoryText(
                tr("leggere la matrice %1").arg(QFileInfo(m_state.strMatrice).fileName())),
            childWindowTitle(), Dialogs::Icon::Critical);
        return false;
    }
    switch (result.status) {
    case LoadResult::Status::Cancelled:
        return false;
    case LoadResult::Status::Refused:
        m_dialogs.message(result.message, childWindowTitle(), Dialogs::Icon::None);
        m_dialogs.endProgram();
        return false;
    case LoadResult::Status::FileError:
        m_dialogs.message(result.message, childWindowTitle(), Dialogs::Icon::Critical);
        return false;
    case LoadResult::Status::Loaded:
        break;
    }

    optTipo_Click(0);
    m_optTipo->button(0)->setChecked(true);
    m_optTipoRisultato->button(0)->setChecked(true);
    m_cmbMetodo->setCurrentIndex(-1);
    m_ultimoEseguito = -1;
    m_stbStato->setPanelText(tr("Indice Sintetico "), m_state.strMatrice);
    m_lblMetodo->show();
    m_cmbMetodo->show();
    m_msfMatrice->show();
    // Each workbook gets the division that suits it, whatever the user made
    // of the last one.
    m_splitterMosso = false;
    m_larghezzaRisultati = larghezzaRisultati();
    dividi();
    return true;
}

IndiceMP::RunOutcome IndiceMP::cmbMetodo_Click() {
    const int position = m_cmbMetodo->currentIndex();
    if (position < 0)
        return RunOutcome::NotRun;
    const QString entry = methodTable()[std::size_t(position)].entryText;
    const QString code = methodCode(entry);
    const QString step = m_passi > 0 ? tr("Metodo %1 di %2: %3").arg(m_passo).arg(m_passi).arg(code)
                                     : tr("Esecuzione del metodo %1").arg(code);

    MethodRunResult result;
    trattieniViste();
    const BackgroundWork::Outcome outcome = m_lavoro->run(
        step, [this, &result, position, &entry, regional = m_regional](WorkProgress&) {
            // The worker formats with its own copy of the settings: the grids
            // go on using the window's.
            if (!m_etichette)
                m_etichette =
                    std::make_shared<const ResultLabels>(m_state.matDati, m_state.nRighe, regional);
            result = m_runner.run(m_state, position, entry, regional, m_etichette);
        });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        rilasciaViste();
        m_cmbMetodo->setCurrentIndex(m_ultimoEseguito);
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("eseguire il metodo %1").arg(code)),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return RunOutcome::OutOfMemory;
    }
    return riporta(result, position, entry);
}

IndiceMP::RunOutcome IndiceMP::riporta(const MethodRunResult& result, int position,
                                       const QString& entry) {
    switch (result.status) {
    case MethodRunResult::Status::Done: {
        BusyCursor busy;
        presenta();
        m_ultimoEseguito = position;
        m_frame1->setTitle(titoloRisultati() + QStringLiteral(": ") + methodCode(entry));
        m_frame1->setToolTip(methodCaption(entry));
        return RunOutcome::Done;
    }
    case MethodRunResult::Status::Refused:
        rilasciaViste();
        m_dialogs.message(result.message, childWindowTitle(), Dialogs::Icon::None);
        return RunOutcome::Refused;
    case MethodRunResult::Status::WriteFailed:
        break;
    }
    rilasciaViste();
    // The tables and grids still hold the last completed run: the list goes
    // back to that method, so that nothing shows the failed one as done.
    m_cmbMetodo->setCurrentIndex(m_ultimoEseguito);
    m_dialogs.message(tr("Il metodo %1 non è stato eseguito: i file dei risultati "
                         "non sono stati scritti.\n\n%2")
                          .arg(methodCode(entry), result.message),
                      childWindowTitle(), Dialogs::Icon::Critical);
    return RunOutcome::WriteFailed;
}

void IndiceMP::presenta() {
    m_lblMetodo->show();
    m_cmbMetodo->show();
    m_frmTipo->show();
    m_frmTipoRisultato->show();
    mostraRisultati(true);
    m_msfMatrice->show();
    m_optTipo->button(0)->setChecked(true);
    m_optTipoRisultato->button(0)->setChecked(true);
    // A data grid that shows the source matrix already shows it as the
    // source view would, fitted: the methods never change it.
    if (m_datiModel->table() != &m_state.matDati)
        optTipo_Click(0);
    optTipoRisultato_Click(0);
    m_copiaDati.clear();
    m_copiaRisultati.clear();
}

// While a method runs it replaces the state's result tables: the grids read
// copies of what they show until the run has ended. The data grid showing
// the source matrix reads on, as the methods only read it.
void IndiceMP::trattieniViste() {
    m_fonteDati = m_datiModel->table();
    if (m_fonteDati && m_fonteDati != &m_state.matDati) {
        m_copiaDati = *m_fonteDati;
        m_datiModel->readFrom(&m_copiaDati);
    }
    m_fonteRisultati = m_risultatiModel->table();
    if (m_fonteRisultati) {
        m_copiaRisultati = *m_fonteRisultati;
        m_risultatiModel->readFrom(&m_copiaRisultati);
    }
}

// The run changed no table: the grids read the state's tables again.
void IndiceMP::rilasciaViste() {
    if (m_fonteDati)
        m_datiModel->readFrom(m_fonteDati);
    if (m_fonteRisultati)
        m_risultatiModel->readFrom(m_fonteRisultati);
    m_copiaDati.clear();
    m_copiaRisultati.clear();
}

void IndiceMP::cmdSelect_Click() {
    const BackgroundWork::Series serie(*m_lavoro);
    m_passi = m_cmbMetodo->count();
    for (int i = 0; i < m_passi; ++i) {
        // The list shows each method while it runs.
        m_cmbMetodo->setCurrentIndex(i);
        m_passo = i + 1;
        const RunOutcome outcome = cmbMetodo_Click();
        // The same folder refuses every other method's files too, and
        // memory will not be found for them either.
        if (outcome == RunOutcome::WriteFailed || outcome == RunOutcome::OutOfMemory)
            break;
    }
    m_passi = 0;
    m_passo = 0;
}

void IndiceMP::optTipo_Click(int index) {
    const Table& source = index == 0 ? m_state.matDati : m_state.matTrasformata;
    m_datiModel->setTable(&source, m_state.nRighe, m_state.nColonne, &m_state.matDati);
    adattaDati();
}

// The data grid is fitted without the window going unanswered.
void IndiceMP::adattaDati() {
    fitColumnsAnswering(*m_msfMatrice);
}

void IndiceMP::optTipoRisultato_Click(int index) {
    const Table* source = &m_state.matValori;
    if (index == 0) {
        m_state.matGraduatoria = m_state.matValori;
    } else if (index == 1) {
        source = &m_state.matGraduatoria;
    } else {
        source = &m_state.matRanghi;
    }
    m_risultatiModel->setFormat(index == 2 ? TableModel::Format::General
                                           : TableModel::Format::IndexValues);
    m_risultatiModel->setTable(source, m_state.nRighe, 2);
    FG_AutosizeCols(*m_msfRisultati, -1, -1, false);
}

void IndiceMP::mostraRisultati(bool visible) {
    m_msfRisultati->setVisible(visible);
    m_suggerimento->setVisible(!visible);
}

// The width the results pane keeps for a matrix: its labels as the data grid
// fits them, and a value column for the widest index header or a number of
// as many digits as there are units (a rank, a sum of ranks); wider values
// scroll inside the pane.
int IndiceMP::larghezzaRisultati() {
    const QFontMetrics metrics(m_msfRisultati->font());
    int valori = 0;
    for (const MethodInfo& method : methodTable())
        valori = std::max(valori, metrics.horizontalAdvance(method.indexHeader));
    const double esempio = -std::max(1000.0, double(m_state.nRighe - 1));
    valori = std::max(valori, metrics.horizontalAdvance(m_regional.indexText(esempio)));
    valori += metrics.horizontalAdvance(u'W');
    const int grid = m_msfMatrice->gridColumnWidth(0) + valori +
                     m_msfRisultati->verticalScrollBar()->sizeHint().width() +
                     2 * m_msfRisultati->frameWidth() + 4;
    const QMargins margins = m_frame1->contentsMargins() + m_frame1->layout()->contentsMargins();
    // Never narrower than the frame needs with the grid on view and any
    // method's code in its caption.
    const QString caption = m_frame1->title();
    const bool hint = m_suggerimento->isVisibleTo(m_frame1);
    mostraRisultati(true);
    int minimum = 0;
    for (const MethodInfo& method : methodTable()) {
        m_frame1->setTitle(titoloRisultati() + QStringLiteral(": ") + methodCode(method.entryText));
        minimum = std::max(minimum, m_frame1->minimumSizeHint().width());
    }
    m_frame1->setTitle(caption);
    mostraRisultati(!hint);
    return std::max(grid + margins.left() + margins.right(), minimum);
}

// Gives the results pane its width, as long as the user has not moved the
// divider; the data grid keeps at least half.
void IndiceMP::dividi() {
    if (m_splitterMosso || m_larghezzaRisultati <= 0)
        return;
    const int total = m_splitter->width() - m_splitter->handleWidth();
    if (total <= 0)
        return;
    const int results = std::clamp(m_larghezzaRisultati, 160, total / 2);
    m_splitter->setSizes({total - results, results});
}

void IndiceMP::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    dividi();
}

void IndiceMP::cmdEsporta_Click() {
    std::optional<MethodInMemory> inMemory;
    if (m_ultimoEseguito >= 0)
        inMemory = MethodInMemory{methodCode(m_cmbMetodo->itemText(m_ultimoEseguito))};
    esportaRisultati(m_state, inMemory, m_dialogs, *m_lavoro, m_regional, childWindowTitle());
}
