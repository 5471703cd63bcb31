#include "ui/robustness/robustnesswindow.h"

#include "record/outputrecorder.h"
#include "robustness/compositesets.h"
#include "shared/resultnames.h"
#include "ui/charts/chartactions.h"
#include "ui/charts/rankcharts.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/grid/analysistablemodel.h"
#include "ui/grid/cograduationmodel.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/rowselection.h"
#include "ui/grid/unitsearchbox.h"
#include "ui/mappage/mappage.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/windowmemory.h"
#include "ui/platform/windowsetup.h"
#include "ui/report/resultsoutput.h"
#include "ui/robustness/sensitivitypage.h"
#include "ui/robustness/shiftmodel.h"
#include "ui/robustness/totalindexmodel.h"
#include "ui/robustness/uncertaintypage.h"
#include "workflow/montecarlorun.h"
#include "workflow/robustnessanalyses.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString percentage(double share, const Regional& regional) {
    return regional.locale().toString(share * 100.0, 'f', 1) + u'%';
}

RobustnessModels makeModels(const Regional& regional, QObject* parent) {
    return {new AnalysisTableModel(regional, parent), new CograduationModel(regional, parent),
            new CograduationModel(regional, parent),  new ShiftModel(regional, parent),
            new AnalysisTableModel(regional, parent), new AnalysisTableModel(regional, parent),
            new TotalIndexModel(regional, parent)};
}

} // namespace

RobustnessWindow::RobustnessWindow(SharedState& state, std::shared_ptr<const Processing> loaded,
                                   Dialogs& dialogs, const Regional& regional, QWidget* parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_regional(regional),
      m_models(makeModels(m_regional, this)), m_ui(this, m_models, m_dialogs) {
    setupChildWindow(*this, QStringLiteral("Robustezza"));
    setWindowTitle(childWindowTitle() + tr(" - Robustezza"));
    m_stbStato = new ClockStatusBar(m_regional.locale(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(m_ui.pages, 1);
    layout->addWidget(m_stbStato);
    m_work = new BackgroundWork(this, m_stbStato);
    m_work->setControls({m_ui.pages});
    m_ui.map->setBackgroundWork(m_work);
    m_matrices = std::make_unique<AnalysedMatrices>(std::move(loaded), m_state, m_dialogs, *m_work,
                                                    m_regional);
    connectControls();
    fitToScreen(*this, {1280, 820});
    // Alt and a letter presses every button.
    assignWindowMnemonics(*this);
}

RobustnessWindow::~RobustnessWindow() = default;

void RobustnessWindow::connectControls() {
    connect(m_ui.pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 3)
            updateCharts();
    });
    connect(m_ui.summaryGrid, &GridView::autosizeRequested, this,
            [this] { FG_AutosizeCols(*m_ui.summaryGrid, -1, -1, false); });
    connect(m_ui.sensitivity->computeButton(), &QPushButton::clicked, this,
            [this] { computeSensitivity(); });
    connect(m_ui.uncertainty->computeButton(), &QPushButton::clicked, this,
            [this] { computeUncertainty(); });
    connect(m_ui.monteCarlo->controls().compute, &QPushButton::clicked, this,
            [this] { computeMonteCarlo(); });
    for (QComboBox* combo : {m_ui.sensitivity->methodCombo(), m_ui.xAxisCombo, m_ui.yAxisCombo})
        rememberChoice(*combo, objectName());
    connect(m_ui.xAxisCombo, &QComboBox::currentIndexChanged, this, &RobustnessWindow::drawScatter);
    connect(m_ui.yAxisCombo, &QComboBox::currentIndexChanged, this, &RobustnessWindow::drawScatter);
    for (GridView* grid :
         {m_ui.summaryGrid, m_ui.uncertainty->grid(), m_ui.monteCarlo->controls().grid})
        connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, grid] { followSelection(grid); });
    connect(m_ui.searchBox, &UnitSearchBox::searchRequested, this, &RobustnessWindow::searchUnits);
    connect(m_ui.map, &MapPage::unitsClicked, this, &RobustnessWindow::chooseUnits);
    for (const RobustnessPages::ChartExport& chart : m_ui.chartExports) {
        ChartActions* actions = ChartActions::of(chart.view);
        actions->setSuggestedPath([this, file = chart.chart]() -> QString {
            return chartFileName(m_state.strMatrice, file);
        });
        actions->setRecordOrigin([this] { return m_state.strMatrice; },
                                 [file = chart.chart] { return file; });
    }
    reportChartActions(this, m_stbStato);
}

RobustnessWindow::Outcome RobustnessWindow::reportSaved(const Status& saved, const QString& file,
                                                        const QString& what) {
    if (saved) {
        m_state.bRisultati = true;
        m_stbStato->setPanelText(tr("Salvato: "), file);
        return Outcome::Saved;
    }
    m_stbStato->setPanelText(what + tr(" non salvato"));
    showFailure(m_dialogs, failure(saved.error().kind,
                                   tr("L'analisi è stata eseguita, ma non è stata salvata.\n\n") +
                                       saved.error().message));
    return Outcome::NotSaved;
}

RobustnessWindow::Outcome RobustnessWindow::showComparison(const RankMatrix& ranks,
                                                           const CoefficientMatrix& cograduation) {
    RankSummaryRun run;
    setRecordActor({tr("Robustezza: Riepilogo dei ranghi"), {}});
    const BackgroundWork::Outcome outcome =
        m_work->run(tr("Riepilogo dei ranghi"),
                    [&, workbook = m_state.strMatrice, regional = m_regional](WorkProgress&) {
                        run = analyseRanks(workbook, ranks, regional);
                    });
    if (outcome == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("riassumere i ranghi"));
        return Outcome::OutOfMemory;
    }
    m_ranks = std::move(run.ranks);
    // The methods named as everywhere in the windows, charts included.
    for (QString& method : m_ranks.methods)
        method = methodLabel(method);
    m_bumpDrawn = false;
    m_drawnAxes = {-1, -1};
    m_chosen.clear();
    m_ui.summaryGrid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_models.summary->setTable(
        rankSummaryCells(m_ranks, std::make_shared<const RankSummary>(run.summary), m_regional));
    fitColumnsAnswering(*m_ui.summaryGrid);
    m_models.kendall->setMatrix(run.kendall);
    m_models.spearman->setMatrix(cograduation);
    FG_AutosizeCols(*m_ui.kendallGrid, -1, -1, false);
    FG_AutosizeCols(*m_ui.spearmanGrid, -1, -1, false);
    m_ui.summaryLabel->setText(
        tr("%1 unità, %2 metodi (riferimento: %3). Spostamento medio dal rango di "
           "riferimento: %4. Unità con lo stesso rango in ogni metodo: %5.")
            .arg(m_ranks.units())
            .arg(m_ranks.methodCount())
            .arg(m_ranks.methods.value(0), m_regional.indexText(run.summary.meanShift),
                 percentage(run.summary.shareUnchanged, m_regional)));

    m_ui.monteCarlo->offerCompositeFactors(!comparedCompositeLabels().isEmpty());
    m_ui.sensitivity->methodCombo()->clear();
    for (const MethodPosition position : comparedPositions())
        m_ui.sensitivity->methodCombo()->addItem(methodLabel(methodAt(position).indexHeader),
                                                 int(position));
    // The compared composites after the nine, by their label.
    for (const QString& label : comparedCompositeLabels())
        m_ui.sensitivity->methodCombo()->addItem(label, label);
    const QSignalBlocker blockX(m_ui.xAxisCombo), blockY(m_ui.yAxisCombo);
    m_ui.xAxisCombo->clear();
    m_ui.yAxisCombo->clear();
    m_ui.xAxisCombo->addItems(m_ranks.methods);
    m_ui.yAxisCombo->addItems(m_ranks.methods);
    m_ui.xAxisCombo->setCurrentIndex(0);
    m_ui.yAxisCombo->setCurrentIndex(std::min(1, int(m_ranks.methods.size()) - 1));
    // The methods chosen last time, where this comparison has them.
    for (QComboBox* combo : {m_ui.sensitivity->methodCombo(), m_ui.xAxisCombo, m_ui.yAxisCombo})
        restoreChoice(*combo, objectName());
    m_models.sensitivity->clear();
    m_ui.uncertainty->clear(m_ui.sensitivity->methodCombo()->count());
    m_maps.clear();
    m_maps.setLabels(m_ranks.labels);
    showOnMap();
    // The charts are drawn when their page opens.
    if (m_ui.pages->currentIndex() == 3)
        updateCharts();
    return reportSaved(run.saved, run.file, tr("riepilogo dei ranghi"));
}

int RobustnessWindow::unitOfRow(const GridView* grid, int row) const {
    // Every grid of units holds them in the matrix's order; its view may be
    // sorted.
    return grid->modelRow(row);
}

void RobustnessWindow::followSelection(GridView* grid) {
    if (m_choosing)
        return;
    QList<int> units;
    for (const int row : selectedRows(*grid))
        if (const int unit = unitOfRow(grid, row); unit >= 0 && unit < m_ranks.units())
            units.append(unit);
    chooseUnits(units);
}

void RobustnessWindow::chooseUnits(const QList<int>& units) {
    m_chosen = units;
    m_choosing = true;
    // Each grid's view may be sorted: a unit's row is where its view shows it.
    for (GridView* grid :
         {m_ui.summaryGrid, m_ui.uncertainty->grid(), m_ui.monteCarlo->controls().grid}) {
        if (grid->gridModel()->gridRowCount() <= 1)
            continue;
        QList<int> rows;
        for (const int unit : units)
            if (unit >= 0 && unit < m_ranks.units())
                rows.append(grid->viewRow(unit));
        if (rows != selectedRows(*grid))
            selectRows(*grid, rows);
    }
    m_choosing = false;
    m_ui.uncertainty->intervalChart()->setHighlighted(units);
    m_ui.monteCarlo->controls().intervals->setHighlighted(units);
    m_ui.map->setHighlighted(units);
    if (m_ui.pages->currentIndex() == 3)
        updateCharts();
}

void RobustnessWindow::searchUnits(const QString& text) {
    if (text.trimmed().isEmpty())
        return;
    const QList<int> found = matchingLabels(m_ranks.labels, text);
    chooseUnits(found);
    m_stbStato->setPanelText(
        tr("Unità trovate per «%1»: %2").arg(text.trimmed()).arg(found.size()));
}

void RobustnessWindow::updateCharts() {
    if (!m_bumpDrawn || m_chosen != m_drawnSelection) {
        QChart* old = m_ui.bumpChart->chart();
        m_ui.bumpChart->setChart(bumpChart(m_ranks, m_chosen, m_regional));
        delete old;
        m_bumpDrawn = true;
        m_drawnSelection = m_chosen;
    }
    drawScatter();
}

void RobustnessWindow::drawScatter() {
    const std::pair<int, int> axes{m_ui.xAxisCombo->currentIndex(),
                                   m_ui.yAxisCombo->currentIndex()};
    if (axes == m_drawnAxes && m_chosen == m_scatterSelection)
        return;
    QChart* old = m_ui.scatterChart->chart();
    m_ui.scatterChart->setChart(
        rankScatterChart(m_ranks, axes.first, axes.second, m_regional, m_chosen));
    delete old;
    m_drawnAxes = axes;
    m_scatterSelection = m_chosen;
}

void RobustnessWindow::showOnMap() {
    m_ui.map->setWorkbook(m_state.strMatrice);
    m_ui.map->setChoices(m_maps.labels(), m_maps.choices(),
                         [maps = m_maps](const QString& what) { return maps.series(what); });
}

std::vector<MethodPosition> RobustnessWindow::comparedPositions() const {
    std::vector<MethodPosition> positions;
    for (const QString& label : m_ranks.methods)
        for (const MethodInfo& method : methodTable())
            if (methodLabel(method.indexHeader) == label)
                positions.push_back(MethodPosition(method.position));
    return positions;
}

QStringList RobustnessWindow::comparedCompositeLabels() const {
    QStringList labels;
    for (const QString& label : m_ranks.methods)
        if (std::none_of(methodTable().begin(), methodTable().end(), [&](const MethodInfo& method) {
                return methodLabel(method.indexHeader) == label;
            }))
            labels.append(label);
    return labels;
}

std::optional<Composite>
RobustnessWindow::compositeLabelled(const std::shared_ptr<const Matrix>& matrix,
                                    const QString& label) const {
    for (const Composite& composite : m_matrices->composites(matrix))
        if (methodLabel(composite.name) == label)
            return composite;
    return std::nullopt;
}

RobustnessWindow::Outcome RobustnessWindow::computeSensitivity() {
    if (m_ui.sensitivity->methodCombo()->currentIndex() < 0)
        return Outcome::Refused;
    Outcome outcome = Outcome::Refused;
    const std::shared_ptr<const Matrix> matrix = m_matrices->matrix(m_ranks.units(), &outcome);
    if (!matrix)
        return outcome;
    const QVariant chosen = m_ui.sensitivity->methodCombo()->currentData();
    const auto position = MethodPosition(chosen.toInt());
    const std::optional<Composite> composite = chosen.typeId() == QMetaType::QString
                                                   ? compositeLabelled(matrix, chosen.toString())
                                                   : std::nullopt;
    Expected<SensitivityRun> run;
    const std::shared_ptr<const Structure> structure = m_matrices->readStructure();
    setRecordActor({tr("Robustezza: Sensibilità"), {}});
    const BackgroundWork::Outcome work = m_work->run(
        tr("Sensibilità agli indicatori"),
        [&, basis = m_matrices->basisOf(matrix), regional = m_regional](WorkProgress& progress) {
            run = composite ? analyseSensitivity(basis, *matrix, *composite, regional, &progress,
                                                 structure.get())
                            : analyseSensitivity(basis, *matrix, position, regional, &progress,
                                                 structure.get());
        },
        true);
    if (work == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("analizzare la sensibilità"));
        return Outcome::OutOfMemory;
    }
    if (!run) {
        showFailure(m_dialogs, run.error());
        return run.error().kind == FailureKind::Cancelled ? Outcome::Cancelled : Outcome::Refused;
    }
    m_ui.sensitivity->show(*run);
    m_maps.takeSensitivity(run->sensitivity, run->file);
    showOnMap();
    return reportSaved(run->saved, run->file, tr("sensibilità agli indicatori"));
}

RobustnessWindow::Outcome RobustnessWindow::computeUncertainty() {
    const std::vector<MethodPosition> positions = comparedPositions();
    const QStringList compositeLabels = comparedCompositeLabels();
    if (positions.empty() && compositeLabels.isEmpty())
        return Outcome::Refused;
    Outcome outcome = Outcome::Refused;
    const std::shared_ptr<const Matrix> matrix = m_matrices->matrix(m_ranks.units(), &outcome);
    if (!matrix)
        return outcome;
    // The compared composites, each under its own choices, first when the
    // comparison's reference is one of them.
    std::vector<Composite> composites;
    for (const QString& label : compositeLabels)
        if (std::optional<Composite> composite = compositeLabelled(matrix, label))
            composites.push_back(std::move(*composite));
    const std::shared_ptr<const Structure> structure = m_matrices->structureOf(matrix);
    const UncertaintyComposites crossed{compositeVariants(composites, {}, {}),
                                        !m_ranks.methods.isEmpty() &&
                                            compositeLabels.contains(m_ranks.methods.front()),
                                        structure.get()};
    Expected<UncertaintyRun> run;
    setRecordActor({tr("Robustezza: Incertezza"), {}});
    const BackgroundWork::Outcome work = m_work->run(
        tr("Analisi d'incertezza"),
        [&, basis = m_matrices->basisOf(matrix), regional = m_regional](WorkProgress& progress) {
            run = analyseUncertainty(basis, *matrix, positions, regional, &progress, nullptr,
                                     crossed);
        },
        true);
    if (work == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("analizzare l'incertezza"));
        return Outcome::OutOfMemory;
    }
    if (!run) {
        showFailure(m_dialogs, run.error());
        return run.error().kind == FailureKind::Cancelled ? Outcome::Cancelled : Outcome::Refused;
    }
    m_ui.uncertainty->show(*run, matrix->indicatorCount());
    m_maps.takeUncertainty(run->uncertainty, run->file);
    showOnMap();
    chooseUnits(m_chosen); // selected in the new grid, highlighted in the chart
    return reportSaved(run->saved, run->file, tr("analisi d'incertezza"));
}

RobustnessWindow::Outcome RobustnessWindow::computeMonteCarlo() {
    const std::vector<MethodPosition> positions = comparedPositions();
    const QStringList compositeLabels = comparedCompositeLabels();
    if (positions.empty() && compositeLabels.isEmpty())
        return Outcome::Refused;
    Expected<MonteCarloChoices> choices =
        m_ui.monteCarlo->choices(positions, std::size_t(compositeLabels.size()),
                                 [this] { return m_matrices->missingLevels(); });
    if (!choices) {
        showFailure(m_dialogs, choices.error());
        return Outcome::Refused;
    }
    Outcome outcome = Outcome::Refused;
    const std::shared_ptr<const Matrix> matrix = choices->missing.empty()
                                                     ? m_matrices->matrix(m_ranks.units(), &outcome)
                                                     : m_matrices->withGaps(&outcome);
    if (!matrix)
        return outcome;
    // The compared composites drawn as methods (the first alone when the
    // method is no factor and none of the nine is compared).
    MonteCarloSetup& setup = choices->setup;
    const std::size_t drawn = m_ui.monteCarlo->controls().methods->isChecked()
                                  ? std::size_t(compositeLabels.size())
                              : positions.empty() ? 1
                                                  : 0;
    for (const QString& label : compositeLabels)
        for (const Composite& composite : m_matrices->composites(matrix))
            if (setup.composites.size() < drawn && methodLabel(composite.name) == label)
                setup.composites.push_back(composite);
    setup.compositeNominal = !m_ranks.methods.isEmpty() &&
                             compositeLabels.contains(m_ranks.methods.front()) &&
                             !setup.composites.empty();
    setup.regional = &m_regional;
    // Over the structure of the matrix analysed, when it has one.
    const std::shared_ptr<const Structure> structure = m_matrices->structureOf(matrix);
    Expected<MonteCarloRun> run;
    setRecordActor({tr("Robustezza: Monte Carlo"), {}});
    const BackgroundWork::Outcome work = m_work->run(
        tr("Analisi Monte Carlo"),
        [&, basis = m_matrices->basisOf(matrix), regional = m_regional](WorkProgress& progress) {
            run = analyseMonteCarlo(basis, *matrix, *choices, regional, &progress, structure.get());
        },
        true);
    if (work == BackgroundWork::Outcome::OutOfMemory) {
        showOutOfMemory(m_dialogs, tr("eseguire l'analisi Monte Carlo"));
        return Outcome::OutOfMemory;
    }
    if (!run) {
        if (run.error().kind != FailureKind::Cancelled)
            showFailure(m_dialogs, run.error());
        else
            m_stbStato->setPanelText(tr("Analisi Monte Carlo annullata: nessun file scritto"));
        return run.error().kind == FailureKind::Cancelled ? Outcome::Cancelled : Outcome::Refused;
    }
    m_ui.monteCarlo->show(run->result, choices->setup.sobol, *matrix, m_regional);
    m_maps.takeMonteCarlo(run->result, run->files);
    showOnMap();
    chooseUnits(m_chosen);
    m_state.bRisultati = true;
    m_stbStato->setPanelText(tr("Salvato: "), run->files.join(QStringLiteral(", ")));
    return Outcome::Saved;
}
