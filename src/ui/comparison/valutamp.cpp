#include "ui/comparison/valutamp.h"
#include "ui/report/resultsoutput.h"

#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"
#include "shared/resultnames.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/windowsetup.h"
#include "ui/robustness/robustnesswindow.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The ids of the two view buttons: those of "Valori" and "Ranghi" in the
// processing window, which also offers "Graduatoria" (1) between them.
constexpr int kValori = 0;
constexpr int kRanghi = 2;

QFrame* separatore(const QString& name, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QListWidget* elenco(const QString& name, const QString& tip, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setToolTip(tip);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setDragEnabled(false);
    list->setUniformItemSizes(true);
    // Nine methods fit without scrolling.
    const int row = list->fontMetrics().height() + 4;
    list->setMinimumHeight(4 * row);
    list->setMaximumHeight(9 * row + 2 * list->frameWidth() + 6);
    return list;
}

QStringList voci(const QListWidget* list) {
    QStringList texts;
    texts.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// The index header of the method whose values result file is entry, told
// by the method code in its name; the code itself for a method the list
// does not know.
QString intestazione(const QString& entry) {
    const QString code = methodCodeOfResultFile(entry);
    const MethodInfo* method = methodWithCode(code);
    return method ? method->indexHeader : code;
}

} // namespace

ValutaMP::ValutaMP(SharedState& state, Dialogs& dialogs, const Regional& regional, QWidget* parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_regional(regional),
      m_valoriModel(new TextTableModel(m_regional, this)),
      m_ranghiModel(new TextTableModel(m_regional, this)),
      m_cograduazioneModel(new CograduationModel(m_regional, this)) {
    setupChildWindow(*this, QStringLiteral("ValutaMP"));
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(costruisciSelezione());
    m_splitter->addWidget(costruisciRisultati());
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    layout->addWidget(m_splitter, 1);
    layout->addLayout(costruisciUscite());
    layout->addWidget(m_stbStato);

    m_lavoro = new BackgroundWork(this, m_stbStato);
    m_lavoro->setControls({m_lstMetodi, m_lstSelezionati, m_cmdSelect, m_cmdRobustezza,
                           m_frmTipoRisultato, m_cmdEsporta, m_cmdRapporto});
    collega();
    fitToScreen(*this, {1280, 800});
}

ValutaMP::~ValutaMP() = default;

// Left half: the two lists, then the cograduation matrix.
QWidget* ValutaMP::costruisciSelezione() {
    m_frmMatrice = new QGroupBox(tr("Selezione dei metodi elaborati"), this);
    m_frmMatrice->setObjectName(QStringLiteral("frmMatrice"));
    m_lstMetodi = elenco(QStringLiteral("lstMetodi"),
                         tr("Doppio clic su un metodo per aggiungerlo al confronto"), m_frmMatrice);
    m_lstSelezionati =
        elenco(QStringLiteral("lstSelezionati"),
               tr("Doppio clic su un metodo per toglierlo dal confronto"), m_frmMatrice);
    auto* lblMetodi = new QLabel(tr("&Metodi elaborati"), m_frmMatrice);
    lblMetodi->setObjectName(QStringLiteral("lblMetodi"));
    lblMetodi->setBuddy(m_lstMetodi);
    auto* lblSelezionati =
        new QLabel(tr("Metodi da &confrontare, nell'ordine del confronto"), m_frmMatrice);
    lblSelezionati->setObjectName(QStringLiteral("lblSelezionati"));
    lblSelezionati->setBuddy(m_lstSelezionati);

    m_msfCograduazione = new GridView(this);
    m_msfCograduazione->setObjectName(QStringLiteral("msfCograduazione"));
    m_msfCograduazione->setGridModel(m_cograduazioneModel);
    m_frame2 = gridFrame(QStringLiteral("Frame2"), tr("Matrice di cograduazione"),
                         m_msfCograduazione, m_frmMatrice);

    auto* sinistra = new QVBoxLayout(m_frmMatrice);
    sinistra->setContentsMargins(8, 6, 8, 8);
    sinistra->setSpacing(4);
    sinistra->addWidget(lblMetodi);
    sinistra->addWidget(m_lstMetodi);
    sinistra->addSpacing(4);
    sinistra->addWidget(separatore(QStringLiteral("Line1"), m_frmMatrice));
    sinistra->addSpacing(4);
    sinistra->addWidget(lblSelezionati);
    sinistra->addWidget(m_lstSelezionati);
    sinistra->addSpacing(4);
    sinistra->addWidget(separatore(QStringLiteral("Line2"), m_frmMatrice));
    sinistra->addSpacing(4);
    sinistra->addWidget(m_frame2, 1);
    return m_frmMatrice;
}

// Right half: the run button and the view switch, then the results.
QWidget* ValutaMP::costruisciRisultati() {
    m_cmdSelect = new QPushButton(tr("Valutazione Metodi"), this);
    m_cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    m_cmdSelect->setAutoDefault(false);
    m_cmdSelect->setToolTip(tr("Confronta i metodi selezionati e salva il confronto "
                               "accanto alla matrice sorgente"));
    m_optTipoRisultato = new QButtonGroup(this);
    m_frmTipoRisultato =
        optionFrame(QStringLiteral("frmTipoRisultato"), tr("Visualizzazione matrice dei risultati"),
                    QStringLiteral("optTipoRisultato"),
                    {{kValori, tr("Valori")}, {kRanghi, tr("Ranghi")}}, m_optTipoRisultato, this);
    m_cmdRobustezza = new QPushButton(tr("Robustezza..."), this);
    m_cmdRobustezza->setObjectName(QStringLiteral("cmdRobustezza"));
    m_cmdRobustezza->setAutoDefault(false);
    m_cmdRobustezza->setToolTip(tr("Quanto sono stabili i ranghi: intervalli, Kendall, "
                                   "sensibilità agli indicatori, incertezza, grafici"));
    // The results do not move when the strip's controls appear.
    keepSpaceWhenHidden(m_cmdSelect);
    keepSpaceWhenHidden(m_cmdRobustezza);
    keepSpaceWhenHidden(m_frmTipoRisultato);
    auto* strip = new QHBoxLayout;
    strip->setSpacing(10);
    // The two buttons one above the other: the strip keeps its width.
    auto* bottoni = new QVBoxLayout;
    bottoni->setSpacing(4);
    bottoni->addWidget(m_cmdSelect);
    bottoni->addWidget(m_cmdRobustezza);
    strip->addLayout(bottoni);
    strip->addWidget(m_frmTipoRisultato);
    strip->addStretch(1);

    // The values and the ranks grid lie on each other; only the visible one
    // is seen.
    m_msfRisultati = new GridView(this);
    m_msfRisultati->setObjectName(QStringLiteral("msfRisultati"));
    m_msfRisultati->setGridModel(m_valoriModel);
    m_msfRanking = new GridView(this);
    m_msfRanking->setObjectName(QStringLiteral("msfRanking"));
    m_msfRanking->setGridModel(m_ranghiModel);
    m_frame1 = new QGroupBox(tr("Matrice dei risultati"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_suggerimento = new HintLabel(QStringLiteral("lblSuggerimento"), m_frame1);
    auto* risultati = new QGridLayout(m_frame1);
    risultati->setContentsMargins(6, 6, 6, 6);
    risultati->addWidget(m_msfRisultati, 0, 0);
    risultati->addWidget(m_msfRanking, 0, 0);
    risultati->addWidget(m_suggerimento, 0, 0);

    auto* destra = new QWidget(this);
    auto* destraLayout = new QVBoxLayout(destra);
    destraLayout->setContentsMargins(0, 0, 0, 0);
    destraLayout->setSpacing(6);
    destraLayout->addLayout(strip);
    destraLayout->addWidget(m_frame1, 1);
    return destra;
}

// The row under both halves: the results leave the program from here.
QHBoxLayout* ValutaMP::costruisciUscite() {
    m_cmdEsporta = new QPushButton(tr("Esporta risultati..."), this);
    m_cmdEsporta->setObjectName(QStringLiteral("cmdEsporta"));
    m_cmdEsporta->setAutoDefault(false);
    m_cmdEsporta->setToolTip(tr("Scrive la matrice, i risultati e i confronti in una "
                                "cartella di Excel"));
    m_cmdRapporto = new QPushButton(tr("Rapporto PDF..."), this);
    m_cmdRapporto->setObjectName(QStringLiteral("cmdRapporto"));
    m_cmdRapporto->setAutoDefault(false);
    m_cmdRapporto->setToolTip(tr("Scrive un rapporto sui risultati in un documento "
                                 "PDF"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_cmdEsporta);
    row->addWidget(m_cmdRapporto);
    return row;
}

void ValutaMP::collega() {
    setTabOrder(m_lstMetodi, m_lstSelezionati);
    setTabOrder(m_lstSelezionati, m_msfCograduazione);
    setTabOrder(m_msfCograduazione, m_cmdSelect);
    setTabOrder(m_cmdSelect, m_cmdRobustezza);
    setTabOrder(m_cmdRobustezza, m_optTipoRisultato->button(kValori));
    setTabOrder(m_optTipoRisultato->button(kValori), m_optTipoRisultato->button(kRanghi));
    setTabOrder(m_optTipoRisultato->button(kRanghi), m_msfRisultati);
    setTabOrder(m_msfRisultati, m_msfRanking);

    connect(m_lstMetodi, &QAbstractItemView::doubleClicked, this, &ValutaMP::lstMetodi_DblClick);
    connect(m_lstSelezionati, &QAbstractItemView::doubleClicked, this,
            &ValutaMP::lstSelezionati_DblClick);
    m_lstMetodi->installEventFilter(this);
    m_lstSelezionati->installEventFilter(this);
    connect(m_cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(m_cmdRobustezza, &QPushButton::clicked, this, [this] { cmdRobustezza_Click(); });
    connect(m_cmdEsporta, &QPushButton::clicked, this, &ValutaMP::cmdEsporta_Click);
    connect(m_cmdRapporto, &QPushButton::clicked, this, &ValutaMP::cmdRapporto_Click);
    connect(m_optTipoRisultato, &QButtonGroup::idClicked, this,
            [this] { optTipoRisultato_Click(); });
    connect(m_msfRisultati, &GridView::autosizeRequested, this, &ValutaMP::adattaRisultati);
    connect(this, &QDialog::finished, this, &ValutaMP::scarica);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMosso = true; });
}

void ValutaMP::carica() {
    m_lstMetodi->clear();
    m_lstSelezionati->clear();
    if (!m_state.strMatrice.isEmpty())
        m_lstMetodi->addItems(valuesResultFiles(m_state.strMatrice));
    m_valoriModel->clear();
    m_ranghiModel->clear();
    m_cograduazioneModel->clear();
    m_cmdSelect->hide();
    m_cmdRobustezza->hide();
    m_frmTipoRisultato->hide();
    m_optTipoRisultato->button(kValori)->setChecked(true);
    m_msfRisultati->show();
    m_msfRanking->show();
    m_stbStato->setPanelText(QString());
    m_splitterMosso = false;
    m_larghezzaSelezione = larghezzaSelezione();
    dividi();
    aggiornaSuggerimento();
    m_lstMetodi->setFocus();
}

// Everything shown goes when the window closes; the next opening lists the
// files afresh.
void ValutaMP::scarica() {
    if (m_robustezza)
        m_robustezza->close();
    m_lstMetodi->clear();
    m_lstSelezionati->clear();
    m_valoriModel->clear();
    m_ranghiModel->clear();
    m_cograduazioneModel->clear();
}

void ValutaMP::lstMetodi_DblClick() {
    sposta(m_lstMetodi, m_lstSelezionati);
}

void ValutaMP::lstSelezionati_DblClick() {
    sposta(m_lstSelezionati, m_lstMetodi);
}

void ValutaMP::sposta(QListWidget* from, QListWidget* to) {
    const int row = from->currentRow();
    if (row < 0 || row >= from->count())
        return;
    QListWidgetItem* item = from->takeItem(row);
    to->addItem(item);
    // The results on view no longer match the selection; the cograduation
    // matrix stays until the next run replaces it.
    m_frmTipoRisultato->hide();
    m_cmdRobustezza->hide();
    m_msfRisultati->hide();
    m_msfRanking->hide();
    m_cmdSelect->setVisible(m_lstSelezionati->count() > 1);
    aggiornaSuggerimento();
}

ValutaMP::RunOutcome ValutaMP::cmdSelect_Click() {
    const QStringList entries = voci(m_lstSelezionati);
    if (entries.size() < 2)
        return RunOutcome::NotRun;
    m_state.bRisultati = true;
    m_stbStato->setPanelText(QString());

    // The files are read, compared and the comparison written off the
    // window's thread; the grids take the tables afterwards.
    ComparisonResult result;
    QString writeError;
    const QString folder = m_state.strCartella;
    const QString matrice = m_state.strMatrice;
    const Regional regional = m_regional; // the worker's own copy
    const BackgroundWork::Outcome outcome =
        m_lavoro->run(tr("Lettura dei risultati"), [&](WorkProgress& progress) {
            result = compareMethods(folder, entries, regional, &progress);
            if (result.ok) {
                progress.report(tr("Scrittura dei file di confronto"));
                writeError = writeComparisonFiles(matrice, result);
            }
        });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("confrontare i metodi")),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return RunOutcome::OutOfMemory;
    }
    if (!result.ok) {
        // The files do not belong together: grids and files stay as they were.
        m_dialogs.message(result.message, childWindowTitle(), Dialogs::Icon::Warning);
        return RunOutcome::Refused;
    }
    mostra(result);
    if (writeError.isEmpty())
        return RunOutcome::Saved;
    // The comparison is on view, but must not pass for saved.
    m_stbStato->setPanelText(tr("Confronto non salvato"));
    m_dialogs.message(tr("Il confronto è stato eseguito, ma non è stato salvato.\n\n") + writeError,
                      childWindowTitle(), Dialogs::Icon::Critical);
    return RunOutcome::NotSaved;
}

void ValutaMP::cmdEsporta_Click() {
    esportaRisultati(m_state, std::nullopt, m_dialogs, *m_lavoro, m_regional, childWindowTitle());
}

void ValutaMP::cmdRapporto_Click() {
    rapportoPdf(m_state, m_dialogs, *m_lavoro, m_regional, childWindowTitle());
}

void ValutaMP::mostra(const ComparisonResult& result) {
    BusyCursor busy;
    m_lstSelezionati->setCurrentRow(m_lstSelezionati->count() - 1);
    m_valoriModel->setTable(result.values);
    m_ranghiModel->setTable(result.ranks);
    m_cograduazioneModel->setTable(result.cograduation);
    adattaCograduazione();
    m_frmTipoRisultato->show();
    m_cmdRobustezza->show();
    m_optTipoRisultato->button(kValori)->setChecked(true);
    optTipoRisultato_Click();
    adattaRisultati();
}

RobustnessWindow* ValutaMP::cmdRobustezza_Click() {
    if (m_ranghiModel->gridRowCount() < 2 || !m_cmdRobustezza->isVisibleTo(this))
        return nullptr;
    if (!m_robustezza)
        m_robustezza = new RobustnessWindow(m_state, m_dialogs, m_regional, this);
    m_robustezza->open();
    m_robustezza->mostra(m_ranghiModel->table(), m_cograduazioneModel->table());
    return m_robustezza;
}

void ValutaMP::optTipoRisultato_Click() {
    const bool valori = m_optTipoRisultato->button(kValori)->isChecked();
    m_msfRisultati->setVisible(valori);
    m_msfRanking->setVisible(!valori);
    aggiornaSuggerimento();
}

// The values grid fits its texts; the ranks grid takes the same widths, so
// that switching views leaves every column in its place.
void ValutaMP::adattaRisultati() {
    FG_AutosizeCols(*m_msfRisultati, -1, -1, false);
    const int columns =
        std::min(m_msfRisultati->gridColumnCount(), m_msfRanking->gridColumnCount());
    for (int c = 0; c < columns; ++c)
        m_msfRanking->setGridColumnWidth(c, m_msfRisultati->gridColumnWidth(c));
}

// Every method column of the cograduation matrix gets the same width: the
// width planned at the opening, or that of the widest text when it needs
// more, so that the matrix reads as a square table.
void ValutaMP::adattaCograduazione() {
    const TextTable& matrix = m_cograduazioneModel->table();
    const QFontMetrics metrics(m_msfCograduazione->font());
    int widest = 0;
    for (int r = 0; r < matrix.rowCount(); ++r)
        for (int c = 1; c < matrix.columnCount(); ++c)
            widest = std::max(widest, metrics.horizontalAdvance(matrix.cell(r, c)));
    const int width =
        std::max(widest + metrics.horizontalAdvance(QStringLiteral("W")), m_colonnaCograduazione);
    for (int c = 1; c < matrix.columnCount(); ++c)
        m_msfCograduazione->setGridColumnWidth(c, width);
}

// The width the selection needs to show the cograduation matrix of every
// listed method whole: their index headers and the coefficients ("-1,0000")
// in columns of one width. Sets that column width.
int ValutaMP::larghezzaSelezione() {
    const QFontMetrics metrics(m_msfCograduazione->font());
    int widest = metrics.horizontalAdvance(m_regional.fixed4(-1.0));
    const QStringList listed = voci(m_lstMetodi);
    for (const QString& entry : listed)
        widest = std::max(widest, metrics.horizontalAdvance(intestazione(entry)));
    m_colonnaCograduazione = widest + metrics.horizontalAdvance(QStringLiteral("W"));
    if (listed.isEmpty())
        return 0;
    const int header = m_colonnaCograduazione + 8; // the row headers, with the header's padding
    const int grid = 2 * m_msfCograduazione->frameWidth() + 4 + header +
                     int(listed.size()) * m_colonnaCograduazione;
    const QMargins margins = m_frmMatrice->contentsMargins() +
                             m_frmMatrice->layout()->contentsMargins() +
                             m_frame2->contentsMargins() + m_frame2->layout()->contentsMargins();
    return grid + margins.left() + margins.right();
}

// The selection takes the left half of the window, or more, up to three
// fifths, when the cograduation matrix of every listed method needs it to
// be seen whole; runs do not change it, and once the user has moved the
// divider it stays where it was put until the next opening.
void ValutaMP::dividi() {
    if (m_splitterMosso)
        return;
    const int total = m_splitter->width() - m_splitter->handleWidth();
    if (total <= 0)
        return;
    const int left = std::max(total / 2, std::min(m_larghezzaSelezione, total * 3 / 5));
    m_splitter->setSizes({left, total - left});
}

void ValutaMP::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    dividi();
}

void ValutaMP::aggiornaSuggerimento() {
    const bool risultati = m_valoriModel->gridRowCount() > 0 &&
                           (m_msfRisultati->isVisibleTo(this) || m_msfRanking->isVisibleTo(this));
    if (risultati) {
        m_suggerimento->hide();
        return;
    }
    if (m_lstMetodi->count() + m_lstSelezionati->count() == 0)
        m_suggerimento->setText(tr("Nessun metodo è ancora stato elaborato per questa "
                                   "matrice: eseguire prima i metodi da "
                                   "«Elaborazione metodi»."));
    else if (m_lstSelezionati->count() < 2)
        m_suggerimento->setText(tr("Fare doppio clic su almeno due metodi elaborati "
                                   "per aggiungerli al confronto."));
    else
        m_suggerimento->setText(tr("Premere «Valutazione Metodi» per confrontare i "
                                   "metodi selezionati."));
    m_suggerimento->show();
    m_suggerimento->raise();
}

// Enter on an entry moves it like a double click.
bool ValutaMP::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == m_lstMetodi || watched == m_lstSelezionati)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_lstMetodi)
                lstMetodi_DblClick();
            else
                lstSelezionati_DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
