#include "ui/audit/auditwindow.h"

#include "record/outputrecorder.h"
#include "ui/audit/auditcharts.h"
#include "ui/audit/correlationheatmap.h"
#include "ui/charts/chartactions.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/windowsetup.h"
#include "workflow/compositerun.h"
#include "workflow/methodcoherence.h"

#include <QButtonGroup>
#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The indicator table, the rows of the flagged indicators highlighted.
class FlaggedRowsModel : public TextTableModel {
public:
    FlaggedRowsModel(const Regional& regional, const std::vector<char>& flagged, QObject* parent)
        : TextTableModel(regional, parent), m_flagged(flagged) {}

    QColor cellBackground(int row, int col) const override {
        const std::size_t indicator = std::size_t(row - 1);
        if (row > 0 && indicator < m_flagged.size() && m_flagged[indicator])
            return QColor(0xff, 0xd8, 0x8a);
        return TextTableModel::cellBackground(row, col);
    }

private:
    const std::vector<char>& m_flagged;
};

GridView* grid(const QString& name, GridModel* model, QWidget* parent) {
    auto* view = new GridView(parent);
    view->setObjectName(name);
    view->setGridModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    return view;
}

QChartView* chartView(const QString& name, QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QLabel* note(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// Replaces the chart of view, the old one let go.
void setChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace

AuditWindow::AuditWindow(std::shared_ptr<Processing> processing, Dialogs& dialogs,
                         const Regional& regional, QWidget* parent)
    : QDialog(parent), m_processing(std::move(processing)), m_dialogs(dialogs),
      m_regional(regional),
      m_indicatorModel(new FlaggedRowsModel(m_regional, m_figures.flagged, this)),
      m_coherenceModel(new TextTableModel(m_regional, this)),
      m_changesModel(new TextTableModel(m_regional, this)),
      m_methodCoherenceModel(new TextTableModel(m_regional, this)) {
    setupChildWindow(*this, QStringLiteral("AnalisiStatistica"));
    setWindowTitle(tr("Analisi statistica"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    m_pages = new QTabWidget(this);
    m_pages->addTab(indicatorsPage(), tr("&Indicatori"));
    m_pages->addTab(correlationsPage(), tr("&Correlazioni"));
    m_pages->addTab(coherencePage(), tr("C&oerenza"));
    m_pages->addTab(treatmentPage(), tr("&Valori anomali"));
    m_pages->addTab(methodCoherencePage(), tr("Coerenza per &metodo"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this] {
        if (m_pages->currentWidget() == m_methodPage && !m_methodShown)
            showMethodCoherence();
    });
    layout->addWidget(m_pages, 1);
    m_status = new ClockStatusBar(m_regional.locale(), this);
    layout->addWidget(m_status);
    reportChartActions(this, m_status);
    m_work = new BackgroundWork(this, m_status);
    m_work->setControls({m_pages});
    fitToScreen(*this, {1100, 760});
    // Alt and a letter presses every button.
    assignWindowMnemonics(*this);
}

AuditWindow::~AuditWindow() = default;

// A page of a note, a table and, below it, the chart of the selected row.
QWidget* AuditWindow::tableAndChartPage(const QString& text, const ChartPane& pane) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(note(text, page));
    auto* splitter = new QSplitter(Qt::Vertical, page);
    *pane.grid = grid(pane.gridName, pane.model, splitter);
    (*pane.grid)->enableSorting();
    *pane.chart = chartView(pane.chartName, splitter);
    (*pane.chart)->setMinimumHeight(200);
    splitter->addWidget(*pane.grid);
    splitter->addWidget(*pane.chart);
    layout->addWidget(splitter, 1);
    connect((*pane.grid)->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, show = pane.show, view = *pane.grid](const QModelIndex& current) {
                (this->*show)(view->modelRow(current.row()));
            });
    addChartActions(*pane.chart, m_dialogs, chartFileName(m_processing->workbook(), pane.file))
        ->setRecordOrigin([this] { return m_processing->workbook(); },
                          [chart = pane.file] { return chart; });
    return page;
}

QWidget* AuditWindow::indicatorsPage() {
    return tableAndChartPage(
        tr("In evidenza gli indicatori anomali: asimmetria oltre 2 in valore assoluto e curtosi "
           "oltre 3,5. Selezionare un indicatore per vederne la distribuzione."),
        {&m_indicatorGrid, QStringLiteral("msfIndicatori"), m_indicatorModel, &m_histogram,
         QStringLiteral("chartIstogramma"), ChartFile::Histogram, &AuditWindow::showHistogram});
}

QWidget* AuditWindow::correlationsPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* choice = new QHBoxLayout;
    m_kind = new QButtonGroup(page);
    const QString texts[] = {tr("&Pearson"), tr("&Spearman (ranghi)")};
    const QString names[] = {QStringLiteral("optPearson"), QStringLiteral("optSpearman")};
    for (int id = 0; id < 2; ++id) {
        auto* button = new QRadioButton(texts[id], page);
        button->setObjectName(names[id]);
        m_kind->addButton(button, id);
        choice->addWidget(button);
    }
    m_kind->button(0)->setChecked(true);
    choice->addWidget(note(tr("Indicatori orientati secondo la polarità."), page));
    QLabel* outlined = note(
        tr("Indicatori ordinati per gruppo della struttura; ogni gruppo bordato in nero."), page);
    outlined->setObjectName(QStringLiteral("lblGruppi"));
    choice->addWidget(outlined, 1);
    layout->addLayout(choice);
    m_heatmapView = chartView(QStringLiteral("chartCorrelazioni"), page);
    auto* chart = new QChart;
    chart->legend()->hide();
    m_heatmapView->setChart(chart);
    m_heatmap = new CorrelationHeatmap(chart, m_regional);
    layout->addWidget(m_heatmapView, 1);
    connect(m_kind, &QButtonGroup::idClicked, this, [this] { showHeatmap(); });
    addChartActions(m_heatmapView, m_dialogs,
                    chartFileName(m_processing->workbook(), ChartFile::Correlations))
        ->setRecordOrigin([this] { return m_processing->workbook(); },
                          [] { return ChartFile::Correlations; });
    return page;
}

QWidget* AuditWindow::coherencePage() {
    return tableAndChartPage(
        tr("Per ogni gruppo e per l'intera matrice: l'alfa di Cronbach degli indicatori "
           "standardizzati e gli autovalori delle loro correlazioni. Selezionare un gruppo per il "
           "grafico degli autovalori."),
        {&m_coherenceGrid, QStringLiteral("msfCoerenza"), m_coherenceModel, &m_scree,
         QStringLiteral("chartAutovalori"), ChartFile::Eigenvalues, &AuditWindow::showScree});
}

QWidget* AuditWindow::treatmentPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        note(tr("Il trattamento corregge ogni indicatore anomalo: fino a cinque valori estremi "
                "portati al valore successivo verso l'interno, altrimenti una trasformazione "
                "logaritmica riportata sull'intervallo originale. Da quel momento i metodi sono "
                "eseguiti sulla matrice trattata; la cartella di lavoro non cambia."),
             page));
    auto* row = new QHBoxLayout;
    m_treatButton = new QPushButton(tr("&Applica il trattamento dei valori anomali"), page);
    m_treatButton->setObjectName(QStringLiteral("cmdTratta"));
    m_treatButton->setAutoDefault(false);
    row->addWidget(m_treatButton);
    m_treatmentNote = note(QString(), page);
    m_treatmentNote->setObjectName(QStringLiteral("lblTrattamento"));
    row->addWidget(m_treatmentNote, 1);
    layout->addLayout(row);
    m_changesGrid = grid(QStringLiteral("msfTrattati"), m_changesModel, page);
    m_changesGrid->enableSorting();
    layout->addWidget(m_changesGrid, 1);
    connect(m_treatButton, &QPushButton::clicked, this, [this] { treat(); });
    return page;
}

QWidget* AuditWindow::methodCoherencePage() {
    m_methodPage = new QWidget(this);
    auto* layout = new QVBoxLayout(m_methodPage);
    layout->addWidget(
        note(tr("Per ogni elemento della struttura, sotto il metodo scelto: la correlazione con il "
                "valore del suo gruppo (di Pearson e di Spearman) e con l'indice complessivo, la "
                "quota del suo peso nel gruppo e la quota effettiva (il quadrato della "
                "correlazione sulla somma di quelli del gruppo). Debole: correlazione con il "
                "gruppo sotto 0,3."),
             m_methodPage));
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(tr("Metodo:"), m_methodPage);
    m_methodChoice = new QComboBox(m_methodPage);
    m_methodChoice->setObjectName(QStringLiteral("cboMetodoCoerenza"));
    label->setBuddy(m_methodChoice);
    row->addWidget(label);
    row->addWidget(m_methodChoice);
    m_methodNote = note(QString(), m_methodPage);
    m_methodNote->setObjectName(QStringLiteral("lblCoerenzaMetodo"));
    row->addWidget(m_methodNote, 1);
    layout->addLayout(row);
    m_methodCoherenceGrid =
        grid(QStringLiteral("msfCoerenzaMetodo"), m_methodCoherenceModel, m_methodPage);
    m_methodCoherenceGrid->enableSorting();
    layout->addWidget(m_methodCoherenceGrid, 1);
    connect(m_methodChoice, &QComboBox::currentIndexChanged, this,
            [this] { showMethodCoherence(); });
    return m_methodPage;
}

void AuditWindow::listMethods() {
    m_methods.clear();
    for (const MethodInfo& method : methodTable()) {
        AnalysedMethod nine;
        nine.position = MethodPosition(method.position);
        m_methods.push_back(nine);
    }
    // Composites that cannot be read are not offered; the processing window
    // tells why.
    if (const Expected<CompositeList> list = loadComposites(*m_processing, QString(), m_regional))
        for (const Composite& composite : list->composites) {
            AnalysedMethod defined;
            defined.composite = composite;
            m_methods.push_back(defined);
        }
    const QString chosen = m_methodChoice->currentText();
    const QSignalBlocker blocker(m_methodChoice);
    m_methodChoice->clear();
    for (const AnalysedMethod& method : m_methods)
        m_methodChoice->addItem(method.code());
    m_methodChoice->setCurrentIndex(std::max(0, m_methodChoice->findText(chosen)));
}

void AuditWindow::showMethodCoherence() {
    const int chosen = m_methodChoice->currentIndex();
    if (!m_processing->hasMatrix() || chosen < 0 || chosen >= int(m_methods.size()))
        return;
    m_methodShown = true;
    const AnalysedMethod method = m_methods[std::size_t(chosen)];
    Expected<QStringList> lines = QStringList();
    Expected<QString> written = QString();
    const BackgroundWork::Outcome outcome =
        m_work->run(tr("Coerenza per metodo"), [&, regional = m_regional](WorkProgress&) {
            lines = methodCoherenceLines(method, m_processing->matrix(),
                                         m_processing->structure().get(), regional);
            if (lines)
                written = writeMethodCoherence(m_processing->workbook(), m_processing->basis(),
                                               method, *lines, regional);
        });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("la coerenza per metodo"));
        return;
    }
    if (!lines) {
        m_methodCoherenceModel->setTable(TextTable());
        m_methodNote->setText(lines.error().message);
        return;
    }
    if (!written)
        showFailure(m_dialogs, written.error());
    m_methodCoherenceModel->setTable(linesTable(*lines));
    FG_AutosizeCols(*m_methodCoherenceGrid, -1, -1, false);
    m_methodNote->setText(written ? QFileInfo(*written).fileName() : QString());
}

bool AuditWindow::analyse() {
    if (!m_processing->hasMatrix())
        return false;
    AuditFigures figures;
    const std::shared_ptr<const Matrix> matrix = m_processing->sharedMatrix();
    const std::shared_ptr<const Structure> structure = m_processing->structure();
    const QString workbook = m_processing->workbook();
    const BackgroundWork::Outcome outcome = m_work->run(
        tr("Analisi statistica"),
        [&, regional = m_regional](WorkProgress& progress) {
            figures = auditFigures(*matrix, structure.get(), workbook, regional, &progress);
        },
        true);
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("l'analisi statistica"));
        return false;
    }
    if (!figures.written && figures.written.error().kind == FailureKind::Cancelled) {
        // Stopped by the user: what is on view and the files stay as they were.
        m_status->setPanelText(figures.written.error().message);
        return false;
    }
    if (!figures.written)
        showFailure(m_dialogs, figures.written.error());
    present(std::move(figures));
    m_status->setPanelText(tr("Analisi statistica "), workbook);
    return true;
}

bool AuditWindow::treat() {
    if (!m_processing->hasMatrix())
        return false;
    const std::shared_ptr<const Matrix> before = m_processing->sharedMatrix();
    Expected<QStringList> written = QStringList();
    TextTable changes;
    setRecordActor({tr("Analisi statistica: Applica"), {}});
    const BackgroundWork::Outcome outcome = m_work->run(
        tr("Trattamento dei valori anomali"), [&, regional = m_regional](WorkProgress&) {
            written = m_processing->treatOutliers();
            if (written)
                changes = changesTable(*before, m_processing->matrix(), regional);
        });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("il trattamento dei valori anomali"));
        return false;
    }
    if (!written) {
        showFailure(m_dialogs, written.error());
        return false;
    }
    const int changed = changes.rowCount() - 1;
    m_changesModel->setTable(changes);
    FG_AutosizeCols(*m_changesGrid, -1, -1, false);
    QStringList files;
    for (const QString& path : *written)
        files.append(QFileInfo(path).fileName());
    m_treatmentNote->setText(
        changed == 0 ? tr("Nessun valore cambiato: la matrice resta quella letta.")
                     : tr("Valori cambiati: %1. I metodi sono eseguiti sulla matrice trattata; "
                          "il trattamento è registrato in %2.")
                           .arg(changed)
                           .arg(files.join(QStringLiteral(", "))));
    if (changed > 0) {
        Q_EMIT matrixTreated();
        analyse();
    }
    return true;
}

void AuditWindow::present(AuditFigures figures) {
    m_figures = std::move(figures);
    listMethods();
    m_methodShown = false;
    if (m_pages->currentWidget() == m_methodPage)
        showMethodCoherence();
    m_indicatorModel->setTable(m_figures.indicators);
    m_coherenceModel->setTable(m_figures.coherence);
    FG_AutosizeCols(*m_indicatorGrid, -1, -1, false);
    FG_AutosizeCols(*m_coherenceGrid, -1, -1, false);
    showHeatmap();
    m_indicatorGrid->selectRow(m_indicatorGrid->viewRow(0));
    showHistogram(0);
    // The whole matrix, the last line, until a group is chosen.
    const int whole = m_coherenceModel->rowCount() - 1;
    m_coherenceGrid->selectRow(m_coherenceGrid->viewRow(whole));
    showScree(whole);
}

void AuditWindow::showHistogram(int indicator) {
    if (indicator < 0 || indicator >= int(m_figures.histograms.size()))
        return;
    setChart(m_histogram, histogramChart(m_figures.names[indicator],
                                         m_figures.histograms[std::size_t(indicator)], m_regional));
}

void AuditWindow::showHeatmap() {
    const bool spearman = m_kind->checkedId() == 1;
    m_heatmapView->chart()->setTitle(spearman ? tr("Correlazioni di Spearman")
                                              : tr("Correlazioni di Pearson"));
    m_heatmap->setMatrix(m_figures.names, spearman ? m_figures.spearman : m_figures.pearson,
                         m_figures.groups);
    // No word of groups without a structure.
    if (auto* outlined = findChild<QLabel*>(QStringLiteral("lblGruppi")))
        outlined->setVisible(!m_figures.groups.empty());
}

void AuditWindow::showScree(int line) {
    if (line < 0 || line >= int(m_figures.eigenvalues.size()))
        return;
    setChart(m_scree, screeChart(m_figures.coherence.cell(line + 1, 0),
                                 m_figures.eigenvalues[std::size_t(line)], m_regional));
}
