#include "batchload.h"
#include "commands.h"
#include "methodcodes.h"

#include "robustness/robustnessfiles.h"
#include "robustness/sensitivity.h"

// sensitivity WORKBOOK CODE: loads the workbook, runs the method with every
// indicator and with each one left out, and writes the sensitivity file.
int comandoSensitivity(const QCommandLineParser& parser) {
    const QString uso = QStringLiteral("Uso: orvalta-batch sensitivity CARTELLA_DI_LAVORO CODICE");
    if (parser.positionalArguments().size() != 2) {
        scriviErr(uso);
        return 1;
    }
    const std::vector<int> positions = chosenMethods(parser, 1, uso);
    if (positions.empty())
        return 1;
    SharedState s;
    const Regional regional = Regional::system();
    if (const int status = caricaPerAnalisi(parser.positionalArguments().first(), s, regional))
        return status;
    const IndicatorSensitivity sensitivity = indicatorSensitivity(s, positions.front(), regional);
    if (sensitivity.status != IndicatorSensitivity::Status::Done) {
        scriviErr(sensitivity.message);
        return 3;
    }
    const QString path = sensitivityFile(s.strMatrice, sensitivity.code);
    const QString error = writeTableFile(path, sensitivityTable(sensitivity));
    if (!error.isEmpty()) {
        scriviErr(error);
        return 1;
    }
    for (int j = 0; j < sensitivity.refusals.size(); ++j)
        if (!sensitivity.refusals[j].isEmpty())
            scriviErr(QStringLiteral("Senza %1: %2")
                          .arg(sensitivity.indicators[j], sensitivity.refusals[j]));
    scriviOut(path);
    return sensitivity.someRefused() ? 3 : 0;
}
