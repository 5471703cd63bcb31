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
    const Expected<MonteCarloChoices> choices =
        m_ui.monteCarlo->choices(positions, [this] { return missingLevels(); });
    if (!choices) {
        showFailure(m_dialogs, choices.error());
        return Outcome::Refused;
    }
    Outcome outcome = Outcome::Refused;
    const std::shared_ptr<const Matrix> matrix =
        choices->missing.empty() ? analysedMatrix(&outcome) : matrixWithGaps(&outcome);
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
    chooseUnits(m_chosen);
    m_state.bRisultati = true;
    m_stbStato->setPanelText(tr("Salvato: "), run->files.join(QStringLiteral(", ")));
    return Outcome::Saved;
}
