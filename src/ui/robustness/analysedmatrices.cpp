#include "ui/robustness/analysedmatrices.h"

#include "ui/platform/backgroundwork.h"
#include "ui/platform/failuremessage.h"
#include "ui/report/resultsoutput.h"
#include "workflow/compositerun.h"

#include <QCoreApplication>

#include <algorithm>

bool AnalysedMatrices::read(Processing& processing, AnalysisOutcome* outcome) {
    Status loaded;
    const BackgroundWork::Outcome run = m_work.run(
        QCoreApplication::translate("RobustnessWindow", "Lettura della matrice"),
        [&, workbook = m_state.strMatrice](WorkProgress& progress) {
            loaded = processing.load(workbook, &progress);
        },
        true);
    if (run == BackgroundWork::Outcome::OutOfMemory) {
        *outcome = AnalysisOutcome::OutOfMemory;
        showOutOfMemory(m_dialogs,
                        QCoreApplication::translate("RobustnessWindow", "leggere la matrice"));
        return false;
    }
    if (!loaded) {
        *outcome = loaded.error().kind == FailureKind::Cancelled ? AnalysisOutcome::Cancelled
                                                                 : AnalysisOutcome::Refused;
        showFailure(m_dialogs, loaded.error());
        return false;
    }
    return true;
}

std::shared_ptr<const Matrix> AnalysedMatrices::matrix(int units, AnalysisOutcome* outcome) {
    const auto fits = [units](const std::shared_ptr<const Matrix>& matrix) {
        return matrix && matrix->unitCount() == units;
    };
    if (std::shared_ptr<const Matrix> loaded = matrixOf(m_loaded.get(), m_state.strMatrice);
        fits(loaded))
        return loaded;
    if (std::shared_ptr<const Matrix> read = matrixOf(m_source.get(), m_state.strMatrice);
        fits(read))
        return read;
    m_source = std::make_unique<Processing>(m_regional);
    if (!read(*m_source, outcome)) {
        m_source.reset();
        return nullptr;
    }
    if (!fits(m_source->sharedMatrix())) {
        m_source.reset();
        *outcome = AnalysisOutcome::Refused;
        showFailure(m_dialogs, failure(FailureKind::Usage,
                                       QCoreApplication::translate(
                                           "RobustnessWindow",
                                           "La matrice sorgente non ha le unità del confronto: "
                                           "eseguire di nuovo i metodi.")));
        return nullptr;
    }
    return m_source->sharedMatrix();
}

std::shared_ptr<const Matrix> AnalysedMatrices::withGaps(AnalysisOutcome* outcome) {
    if (std::shared_ptr<const Matrix> read = matrixOf(m_withGaps.get(), m_state.strMatrice))
        return read;
    auto processing = std::make_unique<Processing>(m_regional);
    MissingChoice choice;
    choice.treatment = MissingTreatment::Available;
    processing->setMissingChoice(choice);
    if (!read(*processing, outcome))
        return nullptr;
    m_withGaps = std::move(processing);
    return m_withGaps->sharedMatrix();
}

std::vector<Composite>
AnalysedMatrices::composites(const std::shared_ptr<const Matrix>& matrix) const {
    const Processing* const loaders[] = {m_loaded.get(), m_source.get(), m_withGaps.get()};
    for (const Processing* processing : loaders)
        if (matrix && matrixOf(processing, m_state.strMatrice) == matrix) {
            const Expected<CompositeList> list = loadComposites(*processing, {}, m_regional);
            return list ? list->composites : std::vector<Composite>();
        }
    return {};
}

MatrixBasis AnalysedMatrices::basisOf(const std::shared_ptr<const Matrix>& matrix) const {
    const Processing* const loaders[] = {m_loaded.get(), m_source.get(), m_withGaps.get()};
    for (const Processing* processing : loaders)
        if (matrix && matrixOf(processing, m_state.strMatrice) == matrix)
            return processing->basis();
    return ::basisOf(nullptr, m_state.strMatrice);
}

std::shared_ptr<const Structure>
AnalysedMatrices::structureOf(const std::shared_ptr<const Matrix>& matrix) const {
    const Processing* const loaders[] = {m_loaded.get(), m_source.get(), m_withGaps.get()};
    for (const Processing* processing : loaders)
        if (matrixOf(processing, m_state.strMatrice) == matrix)
            return ::structureOf(processing, m_state.strMatrice);
    return nullptr;
}

std::vector<MissingTreatment> AnalysedMatrices::missingLevels() const {
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
