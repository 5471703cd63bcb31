#include "batchload.h"
#include "commands.h"
#include "exitstatus.h"
#include "methodcodes.h"

#include "robustness/robustnessfiles.h"
#include "robustness/uncertainty.h"

#include <QFileInfo>

// uncertainty WORKBOOK CODE [CODE...] | --all: loads the workbook, runs
// every method with every indicator and with each one left out, and writes
// the uncertainty file.
int comandoUncertainty(const QCommandLineParser& parser) {
    const QString uso = QStringLiteral(
        "Uso: orvalta-batch uncertainty CARTELLA_DI_LAVORO CODICE [CODICE...] | --all");
    const std::vector<int> positions = chosenMethods(parser, 1, uso);
    if (positions.empty())
        return 1;
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const Expected<Matrix> matrix = loadWorkbookMatrix(workbook, regional);
    if (!matrix)
        return reportFailure(matrix.error());
    std::vector<MethodPosition> methods;
    for (const int position : positions)
        methods.push_back(MethodPosition(position));
    const RankUncertainty uncertainty = rankUncertainty(*matrix, methods, regional);
    for (const QString& line : uncertainty.leftOut + uncertainty.refusedRuns)
        scriviErr(line);
    if (uncertainty.status != RankUncertainty::Status::Done) {
        scriviErr(uncertainty.message);
        return uncertainty.leftOut.isEmpty() ? 1 : 3;
    }
    const QString path = uncertaintyFile(workbook);
    const QString error = writeTableFile(path, uncertaintyTable(uncertainty, regional));
    if (!error.isEmpty()) {
        scriviErr(error);
        return 1;
    }
    scriviOut(
        QStringLiteral("%1 (%2 graduatorie)").arg(path, QString::number(uncertainty.rankings)));
    return uncertainty.leftOut.isEmpty() && uncertainty.refusedRuns.isEmpty() ? 0 : 3;
}
