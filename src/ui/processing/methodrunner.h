#pragma once

#include "composite/compositedefinitions.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "ui/platform/backgroundwork.h"
#include "ui/processing/statetables.h"
#include "ui/state/sharedstate.h"
#include "workflow/compositerun.h"
#include "workflow/processing.h"

#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class QComboBox;

// The methods the processing window runs, off its thread (BackgroundWork):
// one, or every method of the list in its order, the nine then the
// workbook's composites. Each run's tables are
// filled on the worker for the grids of the shared state; the run of the
// last method whose files were written is kept with them, so that what it
// computed is exported as computed.
class MethodRunner {
public:
    // What running came to.
    struct Runs {
        BackgroundWork::Outcome outcome = BackgroundWork::Outcome::Finished;
        // The run's status (of the one method, or runAll's).
        Status done;
        // The last method whose files were written: its position (-1 for
        // none), its run (null for a composite) and tables.
        int filled = -1;
        std::shared_ptr<const MethodRun> run;
        RunTables tables;
        // The methods whose files were written, by code, in list order.
        QStringList ran;
        // The refusals of the matrix, in list order.
        std::vector<std::pair<int, Failure>> refusals;
        // The method whose files could not be written, and the last method
        // reported (-1 for none).
        int unwritten = -1;
        int reported = -1;
    };

    // state.matDati holds the matrix loaded by processing.
    MethodRunner(Processing& processing, const SharedState& state, BackgroundWork& work,
                 const Regional& regional)
        : m_processing(processing), m_state(state), m_work(work), m_regional(regional) {}

    // The composites listed after the nine, at positions from 9 on.
    void setComposites(CompositeList composites) { m_composites = std::move(composites); }
    const CompositeList& composites() const { return m_composites; }
    // How many methods the list holds: the nine and the composites.
    int count() const;
    // The composite at position; null for one of the nine.
    const Composite* compositeAt(int position) const;
    // The code of the method at position ("MPI+", a composite's code).
    QString codeAt(int position) const;
    // The method at position as the list and the messages name it.
    QString captionAt(int position) const;

    // Runs the method at position (not cancellable).
    Runs runOne(int position);
    // Runs every method of list in its order (cancellable), the composites
    // one after another once the nine are done; the list follows the
    // methods as they are done.
    Runs runAll(QComboBox* list);

private:
    // Takes one method's run as reported: its tables filled, or its failure
    // noted.
    void take(Runs& runs, int position, const Expected<std::shared_ptr<const MethodRun>>& run,
              const Regional& regional) const;
    // The same for a composite's run.
    void takeComposite(Runs& runs, int position, const Expected<CompositeRun>& run,
                       const Regional& regional) const;
    // Runs the composites in their order after the nine's, on the worker.
    Status runComposites(Runs& runs, QComboBox* list, WorkProgress& progress,
                         const Regional& regional) const;

    Processing& m_processing;
    const SharedState& m_state;
    BackgroundWork& m_work;
    Regional m_regional;
    CompositeList m_composites;
};

// The message that closes a run of every method with refusals: the methods
// that ran, then each refusal under its method's code and description.
QString refusalsSummary(const MethodRunner& runner, const MethodRunner::Runs& runs, bool stopped);
