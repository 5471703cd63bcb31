#include "batchload.h"
#include "commands.h"
#include "exitstatus.h"
#include "methodcodes.h"

#include "robustness/robustnessfiles.h"
#include "robustness/sensitivity.h"

#include <QFileInfo>

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
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const Expected<Matrix> matrix = loadWorkbookMatrix(workbook, regional);
    if (!matrix)
        return reportFailure(matrix.error());
    const IndicatorSensitivity sensitivity =
        indicatorSensitivity(*matrix, MethodPosition(positions.front()), regional);
    if (sensitivity.status != IndicatorSensitivity::Status::Done) {
        scriviErr(sensitivity.message);
        return 3;
    }
    const QString path = sensitivityFile(workbook, sensitivity.code);
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
