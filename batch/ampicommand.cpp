#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"

#include "timeseries/ampifiles.h"
#include "workflow/ampirun.h"

#include <QDir>
#include <QFileInfo>

// ampi WORKBOOK [--base PERIOD] [--structure FILE | --no-structure]: reads
// the sheets of the workbook as periods and the structure of its
// indicators, computes AMPI+ and AMPI- on the base period (the first sheet
// unless given), writes their files and prints what it read and wrote.
int ampiCommand(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const QString base = parser.value(QStringLiteral("base"));
    if (args.size() != 1 || (parser.isSet(QStringLiteral("base")) && base.isEmpty()))
        return reportUsage(
            QStringLiteral("Uso: orvalta-batch ampi CARTELLA_DI_LAVORO [--base PERIODO]") +
            structureUsage());
    const Expected<StructureChoice> choice = structureChoice(parser);
    if (!choice)
        return reportFailure(choice.error());
    const QString workbook = QFileInfo(args.first()).absoluteFilePath();
    const Regional regional = Regional::system();
    const Expected<Panel> panel = loadPanel(workbook, regional, nullptr, *choice);
    if (!panel)
        return reportFailure(panel.error());
    const int basePeriod = base.isEmpty() ? 0 : static_cast<int>(panel->periods.indexOf(base));
    if (basePeriod < 0)
        return reportUsage(
            QStringLiteral("Il periodo %1 non è tra i fogli della cartella di lavoro: %2.")
                .arg(base, panel->periods.join(QStringLiteral(", "))));

    const AmpiRun run = runAmpi(workbook, *panel, basePeriod, regional);
    if (!run.saved)
        return reportFailure(run.saved.error());
    printOut(QStringLiteral("Periodi: %1 (base %2)")
                 .arg(panel->periods.join(QStringLiteral(", ")), panel->periods[basePeriod]));
    printOut(QStringLiteral("Unità: %1, indicatori: %2")
                 .arg(panel->unitCount())
                 .arg(panel->indicatorCount()));
    QStringList files{ampiValuesFile(workbook, true), ampiValuesFile(workbook, false),
                      ampiRanksFile(workbook, true), ampiRanksFile(workbook, false),
                      ampiGoalpostsFile(workbook)};
    if (panel->structure) {
        printOut(structureSummary(*panel->structure));
        files << ampiGroupValuesFile(workbook, true) << ampiGroupValuesFile(workbook, false)
              << ampiGroupRanksFile(workbook, true) << ampiGroupRanksFile(workbook, false);
    }
    for (const QString& file : std::as_const(files))
        printOut(QDir::toNativeSeparators(file));
    return kExitSuccess;
}
