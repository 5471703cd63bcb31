#include "ui/comparison/valutamp.h"

#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/platform/busycursor.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/memoryguard.h"

#include <QButtonGroup>
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
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTitolo = QStringLiteral("Orvalta");

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

void trattieniPosto(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

ValutaMP::ValutaMP(SharedState& state, Dialogs& dialogs, const Regional& regional, QWidget* parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_regional(regional),
      m_valoriModel(new TextTableModel(m_regional, this)),
      m_ranghiModel(new TextTableModel(m_regional, this)),
      m_cograduazioneModel(new CograduationModel(m_regional, this)) {
    costruisci();
}

ValutaMP::~ValutaMP() = default;

void ValutaMP::costruisci() {
    setObjectName(QStringLiteral("ValutaMP"));
    setWindowTitle(kTitolo);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    // Left half: the two lists, then the cograduation matrix.
    m_frmMatrice = new QGroupBox(QStringLiteral("Selezione dei metodi elaborati"), this);
    m_frmMatrice->setObjectName(QStringLiteral("frmMatrice"));
    m_lstMetodi = elenco(QStringLiteral("lstMetodi"),
                         QStringLiteral("Doppio clic su un metodo per aggiungerlo al confronto"),
                         m_frmMatrice);
    m_lstSelezionati = elenco(
        QStringLiteral("lstSelezionati"),
        QStringLiteral("Doppio clic su un metodo per toglierlo dal confronto"), m_frmMatrice);
    auto* lblMetodi = new QLabel(QStringLiteral("&Metodi elaborati"), m_frmMatrice);
    lblMetodi->setObjectName(QStringLiteral("lblMetodi"));
    lblMetodi->setBuddy(m_lstMetodi);
    auto* lblSelezionati = new QLabel(
        QStringLiteral("Metodi da &confrontare, nell'ordine del confronto"), m_frmMatrice);
    lblSelezionati->setObjectName(QStringLiteral("lblSelezionati"));
    lblSelezionati->setBuddy(m_lstSelezionati);

    m_msfCograduazione = new GridView(this);
    m_msfCograduazione->setObjectName(QStringLiteral("msfCograduazione"));
    m_msfCograduazione->setGridModel(m_cograduazioneModel);
    m_frame2 = new QGroupBox(QStringLiteral("Matrice di cograduazione"), m_frmMatrice);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    auto* frame2Layout = new QVBoxLayout(m_frame2);
    frame2Layout->setContentsMargins(6, 6, 6, 6);
    frame2Layout->addWidget(m_msfCograduazione);

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

    // Right half: the run button and the view switch, then the results.
    m_cmdSelect = new QPushButton(QStringLiteral("Valutazione Metodi"), this);
    m_cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    m_cmdSelect->setAutoDefault(false);
    m_cmdSelect->setToolTip(QStringLiteral("Confronta i metodi selezionati e salva il confronto "
                                           "accanto alla matrice sorgente"));

    m_frmTipoRisultato =
        new QGroupBox(QStringLiteral("Visualizzazione matrice dei risultati"), this);
    m_frmTipoRisultato->setObjectName(QStringLiteral("frmTipoRisultato"));
    m_optTipoRisultato = new QButtonGroup(this);
    auto* opzioni = new QHBoxLayout(m_frmTipoRisultato);
    opzioni->setContentsMargins(8, 4, 8, 4);
    for (const auto& [id, caption] : {std::pair{kValori, QStringLiteral("Valori")},
                                      std::pair{kRanghi, QStringLiteral("Ranghi")}}) {
        auto* option = new QRadioButton(caption, m_frmTipoRisultato);
        option->setObjectName(QStringLiteral("optTipoRisultato") + QString::number(id));
        m_optTipoRisultato->addButton(option, id);
        opzioni->addWidget(option);
    }
    m_optTipoRisultato->button(kValori)->setChecked(true);

    // The strip keeps its height while its controls are hidden, so that the
    // results do not move when they appear.
    trattieniPosto(m_cmdSelect);
    trattieniPosto(m_frmTipoRisultato);
    auto* strip = new QHBoxLayout;
    strip->setSpacing(10);
    strip->addWidget(m_cmdSelect, 0, Qt::AlignVCenter);
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
    m_frame1 = new QGroupBox(QStringLiteral("Matrice dei risultati"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_suggerimento = new QLabel(m_frame1);
    m_suggerimento->setObjectName(QStringLiteral("lblSuggerimento"));
    m_suggerimento->setAlignment(Qt::AlignCenter);
    m_suggerimento->setWordWrap(true);
    m_suggerimento->setContentsMargins(16, 0, 16, 0);
    m_suggerimento->setEnabled(false);
    m_suggerimento->setAttribute(Qt::WA_TransparentForMouseEvents);
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

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_frmMatrice);
    m_splitter->addWidget(destra);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);

    m_stbStato = new ClockStatusBar(m_regional.locale(), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_stbStato);

    setTabOrder(m_lstMetodi, m_lstSelezionati);
    setTabOrder(m_lstSelezionati, m_msfCograduazione);
    setTabOrder(m_msfCograduazione, m_cmdSelect);
    setTabOrder(m_cmdSelect, m_optTipoRisultato->button(kValori));
    setTabOrder(m_optTipoRisultato->button(kValori), m_optTipoRisultato->button(kRanghi));
    setTabOrder(m_optTipoRisultato->button(kRanghi), m_msfRisultati);
    setTabOrder(m_msfRisultati, m_msfRanking);

    connect(m_lstMetodi, &QAbstractItemView::doubleClicked, this, &ValutaMP::lstMetodi_DblClick);
    connect(m_lstSelezionati, &QAbstractItemView::doubleClicked, this,
            &ValutaMP::lstSelezionati_DblClick);
    m_lstMetodi->installEventFilter(this);
    m_lstSelezionati->installEventFilter(this);
    connect(m_cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(m_optTipoRisultato, &QButtonGroup::idClicked, this,
            [this] { optTipoRisultato_Click(); });
    connect(m_msfRisultati, &GridView::autosizeRequested, this, &ValutaMP::adattaRisultati);
    connect(this, &QDialog::finished, this, &ValutaMP::scarica);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMosso = true; });

    const QRect screen =
        this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1400, 900);
    resize(std::min(1280, screen.width() * 9 / 10), std::min(800, screen.height() * 9 / 10));
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
    m_frmTipoRisultato->hide();
    m_optTipoRisultato->button(kValori)->setChecked(true);
    m_msfRisultati->show();
    m_msfRanking->show();
    m_stbStato->setPanelText(QString());
    m_splitterMosso = false;
    dividi();
    aggiornaSuggerimento();
    m_lstMetodi->setFocus();
}

// Everything shown goes when the window closes; the next opening lists the
// files afresh.
void ValutaMP::scarica() {
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

    ComparisonResult result;
    {
        BusyCursor busy;
        if (!azioneConMemoria(m_dialogs, QStringLiteral("confrontare i metodi"), [&] {
                result = compareMethods(m_state.strCartella, entries, m_regional);
            }))
            return RunOutcome::NoMemory;
    }
    if (!result.ok) {
        // The files do not belong together: grids and files stay as they were.
        m_dialogs.message(result.message, kTitolo, Dialogs::Icon::Warning);
        return RunOutcome::Refused;
    }

    QString writeError;
    bool memoria = true;
    {
        BusyCursor busy;
        memoria =
            azioneConMemoria(m_dialogs, QStringLiteral("mostrare e salvare il confronto"), [&] {
                m_lstSelezionati->setCurrentRow(int(entries.size()) - 1);
                m_valoriModel->setTable(result.values);
                m_ranghiModel->setTable(result.ranks);
                m_cograduazioneModel->setTable(result.cograduation);
                adattaCograduazione();
                m_frmTipoRisultato->show();
                optTipoRisultato_Click();
                writeError = writeComparisonFiles(m_state.strMatrice, result);
                m_optTipoRisultato->button(kValori)->setChecked(true);
                optTipoRisultato_Click();
                adattaRisultati();
            });
    }
    if (!memoria) {
        // Nothing half shown; the files are written whole or not at all.
        m_valoriModel->clear();
        m_ranghiModel->clear();
        m_cograduazioneModel->clear();
        m_frmTipoRisultato->hide();
        m_stbStato->setPanelText(QStringLiteral("Confronto non salvato"));
        return RunOutcome::NoMemory;
    }
    if (writeError.isEmpty())
        return RunOutcome::Saved;
    // The comparison is on view, but must not pass for saved.
    m_stbStato->setPanelText(QStringLiteral("Confronto non salvato"));
    m_dialogs.message(QStringLiteral("Il confronto è stato eseguito, ma non è stato salvato.\n\n") +
                          writeError,
                      kTitolo, Dialogs::Icon::Critical);
    return RunOutcome::NotSaved;
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

// Every method column of the cograduation matrix gets the same width, that
// of its widest text, so that the matrix reads as a square table.
void ValutaMP::adattaCograduazione() {
    const TextTable& matrix = m_cograduazioneModel->table();
    const QFontMetrics metrics(m_msfCograduazione->font());
    int widest = 0;
    for (int r = 0; r < matrix.rowCount(); ++r)
        for (int c = 1; c < matrix.columnCount(); ++c)
            widest = std::max(widest, metrics.horizontalAdvance(matrix.cell(r, c)));
    const int width = widest + metrics.horizontalAdvance(QStringLiteral("W"));
    for (int c = 1; c < matrix.columnCount(); ++c)
        m_msfCograduazione->setGridColumnWidth(c, width);
    dividi();
}

// The selection takes the left half of the window, or more, up to three
// fifths, when the cograduation matrix needs it to be seen whole; once the
// user has moved the divider it stays where it was put.
void ValutaMP::dividi() {
    if (m_splitterMosso)
        return;
    const int total = m_splitter->width() - m_splitter->handleWidth();
    if (total <= 0)
        return;
    int grid = 2 * m_msfCograduazione->frameWidth() + 4;
    if (m_cograduazioneModel->gridColumnCount() > 0) {
        grid += m_msfCograduazione->verticalHeader()->sizeHint().width();
        for (int c = 1; c < m_cograduazioneModel->gridColumnCount(); ++c)
            grid += m_msfCograduazione->gridColumnWidth(c);
    }
    const QMargins margins = m_frmMatrice->contentsMargins() +
                             m_frmMatrice->layout()->contentsMargins() +
                             m_frame2->contentsMargins() + m_frame2->layout()->contentsMargins();
    const int wanted = grid + margins.left() + margins.right();
    const int left = std::max(total / 2, std::min(wanted, total * 3 / 5));
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
        m_suggerimento->setText(QStringLiteral("Nessun metodo è ancora stato elaborato per questa "
                                               "matrice: eseguire prima i metodi da "
                                               "«Elaborazione metodi»."));
    else if (m_lstSelezionati->count() < 2)
        m_suggerimento->setText(QStringLiteral("Fare doppio clic su almeno due metodi elaborati "
                                               "per aggiungerli al confronto."));
    else
        m_suggerimento->setText(QStringLiteral("Premere «Valutazione Metodi» per confrontare i "
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
