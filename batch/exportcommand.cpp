#include "commands.h"

#include "batchload.h"
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
    SharedState s;
    if (const int status = caricaCartella(args[0], s, regional); status != 0)
        return status;
    const ResultsCollection results = collectResults(s, regional);
    for (const QString& warning : results.warnings)
        scriviErr(warning);
    const QString error = writeResultsWorkbook(QFileInfo(args[1]).absoluteFilePath(), results);
    if (!error.isEmpty()) {
        scriviErr(error);
        return 1;
    }
    return 0;
}
