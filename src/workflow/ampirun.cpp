#include "workflow/ampirun.h"

#include "timeseries/ampifiles.h"
#include "timeseries/panelloader.h"

namespace {

FailureKind kindOf(LoadResult::Status status) {
    switch (status) {
    case LoadResult::Status::Refused:
        return FailureKind::Refused;
    case LoadResult::Status::Cancelled:
        return FailureKind::Cancelled;
    case LoadResult::Status::Loaded:
    case LoadResult::Status::FileError:
        break;
    }
    return FailureKind::File;
}

} // namespace

Expected<Panel> loadPanel(const QString& path, const Regional& regional, WorkProgress* progress) {
    Panel panel;
    const LoadResult load = caricaPanel(path, regional, &panel, progress);
    if (!load.loaded())
        return failure(kindOf(load.status), load.message);
    return panel;
}

AmpiRun runAmpi(const QString& workbook, const Panel& panel, int basePeriod,
                const Regional& regional) {
    AmpiRun run;
    run.result = calcolaAmpi(panel, basePeriod);
    run.ranksPlus = ampiRanks(run.result.plus, panel.periodCount(), panel.unitCount());
    run.ranksMinus = ampiRanks(run.result.minus, panel.periodCount(), panel.unitCount());
    run.saved =
        scriviFileAmpi(workbook, panel, run.result, run.ranksPlus, run.ranksMinus, regional);
    return run;
}
