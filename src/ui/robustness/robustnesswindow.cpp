#include "ui/robustness/robustnesswindow.h"

#include "methods/metodi.h"
#include "robustness/kendall.h"
#include "robustness/robustnessfiles.h"
#include "robustness/sensitivity.h"
#include "ui/charts/chartexport.h"
#include "ui/charts/rankcharts.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/windowsetup.h"
#include "ui/robustness/shiftmodel.h"
#include "ui/robustness/tablesorting.h"
#include "workbook/caricamatrice.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace {

QLabel* etichetta(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

GridView* griglia(const QString& name, GridModel* model, QWidget* parent) {
    auto* grid = new GridView(parent);
    grid->setObjectName(name);
    grid->setGridModel(model);
    return grid;
}

QString percentuale(double share, const Regional& regional) {
    return regional.locale().toString(share * 100.0, 'f', 1) + u'%';
}

} // namespace

RobustnessWindow::RobustnessWindow(SharedState& state, Dialogs& dialogs, const Regional& regional,
                                   QWidget* parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_regional(regional),
      m_riepilogoModel(new TextTableModel(m_regional, this)),
      m_kendallModel(new CograduationModel(m_regional, this)),
      m_spearmanModel(new CograduationModel(m_regional, this)),
      m_sensibilitaModel(new ShiftModel(m_regional, this)),
      m_incertezzaModel(new TextTableModel(m_regional, this)) {
    setupChildWindow(*this, QStringLiteral("Robustezza"));
    setWindowTitle(childWindowTitle() + tr(" - Robustezza"));
    m_pagine = new QTabWidget(this);
    m_pagine->setObjectName(QStringLiteral("pagine"));
    m_pagine->addTab(paginaRiepilogo(), tr("&Ranghi"));
    m_pagine->addTab(paginaSensibilita(), tr("&Sensibilità agli indicatori"));
    m_pagine->addTab(paginaIncertezza(), tr("&Incertezza"));
    m_pagine->addTab(paginaGrafici(), tr("&Grafici"));
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(m_pagine, 1);
    layout->addWidget(m_stbStato);
    m_lavoro = new BackgroundWork(this, m_stbStato);
    m_lavoro->setControls({m_pagine});
    connect(m_pagine, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 3)
            aggiornaGrafici();
    });
    fitToScreen(*this, {1280, 820});
}

RobustnessWindow::~RobustnessWindow() = default;

QWidget* RobustnessWindow::paginaRiepilogo() {
    auto* page = new QWidget(this);
    m_msfRiepilogo = griglia(QStringLiteral("msfRiepilogo"), m_riepilogoModel, page);
    m_msfKendall = griglia(QStringLiteral("msfKendall"), m_kendallModel, page);
    m_msfSpearman = griglia(QStringLiteral("msfSpearman"), m_spearmanModel, page);
    m_lblRiepilogo = etichetta(QStringLiteral("lblRiepilogo"), page);
    m_msfRiepilogo->horizontalHeader()->setSortIndicatorShown(true);
    m_msfRiepilogo->horizontalHeader()->setSectionsClickable(true);
    connect(m_msfRiepilogo->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { ordinaRiepilogo(section + 1); });
    connect(m_msfRiepilogo, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_msfRiepilogo, -1, -1, false); });

    auto* matrici = new QHBoxLayout;
    matrici->addWidget(gridFrame(QStringLiteral("frmSpearman"), tr("Cograduazione (Spearman)"),
                                 m_msfSpearman, page));
    matrici->addWidget(gridFrame(QStringLiteral("frmKendall"), tr("Kendall"), m_msfKendall, page));
    auto* matriciWidget = new QWidget(page);
    matriciWidget->setLayout(matrici);
    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(gridFrame(QStringLiteral("frmRiepilogo"),
                                  tr("Ranghi nei metodi confrontati (clic "
                                     "sull'intestazione per ordinare)"),
                                  m_msfRiepilogo, page));
    splitter->addWidget(matriciWidget);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_lblRiepilogo);
    layout->addWidget(splitter, 1);
    return page;
}

QWidget* RobustnessWindow::paginaSensibilita() {
    auto* page = new QWidget(this);
    m_cmbMetodo = new QComboBox(page);
    m_cmbMetodo->setObjectName(QStringLiteral("cmbMetodo"));
    m_cmdSensibilita = new QPushButton(tr("Calcola"), page);
    m_cmdSensibilita->setObjectName(QStringLiteral("cmdSensibilita"));
    m_cmdSensibilita->setAutoDefault(false);
    m_cmdSensibilita->setToolTip(tr("Ripete il metodo escludendo un indicatore alla "
                                    "volta e salva la tabella accanto alla matrice"));
    auto* label = new QLabel(tr("&Metodo:"), page);
    label->setBuddy(m_cmbMetodo);
    auto* strip = new QHBoxLayout;
    strip->addWidget(label);
    strip->addWidget(m_cmbMetodo);
    strip->addWidget(m_cmdSensibilita);
    strip->addStretch(1);
    m_msfSensibilita = griglia(QStringLiteral("msfSensibilita"), m_sensibilitaModel, page);
    m_lblSensibilita = etichetta(QStringLiteral("lblSensibilita"), page);
    m_lblSensibilita->setText(
        tr("Spostamento = rango senza l'indicatore - rango con tutti gli indicatori "
           "(negativo: l'unità sale in graduatoria)."));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(strip);
    layout->addWidget(m_lblSensibilita);
    layout->addWidget(m_msfSensibilita, 1);
    connect(m_cmdSensibilita, &QPushButton::clicked, this, [this] { cmdSensibilita_Click(); });
    return page;
}

QWidget* RobustnessWindow::paginaIncertezza() {
    auto* page = new QWidget(this);
    m_cmdIncertezza = new QPushButton(tr("Calcola"), page);
    m_cmdIncertezza->setObjectName(QStringLiteral("cmdIncertezza"));
    m_cmdIncertezza->setAutoDefault(false);
    m_cmdIncertezza->setToolTip(tr("Incrocia ogni metodo confrontato con ogni insieme "
                                   "di indicatori e salva la tabella"));
    m_lblIncertezza = etichetta(QStringLiteral("lblIncertezza"), page);
    m_msfIncertezza = griglia(QStringLiteral("msfIncertezza"), m_incertezzaModel, page);
    m_intervalli = new RankIntervalChart(page);
    addExportMenu(m_intervalli->view(), m_dialogs, QString());
    auto* strip = new QHBoxLayout;
    strip->addWidget(m_cmdIncertezza);
    strip->addWidget(m_lblIncertezza, 1);
    strip->addWidget(bottoneEsporta(m_intervalli->view(), QStringLiteral(".intervalli"), page));
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter->addWidget(m_msfIncertezza);
    splitter->addWidget(m_intervalli);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(strip);
    layout->addWidget(splitter, 1);
    connect(m_cmdIncertezza, &QPushButton::clicked, this, [this] { cmdIncertezza_Click(); });
    return page;
}

QWidget* RobustnessWindow::paginaGrafici() {
    auto* page = new QWidget(this);
    m_bump = graficoConMenu(QStringLiteral("graficoRanghi"), QStringLiteral(".ranghi"));
    m_dispersione =
        graficoConMenu(QStringLiteral("graficoDispersione"), QStringLiteral(".dispersione"));
    m_cmbX = new QComboBox(page);
    m_cmbX->setObjectName(QStringLiteral("cmbAsseX"));
    m_cmbY = new QComboBox(page);
    m_cmbY->setObjectName(QStringLiteral("cmbAsseY"));
    auto* sinistra = new QVBoxLayout;
    auto* nota = new QLabel(tr("Le unità selezionate nella pagina «Ranghi» sono "
                               "evidenziate."),
                            page);
    auto* stripBump = new QHBoxLayout;
    stripBump->addWidget(nota, 1);
    stripBump->addWidget(bottoneEsporta(m_bump, QStringLiteral(".ranghi"), page));
    sinistra->addLayout(stripBump);
    sinistra->addWidget(m_bump, 1);
    auto* destra = new QVBoxLayout;
    auto* stripScatter = new QHBoxLayout;
    stripScatter->addWidget(new QLabel(tr("Asse orizzontale:"), page));
    stripScatter->addWidget(m_cmbX);
    stripScatter->addWidget(new QLabel(tr("verticale:"), page));
    stripScatter->addWidget(m_cmbY);
    stripScatter->addStretch(1);
    stripScatter->addWidget(bottoneEsporta(m_dispersione, QStringLiteral(".dispersione"), page));
    destra->addLayout(stripScatter);
    destra->addWidget(m_dispersione, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(sinistra, 1);
    layout->addLayout(destra, 1);
    connect(m_cmbX, &QComboBox::currentIndexChanged, this, &RobustnessWindow::disegnaDispersione);
    connect(m_cmbY, &QComboBox::currentIndexChanged, this, &RobustnessWindow::disegnaDispersione);
    return page;
}

QChartView* RobustnessWindow::graficoConMenu(const QString& name, const QString& suffix) {
    auto* view = new QChartView(this);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    addExportMenu(view, m_dialogs, m_state.strMatrice + suffix + QStringLiteral(".png"));
    return view;
}

QPushButton* RobustnessWindow::bottoneEsporta(QChartView* view, const QString& suffix,
                                              QWidget* parent) {
    auto* button = new QPushButton(tr("Esporta grafico..."), parent);
    button->setObjectName(QStringLiteral("cmdEsporta") + view->objectName());
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, view, suffix] {
        askAndExport(view, m_dialogs, m_state.strMatrice + suffix + QStringLiteral(".png"));
    });
    return button;
}

RobustnessWindow::Outcome RobustnessWindow::salva(const QString& path, const TextTable& table,
                                                  const QString& what) {
    QString error;
    const BackgroundWork::Outcome outcome = m_lavoro->run(
        tr("Scrittura di ") + what, [&](WorkProgress&) { error = writeTableFile(path, table); });
    if (outcome == BackgroundWork::Outcome::OutOfMemory)
        return Outcome::OutOfMemory;
    if (error.isEmpty()) {
        m_state.bRisultati = true;
        m_stbStato->setPanelText(tr("Salvato: "), path);
        return Outcome::Saved;
    }
    m_stbStato->setPanelText(what + tr(" non salvato"));
    m_dialogs.message(tr("L'analisi è stata eseguita, ma non è stata salvata.\n\n") + error,
                      childWindowTitle(), Dialogs::Icon::Critical);
    return Outcome::NotSaved;
}

RobustnessWindow::Outcome RobustnessWindow::mostra(const TextTable& ranks,
                                                   const TextTable& cograduation) {
    TextTable kendall;
    const Regional regional = m_regional;
    const BackgroundWork::Outcome outcome =
        m_lavoro->run(tr("Riepilogo dei ranghi"), [&](WorkProgress&) {
            m_ranghi = rankMatrixOf(ranks);
            m_sintesi = summarizeRanks(m_ranghi);
            m_tabellaRiepilogo = rankSummaryTable(m_ranghi, m_sintesi, regional);
            kendall = kendallMatrix(m_ranghi, regional);
        });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("riassumere i ranghi")),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return Outcome::OutOfMemory;
    }
    m_bumpDisegnato = false;
    m_assiDisegnati = {-1, -1};
    m_colonnaOrdine = -1;
    m_ordine.clear();
    for (int i = 0; i < m_ranghi.units(); ++i)
        m_ordine.push_back(i);
    m_msfRiepilogo->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_riepilogoModel->setTable(m_tabellaRiepilogo);
    fitColumnsAnswering(*m_msfRiepilogo);
    m_kendallModel->setTable(kendall);
    m_spearmanModel->setTable(cograduation);
    FG_AutosizeCols(*m_msfKendall, -1, -1, false);
    FG_AutosizeCols(*m_msfSpearman, -1, -1, false);
    m_lblRiepilogo->setText(
        tr("%1 unità, %2 metodi (riferimento: %3). Spostamento medio dal rango di "
           "riferimento: %4. Unità con lo stesso rango in ogni metodo: %5.")
            .arg(m_ranghi.units())
            .arg(m_ranghi.methodCount())
            .arg(m_ranghi.methods.value(0), m_regional.fixed4(m_sintesi.meanShift),
                 percentuale(m_sintesi.shareUnchanged, m_regional)));

    m_cmbMetodo->clear();
    for (const int position : posizioniConfrontate())
        m_cmbMetodo->addItem(methodCaption(methodTable()[std::size_t(position)].entryText),
                             position);
    const QSignalBlocker bx(m_cmbX), by(m_cmbY);
    m_cmbX->clear();
    m_cmbY->clear();
    m_cmbX->addItems(m_ranghi.methods);
    m_cmbY->addItems(m_ranghi.methods);
    m_cmbX->setCurrentIndex(0);
    m_cmbY->setCurrentIndex(std::min(1, int(m_ranghi.methods.size()) - 1));
    m_sensibilitaModel->clear();
    m_incertezzaModel->clear();
    m_intervalli->clear();
    m_lblIncertezza->setText(
        tr("%1 metodi x (indicatori + 1) graduatorie per unità.").arg(m_cmbMetodo->count()));
    // The charts are drawn when their page opens.
    if (m_pagine->currentIndex() == 3)
        aggiornaGrafici();
    return salva(rankSummaryFile(m_state.strMatrice), m_tabellaRiepilogo,
                 tr("riepilogo dei ranghi"));
}

void RobustnessWindow::ordinaRiepilogo(int col) {
    if (col < 1 || col >= m_tabellaRiepilogo.columnCount())
        return;
    m_verso = (col == m_colonnaOrdine && m_verso == Qt::AscendingOrder) ? Qt::DescendingOrder
                                                                        : Qt::AscendingOrder;
    m_colonnaOrdine = col;
    const std::vector<int> rows = sortedRows(m_tabellaRiepilogo, col, m_verso, m_regional);
    m_ordine.clear();
    for (const int r : rows)
        m_ordine.push_back(r - 1);
    m_riepilogoModel->setTable(withRowOrder(m_tabellaRiepilogo, rows));
    m_msfRiepilogo->horizontalHeader()->setSortIndicator(col - 1, m_verso);
}

void RobustnessWindow::aggiornaGrafici() {
    QList<int> scelte;
    if (QItemSelectionModel* selection = m_msfRiepilogo->selectionModel()) {
        std::set<int> rows;
        for (const QModelIndex& index : selection->selectedIndexes())
            rows.insert(index.row());
        for (const int row : rows)
            if (row >= 0 && row < int(m_ordine.size()))
                scelte.append(m_ordine[std::size_t(row)]);
    }
    if (!m_bumpDisegnato || scelte != m_sceltiDisegnati) {
        QChart* old = m_bump->chart();
        m_bump->setChart(bumpChart(m_ranghi, scelte));
        delete old;
        m_bumpDisegnato = true;
        m_sceltiDisegnati = scelte;
    }
    disegnaDispersione();
}

void RobustnessWindow::disegnaDispersione() {
    const std::pair<int, int> assi{m_cmbX->currentIndex(), m_cmbY->currentIndex()};
    if (assi == m_assiDisegnati)
        return;
    QChart* old = m_dispersione->chart();
    m_dispersione->setChart(rankScatterChart(m_ranghi, assi.first, assi.second));
    delete old;
    m_assiDisegnati = assi;
}

std::vector<int> RobustnessWindow::posizioniConfrontate() const {
    std::vector<int> positions;
    for (const QString& header : m_ranghi.methods)
        for (const MethodInfo& method : methodTable())
            if (method.indexHeader == header)
                positions.push_back(method.position);
    return positions;
}

const SharedState* RobustnessWindow::matrice(Outcome* outcome) {
    const auto adatta = [this](const SharedState& s) {
        return s.nRighe - 1 == m_ranghi.units() && s.nColonne >= 2 &&
               s.strMatrice == m_state.strMatrice;
    };
    if (adatta(m_state))
        return &m_state;
    if (adatta(m_letta))
        return &m_letta;
    m_letta = SharedState();
    m_letta.strMatrice = m_state.strMatrice;
    m_letta.strCartella = m_state.strCartella;
    LoadResult load;
    const Regional regional = m_regional;
    const BackgroundWork::Outcome run = m_lavoro->run(
        tr("Lettura della matrice"),
        [&](WorkProgress& progress) { load = carica_matrice(m_letta, regional, &progress); }, true);
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        *outcome = Outcome::OutOfMemory;
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("leggere la matrice")),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return nullptr;
    }
    if (!load.loaded()) {
        *outcome =
            load.status == LoadResult::Status::Cancelled ? Outcome::Cancelled : Outcome::Refused;
        if (!load.message.isEmpty())
            m_dialogs.message(load.message, childWindowTitle(), Dialogs::Icon::Warning);
        m_letta = SharedState();
        return nullptr;
    }
    if (!adatta(m_letta)) {
        *outcome = Outcome::Refused;
        m_dialogs.message(tr("La matrice sorgente non ha le unità del confronto: "
                             "eseguire di nuovo i metodi."),
                          childWindowTitle(), Dialogs::Icon::Warning);
        m_letta = SharedState();
        return nullptr;
    }
    return &m_letta;
}

RobustnessWindow::Outcome RobustnessWindow::cmdSensibilita_Click() {
    if (m_cmbMetodo->currentIndex() < 0)
        return Outcome::Refused;
    Outcome outcome = Outcome::Refused;
    const SharedState* s = matrice(&outcome);
    if (!s)
        return outcome;
    const int position = m_cmbMetodo->currentData().toInt();
    IndicatorSensitivity result;
    TextTable table;
    int largest = 0;
    const Regional regional = m_regional;
    const BackgroundWork::Outcome run = m_lavoro->run(
        tr("Sensibilità agli indicatori"),
        [&](WorkProgress& progress) {
            result = indicatorSensitivity(*s, position, regional, &progress);
            if (result.status != IndicatorSensitivity::Status::Done)
                return;
            // Millions of cells for a large matrix: written here, not in the window.
            table = sensitivityTable(result);
            for (int i = 0; i < int(result.labels.size()); ++i)
                largest = std::max(largest, result.largestShift(i));
        },
        true);
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("analizzare la sensibilità")),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return Outcome::OutOfMemory;
    }
    if (result.status == IndicatorSensitivity::Status::Cancelled)
        return Outcome::Cancelled;
    if (result.status == IndicatorSensitivity::Status::Refused) {
        m_dialogs.message(result.message, childWindowTitle(), Dialogs::Icon::Warning);
        return Outcome::Refused;
    }
    m_sensibilitaModel->setShifts(table, 2, int(result.indicators.size()) + 1, largest);
    fitColumnsAnswering(*m_msfSensibilita);
    QStringList notes{
        tr("%1: spostamento = rango senza l'indicatore - rango con tutti gli indicatori "
           "(negativo: l'unità sale in graduatoria).")
            .arg(result.code)};
    for (int j = 0; j < result.refusals.size(); ++j)
        if (!result.refusals[j].isEmpty())
            notes.append(tr("Senza %1: %2").arg(result.indicators[j], result.refusals[j]));
    m_lblSensibilita->setText(notes.join(u'\n'));
    return salva(sensitivityFile(m_state.strMatrice, result.code), table,
                 tr("sensibilità agli indicatori"));
}

RobustnessWindow::Outcome RobustnessWindow::cmdIncertezza_Click() {
    const std::vector<int> positions = posizioniConfrontate();
    if (positions.empty())
        return Outcome::Refused;
    Outcome outcome = Outcome::Refused;
    const SharedState* s = matrice(&outcome);
    if (!s)
        return outcome;
    RankUncertainty result;
    TextTable table;
    const Regional regional = m_regional;
    const BackgroundWork::Outcome run = m_lavoro->run(
        tr("Analisi d'incertezza"),
        [&](WorkProgress& progress) {
            result = rankUncertainty(*s, positions, regional, &progress);
            if (result.status == RankUncertainty::Status::Done)
                table = uncertaintyTable(result, regional);
        },
        true);
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        m_dialogs.message(BackgroundWork::outOfMemoryText(tr("analizzare l'incertezza")),
                          childWindowTitle(), Dialogs::Icon::Critical);
        return Outcome::OutOfMemory;
    }
    if (result.status == RankUncertainty::Status::Cancelled)
        return Outcome::Cancelled;
    if (result.status == RankUncertainty::Status::Refused) {
        m_dialogs.message(result.message, childWindowTitle(), Dialogs::Icon::Warning);
        return Outcome::Refused;
    }
    m_incertezzaModel->setTable(table);
    fitColumnsAnswering(*m_msfIncertezza);
    m_intervalli->setUncertainty(result);
    QStringList notes{tr("%1 graduatorie per unità (%2 x %3 insiemi di indicatori).")
                          .arg(result.rankings)
                          .arg(result.codes.join(QStringLiteral(", ")))
                          .arg(s->nColonne)};
    for (const QString& line : result.leftOut + result.refusedRuns)
        notes.append(line);
    m_lblIncertezza->setText(notes.join(u'\n'));
    return salva(uncertaintyFile(m_state.strMatrice), table, tr("analisi d'incertezza"));
}
