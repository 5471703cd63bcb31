#include "ui/timeseries/timeanalysiswindow.h"

#include "record/outputrecorder.h"
#include "shared/resultnames.h"
#include "timeseries/ampifiles.h"
#include "ui/charts/ampichart.h"
#include "ui/charts/chartactions.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/rowselection.h"
#include "ui/grid/texttablemodel.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/mappage/mappage.h"
#include "ui/mappage/windowmaps.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/windowsetup.h"
#include "ui/timeseries/ampimodel.h"
#include "workflow/ampirun.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <set>

TimeAnalysisWindow::TimeAnalysisWindow(Dialogs& dialogs, const Regional& regional, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_regional(regional) {
    setupChildWindow(*this, QStringLiteral("AnalisiTemporale"));
    setWindowTitle(tr("Analisi temporale (AMPI)"));
    QHBoxLayout* top = buildTop();
    QSplitter* split = buildGrids();
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addWidget(m_stbStato);
    reportChartActions(this, m_stbStato);
    m_work = new BackgroundWork(this, m_stbStato);
    m_work->setControls({m_baseCombo, m_groupCombo, m_indexFrame, m_exportButton, m_copyButton,
                         m_valuesGrid, m_ranksGrid});
    m_map->setBackgroundWork(m_work);
    connectControls();
    m_groupLabel->hide();
    m_groupCombo->hide();
    // Both grids with every period of the sample panels in view.
    fitToScreen(*this, QSize(1320, 800));
    // Alt and a letter presses every button.
    assignWindowMnemonics(*this);
}

QHBoxLayout* TimeAnalysisWindow::buildTop() {
    m_periodsLabel = new QLabel(this);
    m_periodsLabel->setObjectName(QStringLiteral("lblPeriodi"));
    m_baseCombo = new QComboBox(this);
    m_baseCombo->setObjectName(QStringLiteral("cmbBase"));
    auto* baseLabel = new QLabel(tr("Periodo base:"), this);
    baseLabel->setBuddy(m_baseCombo);
    m_groupCombo = new QComboBox(this);
    m_groupCombo->setObjectName(QStringLiteral("cmbDimensione"));
    m_groupLabel = new QLabel(tr("Dimensione:"), this);
    m_groupLabel->setBuddy(m_groupCombo);
    m_indexButtons = new QButtonGroup(this);
    m_indexFrame = optionFrame(
        QStringLiteral("frmIndice"), tr("Indice"), QStringLiteral("optIndice"),
        {{0, QStringLiteral("AMPI+")}, {1, QStringLiteral("AMPI-")}}, m_indexButtons, this);
    m_chart = new AmpiChart(m_regional, this);
    m_chartActions = new ChartActions(m_chart->view(), m_dialogs);
    m_chartActions->setSuggestedPath([this]() -> QString {
        return chartFileName(m_workbook, plus() ? ChartFile::AmpiPlus : ChartFile::AmpiMinus);
    });
    m_chartActions->setRecordOrigin(
        [this] { return m_workbook; },
        [this] { return plus() ? ChartFile::AmpiPlus : ChartFile::AmpiMinus; });
    m_exportButton =
        ChartActions::button(m_chartActions->exportAction(), QStringLiteral("cmdEsporta"), this);
    m_copyButton =
        ChartActions::button(m_chartActions->copyAction(), QStringLiteral("cmdCopia"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_periodsLabel, 1);
    top->addWidget(baseLabel);
    top->addWidget(m_baseCombo);
    top->addWidget(m_groupLabel);
    top->addWidget(m_groupCombo);
    top->addWidget(m_indexFrame);
    top->addWidget(m_exportButton);
    top->addWidget(m_copyButton);
    m_searchBox = new UnitSearchBox(this);
    top->addWidget(m_searchBox);
    return top;
}

QSplitter* TimeAnalysisWindow::buildGrids() {
    m_valuesModel = new AmpiModel(m_regional, this);
    m_ranksModel = new TextTableModel(m_regional, this);
    m_valuesGrid = new GridView(this);
    m_valuesGrid->setObjectName(QStringLiteral("msfValori"));
    m_valuesGrid->setGridModel(m_valuesModel);
    m_valuesGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_valuesGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_ranksGrid = new GridView(this);
    m_ranksGrid->setObjectName(QStringLiteral("msfRanghi"));
    m_ranksGrid->setGridModel(m_ranksModel);

    auto* grids = new QSplitter(Qt::Horizontal, this);
    grids->addWidget(gridFrame(QStringLiteral("frmValori"),
                               tr("Valori per periodo (selezionare le unità da "
                                  "tracciare)"),
                               m_valuesGrid, grids));
    grids->addWidget(
        gridFrame(QStringLiteral("frmRanghi"), tr("Ranghi per periodo"), m_ranksGrid, grids));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(grids);
    m_views = new QTabWidget(this);
    m_views->setObjectName(QStringLiteral("viste"));
    m_views->addTab(m_chart, tr("Grafico"));
    m_map = new MapPage(m_dialogs, m_regional, m_views);
    m_views->addTab(m_map, tr("Mappa"));
    split->addWidget(m_views);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    return split;
}

void TimeAnalysisWindow::connectControls() {
    connect(m_baseCombo, &QComboBox::activated, this, &TimeAnalysisWindow::chooseBase);
    connect(m_groupCombo, &QComboBox::activated, this, &TimeAnalysisWindow::chooseGroup);
    connect(m_indexButtons, &QButtonGroup::idClicked, this, &TimeAnalysisWindow::chooseIndex);
    connect(m_searchBox, &UnitSearchBox::searchRequested, this, &TimeAnalysisWindow::searchUnits);
    connect(m_valuesGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TimeAnalysisWindow::updateChart);
    // The two grids list the same units in the same order: they scroll together.
    const auto follow = [](GridView* from, GridView* to) {
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(),
                &QScrollBar::setValue);
    };
    follow(m_valuesGrid, m_ranksGrid);
    follow(m_ranksGrid, m_valuesGrid);
    connect(m_valuesGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TimeAnalysisWindow::highlightOnMap);
    connect(m_map, &MapPage::unitsClicked, this,
            [this](const QList<int>& units) { selectRows(*m_valuesGrid, units); });
}

void TimeAnalysisWindow::showOnMap() {
    QString name = plus() ? QStringLiteral("AMPI+") : QStringLiteral("AMPI-");
    if (shownGroup() >= 0)
        name += QStringLiteral(" - ") + m_groupCombo->currentText();
    const AmpiMaps maps(name, plus(), m_panel.units, m_panel.periods, shownValues(), shownFile());
    m_map->setWorkbook(m_workbook);
    m_map->setChoices(m_panel.units, maps.choices(),
                      [maps](const QString& what) { return maps.series(what); });
}

void TimeAnalysisWindow::highlightOnMap() {
    m_map->setHighlighted(selectedRows(*m_valuesGrid));
}

TimeAnalysisWindow::~TimeAnalysisWindow() = default;

bool TimeAnalysisWindow::plus() const {
    return m_indexButtons->checkedId() != 1;
}

int TimeAnalysisWindow::shownGroup() const {
    return m_panel.structure && m_groupCombo->currentIndex() >= 0
               ? m_groupCombo->currentData().toInt()
               : -1;
}

const std::vector<double>& TimeAnalysisWindow::shownValues() const {
    const int group = shownGroup();
    if (group < 0)
        return plus() ? m_result.plus : m_result.minus;
    return (plus() ? m_result.groupPlus : m_result.groupMinus)[std::size_t(group)];
}

const std::vector<int>& TimeAnalysisWindow::shownRanks() const {
    const int group = shownGroup();
    if (group < 0)
        return plus() ? m_ranks.plus : m_ranks.minus;
    return (plus() ? m_ranks.groupPlus : m_ranks.groupMinus)[std::size_t(group)];
}

bool TimeAnalysisWindow::load(const QString& workbook) {
    m_workbook = workbook;
    m_stbStato->setPanelText(windowTitle() + QStringLiteral(": "), workbook);
    Expected<Panel> panel;
    const auto run = m_work->run(
        tr("Lettura dei periodi"),
        [&, regional = m_regional](WorkProgress& progress) {
            panel = loadPanel(workbook, regional, &progress);
        },
        true);
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("leggere i periodi"));
        return false;
    }
    if (!panel) {
        showFailure(m_dialogs, panel.error());
        return false;
    }
    m_panel = std::move(*panel);
    m_periodsLabel->setText(tr("Periodi: %1 (%2 unità, %3 indicatori)")
                                .arg(m_panel.periods.join(QStringLiteral(", ")))
                                .arg(m_panel.unitCount())
                                .arg(m_panel.indicatorCount()));
    {
        const QSignalBlocker block(m_baseCombo);
        m_baseCombo->clear();
        m_baseCombo->addItems(m_panel.periods);
        m_baseCombo->setCurrentIndex(0);
        // The overall index first, then the groups as the structure lists them.
        const QSignalBlocker blockGroups(m_groupCombo);
        m_groupCombo->clear();
        if (const Structure* structure = m_panel.structure.get()) {
            m_groupCombo->addItem(structure->elements[std::size_t(structure->root)].name,
                                  structure->root);
            for (const int group : structure->groups)
                m_groupCombo->addItem(structure->elements[std::size_t(group)].name, group);
            m_groupCombo->setCurrentIndex(0);
        }
        m_groupLabel->setVisible(m_panel.structure != nullptr);
        m_groupCombo->setVisible(m_panel.structure != nullptr);
    }
    return compute(0);
}

bool TimeAnalysisWindow::compute(int base) {
    AmpiRun run;
    setRecordActor({tr("Analisi temporale: Calcola"), {}});
    const auto outcome =
        m_work->run(tr("Calcolo dell'AMPI"), [&, regional = m_regional](WorkProgress&) {
            run = runAmpi(m_workbook, m_panel, base, regional);
        });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("calcolare l'AMPI"));
        return false;
    }
    m_result = std::move(run.result);
    m_ranks = std::move(run.ranks);
    m_saved = bool(run.saved);
    showIndex();
    if (!run.saved)
        showFailure(m_dialogs, run.saved.error());
    return true;
}

QString TimeAnalysisWindow::shownFile() const {
    const int group = shownGroup();
    return group < 0 || group == m_panel.structure->root ? ampiValuesFile(m_workbook, plus())
                                                         : ampiGroupValuesFile(m_workbook, plus());
}

void TimeAnalysisWindow::showStatus() {
    if (!m_saved) {
        m_stbStato->setPanelText(tr("File dell'AMPI non scritti"));
        return;
    }
    QString index = plus() ? QStringLiteral("AMPI+") : QStringLiteral("AMPI-");
    if (shownGroup() >= 0)
        index += QStringLiteral(" - ") + m_groupCombo->currentText();
    m_stbStato->setPanelText(
        tr("%1 su base %2 scritto in ").arg(index, m_panel.periods.value(m_result.base)),
        QDir::toNativeSeparators(shownFile()));
}

void TimeAnalysisWindow::showIndex() {
    const int periods = m_panel.periodCount();
    const int units = m_panel.unitCount();
    const std::vector<double>& values = shownValues();
    const std::vector<int>& ranks = shownRanks();
    TextTable ranksTable(units + 1, periods + 1);
    ranksTable.setCell(0, 0, m_panel.corner);
    for (int u = 0; u < units; ++u)
        ranksTable.setCell(u + 1, 0, m_panel.units[u]);
    // The values unit by unit; the ranks column by column, the order a text
    // table fills fastest, as whole numbers.
    std::vector<double> grid(values.size());
    for (int p = 0; p < periods; ++p) {
        const std::size_t first = std::size_t(p) * std::size_t(units);
        for (int u = 0; u < units; ++u)
            grid[std::size_t(u) * std::size_t(periods) + std::size_t(p)] =
                values[first + std::size_t(u)];
        ranksTable.setCell(0, p + 1, m_panel.periods[p]);
        ranksTable.setWholeNumbers(
            p + 1, std::vector<int>(ranks.begin() + std::ptrdiff_t(first),
                                    ranks.begin() + std::ptrdiff_t(first + std::size_t(units))));
    }
    const QList<QModelIndex> selected = m_valuesGrid->selectionModel()->selectedRows();
    m_valuesModel->setGrid(QStringList{m_panel.corner} + m_panel.periods, m_panel.units,
                           std::move(grid));
    m_ranksModel->setTable(std::move(ranksTable));
    FG_AutosizeCols(*m_valuesGrid, 0, periods, false);
    FG_AutosizeCols(*m_ranksGrid, 0, periods, false);
    // The rows chosen before stay chosen; at first the first unit is drawn.
    if (selected.isEmpty()) {
        m_valuesGrid->selectRow(0);
    } else {
        for (const QModelIndex& index : selected)
            m_valuesGrid->selectionModel()->select(index, QItemSelectionModel::Select |
                                                              QItemSelectionModel::Rows);
    }
    updateChart();
    showOnMap();
    showStatus();
}

void TimeAnalysisWindow::updateChart() {
    std::set<int> rows;
    for (const QModelIndex& index : m_valuesGrid->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    const int units = m_panel.unitCount();
    const std::vector<double>& values = shownValues();
    QStringList names;
    std::vector<std::vector<double>> lines;
    for (const int u : rows) {
        if (u < 0 || u >= units)
            continue;
        names.append(m_panel.units[u]);
        std::vector<double> line;
        for (int p = 0; p < m_panel.periodCount(); ++p)
            line.push_back(values[std::size_t(p) * std::size_t(units) + std::size_t(u)]);
        lines.push_back(std::move(line));
    }
    QString title = tr("%1, base %2")
                        .arg(plus() ? QStringLiteral("AMPI+") : QStringLiteral("AMPI-"),
                             m_panel.periods.value(m_result.base));
    if (shownGroup() >= 0)
        title += QStringLiteral(" - ") + m_groupCombo->currentText();
    m_chart->show(title, m_panel.periods, names, lines);
}

void TimeAnalysisWindow::chooseBase() {
    if (m_baseCombo->currentIndex() >= 0 && m_baseCombo->currentIndex() != m_result.base)
        compute(m_baseCombo->currentIndex());
}

void TimeAnalysisWindow::chooseIndex() {
    showIndex();
}

void TimeAnalysisWindow::chooseGroup() {
    showIndex();
}

void TimeAnalysisWindow::searchUnits(const QString& text) {
    if (text.trimmed().isEmpty())
        return;
    const QList<int> found = matchingLabels(m_panel.units, text);
    selectRows(*m_valuesGrid, found);
    m_stbStato->setPanelText(
        tr("Unità trovate per «%1»: %2").arg(text.trimmed()).arg(found.size()));
}
