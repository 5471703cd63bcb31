#include "workflow/ampirun.h"

#include "record/outputrecorder.h"
#include "timeseries/ampifiles.h"
#include "timeseries/panelloader.h"

#include <QCoreApplication>
#include <QFileInfo>

Expected<Panel> loadPanel(const QString& path, const Regional& regional, WorkProgress* progress,
                          const StructureChoice& choice) {
    QStringList sheetNames;
    Expected<Panel> loaded = readPanel(path, regional, progress, &sheetNames);
    if (!loaded)
        return loaded;
    Panel& panel = *loaded;
    // AMPI compares periods: one alone leaves nothing to compare.
    if (panel.periodCount() < 2)
        return failure(FailureKind::Refused,
                       QCoreApplication::translate(
                           "Timeseries",
                           "L'AMPI confronta due periodi o più, uno per foglio della cartella: "
                           "%1 ha un solo foglio di dati (\"%2\"). Nessun file è stato "
                           "scritto.")
                           .arg(QFileInfo(path).fileName(), panel.periods.value(0)));
    Expected<std::optional<StructureSheet>> sheet =
        readStructure(path, sheetNames, choice, regional);
    if (!sheet)
        return std::move(sheet).error();
    if (*sheet) {
        const std::vector<QString> names(panel.indicators.begin(), panel.indicators.end());
        Expected<Structure> built = buildStructure(**sheet, names, regional);
        if (!built)
            return std::move(built).error();
        panel.structure = std::make_shared<const Structure>(std::move(*built));
    }
    return loaded;
}

AmpiRun runAmpi(const QString& workbook, const Panel& panel, int basePeriod,
                const Regional& regional) {
    AmpiRun run;
    const Structure* structure = panel.structure.get();
    run.result = computeAmpi(panel, basePeriod, structure);
    run.ranks = rankAmpi(panel, run.result, structure);
    RecordScope scope(workbook, regional, {{QStringLiteral("basePeriod"), basePeriod}});
    scope.recorder().addInput(workbook, InputRole::Matrix);
    run.saved = writeAmpiFiles(workbook, panel, run.result, run.ranks, regional, structure);
    return run;
}
