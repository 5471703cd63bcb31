#include "commands.h"

#include "timeseries/ampi.h"
#include "timeseries/ampifiles.h"
#include "timeseries/panelloader.h"

#include <QDir>
#include <QFileInfo>

int comandoAmpi(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const QString base = parser.value(QStringLiteral("base"));
    if (args.size() != 1 || (parser.isSet(QStringLiteral("base")) && base.isEmpty())) {
        scriviErr(QStringLiteral("Uso: orvalta-batch ampi CARTELLA_DI_LAVORO [--base PERIODO]"));
        return 1;
    }
    const QString workbook = QFileInfo(args.first()).absoluteFilePath();
    const Regional regional = Regional::system();
    Panel panel;
    const LoadResult load = caricaPanel(workbook, regional, &panel);
    if (!load.loaded()) {
        scriviErr(load.message);
        return load.status == LoadResult::Status::Refused ? 2 : 1;
    }
    const int basePeriod = base.isEmpty() ? 0 : static_cast<int>(panel.periods.indexOf(base));
    if (basePeriod < 0) {
        scriviErr(QStringLiteral("Il periodo %1 non è tra i fogli della cartella di lavoro: %2.")
                      .arg(base, panel.periods.join(QStringLiteral(", "))));
        return 1;
    }

    const AmpiResult result = calcolaAmpi(panel, basePeriod);
    const int periods = panel.periodCount();
    const int units = panel.unitCount();
    const std::vector<int> plus = ampiRanks(result.plus, periods, units);
    const std::vector<int> minus = ampiRanks(result.minus, periods, units);
    if (const QString error = scriviFileAmpi(workbook, panel, result, plus, minus, regional);
        !error.isEmpty()) {
        scriviErr(error);
        return 1;
    }
    scriviOut(QStringLiteral("Periodi: %1 (base %2)")
                  .arg(panel.periods.join(QStringLiteral(", ")), panel.periods[basePeriod]));
    scriviOut(QStringLiteral("Unità: %1, indicatori: %2")
                  .arg(panel.unitCount())
                  .arg(panel.indicatorCount()));
    for (const QString& file : {ampiValuesFile(workbook, true), ampiValuesFile(workbook, false),
                                ampiRanksFile(workbook, true), ampiRanksFile(workbook, false),
                                ampiGoalpostsFile(workbook)})
        scriviOut(QDir::toNativeSeparators(file));
    return 0;
}
