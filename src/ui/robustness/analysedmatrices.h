#pragma once

#include "composite/compositedefinitions.h"
#include "shared/regional.h"
#include "treatment/missing.h"
#include "ui/state/sharedstate.h"
#include "workflow/processing.h"

#include <memory>
#include <vector>

class BackgroundWork;
class Dialogs;

// What became of a robustness analysis.
enum class AnalysisOutcome { Saved, NotSaved, Refused, Cancelled, OutOfMemory };

// The matrices the robustness analyses of the workbook of the state are
// computed on: the one the processing window loaded, when it is the
// workbook's and has the units of the comparison, else one read here once;
// and for the Monte Carlo's treatments of missing values, the matrix read
// again with its gaps kept. They are read off the window's thread (work);
// a failure is told to the user and its outcome given.
class AnalysedMatrices {
public:
    AnalysedMatrices(std::shared_ptr<const Processing> loaded, const SharedState& state,
                     Dialogs& dialogs, BackgroundWork& work, const Regional& regional)
        : m_loaded(std::move(loaded)), m_state(state), m_dialogs(dialogs), m_work(work),
          m_regional(regional) {}

    // The matrix with the given units: the one loaded, or one read now.
    std::shared_ptr<const Matrix> matrix(int units, AnalysisOutcome* outcome);
    // The matrix read with its gaps kept (as with the values available, the
    // coverage rule applied), read once; for the treatments as a factor.
    std::shared_ptr<const Matrix> withGaps(AnalysisOutcome* outcome);
    // What a matrix given by this was made from.
    MatrixBasis basisOf(const std::shared_ptr<const Matrix>& matrix) const;
    // The composites defined for the workbook of the matrix (as the
    // processing window reads them); none when they cannot be read.
    std::vector<Composite> composites(const std::shared_ptr<const Matrix>& matrix) const;
    // Its structure; null when it has none.
    std::shared_ptr<const Structure> structureOf(const std::shared_ptr<const Matrix>& matrix) const;
    // The structure of the matrix read here; null when none was read.
    std::shared_ptr<const Structure> readStructure() const {
        return m_source ? m_source->structure() : nullptr;
    }
    // The treatments of missing values the Monte Carlo draws from: the
    // processing window's first when it chose one.
    std::vector<MissingTreatment> missingLevels() const;

private:
    // Reads the workbook into processing; the outcome of a failure.
    bool read(Processing& processing, AnalysisOutcome* outcome);

    std::shared_ptr<const Processing> m_loaded;
    const SharedState& m_state;
    Dialogs& m_dialogs;
    BackgroundWork& m_work;
    Regional m_regional;
    std::unique_ptr<Processing> m_source;
    std::unique_ptr<Processing> m_withGaps;
};
