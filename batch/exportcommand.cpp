#include "commands.h"

#include "batchload.h"
#include "exitstatus.h"
#include "export/resultscollection.h"
#include "export/resultsworkbook.h"

#include <QFileInfo>

// export WORKBOOK OUT.xlsx: one workbook with the source matrix and every
// result, comparison and robustness file of WORKBOOK. Files that do not fit
// the matrix are left out with a warning on stderr.
int comandoExport(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2) {
        scriviErr(QStringLiteral("Uso: orvalta-batch export CARTELLA_DI_LAVORO FILE.xlsx"));
        return 1;
    }
    const Regional regional = Regional::system();
    const QString workbook = QFileInfo(args[0]).absoluteFilePath();
    const Expected<Matrix> matrix = loadWorkbookMatrix(workbook, regional);
    if (!matrix)
        return reportFailure(matrix.error());
    const ResultsCollection results = collectResults(workbook, *matrix, regional);
    for (const QString& warning : results.warnings)
        scriviErr(warning);
    const QString error = writeResultsWorkbook(QFileInfo(args[1]).absoluteFilePath(), results);
    if (!error.isEmpty()) {
        scriviErr(error);
        return 1;
    }
    return 0;
}
