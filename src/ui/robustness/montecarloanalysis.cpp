#include "ui/robustness/robustnesswindow.h"

#include "record/outputrecorder.h"
#include "robustness/montecarlotables.h"
#include "ui/charts/rankintervalchart.h"
#include "ui/charts/sobolchart.h"
#include "ui/grid/fgautosizecols.h"
#include "ui/grid/gridview.h"
#include "ui/grid/texttablemodel.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/failuremessage.h"
#include "ui/report/resultsoutput.h"
#include "ui/robustness/totalindexmodel.h"
#include "workflow/montecarlorun.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>
#include <limits>

namespace {

// The Monte Carlo's figures in the shape the rank-interval chart draws.
RankUncertainty asUncertainty(const MonteCarloResult& result, const QString& corner,
                              const QStringList& labels) {
    RankUncertainty shape;
    shape.rankings = result.rankings;
    shape.corner = corner;
    shape.labels = labels;
    for (const MonteCarloUnit& unit : result.units)
        shape.units.push_back(
            {unit.nominal, unit.median, unit.p5, unit.p95, unit.best, unit.worst});
    return shape;
}

// The total index of each factor on each unit's rank, unit by unit; none
// for a unit without them.
void showUnitTotals(TotalIndexModel& model, const MonteCarloResult& result, const QString& corner,
                    const QStringList& labels) {
    QStringList headers{corner};
    for (const MonteCarloFactor factor : result.factors)
        headers.append(monteCarloFactorName(factor));
    const std::size_t k = result.factors.size();
    std::vector<double> totals;
    totals.reserve(result.unitTotals.size() * k);
    for (const std::optional<std::vector<double>>& unit : result.unitTotals)
        for (std::size_t i = 0; i < k; ++i)
            totals.push_back(unit ? (*unit)[i] : std::numeric_limits<double>::quiet_NaN());
    model.setGrid(headers, labels.mid(0, qsizetype(result.unitTotals.size())), std::move(totals));
}

} // namespace

std::vector<MissingTreatment> RobustnessWindow::missingLevels() const {
    // The treatment chosen in the processing window first, when it chose one.
    std::vector<MissingTreatment> levels;
    if (const std::shared_ptr<const GapsRecord> gaps = gapsOf(m_loaded.get(), m_state.strMatrice);
        gaps && gaps->treatment != MissingTreatment::Refuse)
        levels.push_back(gaps->treatment);
    for (const MissingTreatment treatment : kMissingTreatments)
        if (treatment != MissingTreatment::Refuse &&
            std::find(levels.begin(), levels.end(), treatment) == levels.end())
            levels.push_back(treatment);
    return levels;
}

std::shared_ptr<const Matrix> RobustnessWindow::matrixWithGaps(Outcome* outcome) {
    if (std::shared_ptr<const Matrix> read = matrixOf(m_withGaps.get(), m_state.strMatrice))
        return read;
    auto processing = std::make_unique<Processing>(m_regional);
    MissingChoice choice;
    choice.treatment = MissingTreatment::Available;
    processing->setMissingChoice(choice);
    Status loaded;
    const BackgroundWork::Outcome run = m_work->run(
        tr("Lettura della matrice"),
        [&, workbook = m_state.strMatrice](WorkProgress& progress) {
            loaded = processing->load(workbook, &progress);
        },
        true);
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        *outcome = Outcome::OutOfMemory;
        showOutOfMemory(m_dialogs, tr("leggere la matrice"));
        return nullptr;
    }
    if (!loaded) {
        *outcome =
            loaded.error().kind == FailureKind::Cancelled ? Outcome::Cancelled : Outcome::Refused;
        showFailure(m_dialogs, loaded.error());
        return nullptr;
    }
    m_withGaps = std::move(processing);
    return m_withGaps->sharedMatrix();
}

RobustnessWindow::Outcome RobustnessWindow::computeMonteCarlo() {
    const std::vector<MethodPosition> positions = comparedPositions();
    if (positions.empty())
        return Outcome::Refused;
    const MonteCarloControls& c = m_ui.monteCarlo;
    MonteCarloChoices choices;
    MonteCarloSetup& setup = choices.setup;
    setup.methods =
        c.methods->isChecked() ? positions : std::vector<MethodPosition>{positions.front()};
    setup.weightSpread = c.weights->value();
    setup.leaveOut = c.leaveOut->isChecked();
    choices.outliersFactor = c.outliers->isChecked();
    setup.runs = c.runs->value();
    setup.seed = std::uint64_t(c.seed->value());
    setup.sobol = c.sobol->isChecked();
    if (c.missing->isChecked())
        choices.missing = missingLevels();
    if (setup.methods.size() < 2 && setup.weightSpread <= 0.0 && !setup.leaveOut &&
        !choices.outliersFactor && choices.missing.empty()) {
        showFailure(m_dialogs, failure(FailureKind::Usage,
                                       tr("Scegliere almeno un fattore d'incertezza: più metodi, "
                                          "una variazione dei pesi, l'esclusione di un "
                                          "indicatore, il trattamento degli anomali o quello "
                                          "dei valori mancanti.")));
        return Outcome::Refused;
    }
    Outcome outcome = Outcome::Refused;
    const std::shared_ptr<const Matrix> matrix =
        choices.missing.empty() ? analysedMatrix(&outcome) : matrixWithGaps(&outcome);
    if (!matrix)
        return outcome;
    // Over the structure of the matrix analysed, when it has one.
    std::shared_ptr<const Structure> structure;
    const Processing* const loaders[] = {m_loaded.get(), m_source.get(), m_withGaps.get()};
    for (const Processing* processing : loaders)
        if (matrixOf(processing, m_state.strMatrice) == matrix) {
            structure = structureOf(processing, m_state.strMatrice);
            break;
        }
    Expected<MonteCarloRun> run;
    setRecordActor({tr("Robustezza: Monte Carlo"), {}});
    const BackgroundWork::Outcome work = m_work->run(
        tr("Analisi Monte Carlo"),
        [&, basis = basisOfMatrix(matrix), regional = m_regional](WorkProgress& progress) {
            run = analyseMonteCarlo(basis, *matrix, choices, regional, &progress, structure.get());
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
    const MonteCarloResult& result = run->result;
    const QString corner = m_regional.generalText(matrix->corner);
    QStringList labels;
    for (const CellValue& unit : matrix->units)
        labels.append(m_regional.generalText(unit));
    m_models.monteCarlo->setTable(monteCarloTable(result, corner, labels, m_regional));
    fitColumnsAnswering(*c.grid);
    c.intervals->setUncertainty(asUncertainty(result, corner, labels));
    chooseUnits(m_chosen);
    QChart* old = c.indices->chart();
    c.indices->setChart(setup.sobol ? sobolChart(result, m_regional) : new QChart);
    delete old;
    if (setup.sobol)
        showUnitTotals(*m_models.unitTotals, result, corner, labels);
    else
        m_models.unitTotals->clear();
    fitColumnsAnswering(*c.unitTotals);

    QStringList factors;
    for (const MonteCarloFactor factor : result.factors)
        factors.append(monteCarloFactorShownName(factor));
    QStringList notes{tr("%1 graduatorie per unità; fattori: %2.")
                          .arg(result.rankings)
                          .arg(factors.join(QStringLiteral(", ")))};
    if (result.skipped > 0)
        notes.append(tr("%1 estrazioni scartate: un metodo non ha accettato la matrice.")
                         .arg(result.skipped));
    if (const QString lacking = lackingUnitsNote(result); !lacking.isEmpty())
        notes.append(lacking);
    c.note->setText(notes.join(u'\n'));
    m_state.bRisultati = true;
    m_stbStato->setPanelText(tr("Salvato: "), run->files.join(QStringLiteral(", ")));
    return Outcome::Saved;
}
