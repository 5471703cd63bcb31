#include "workflow/resultsexport.h"

#include "export/resultsworkbook.h"
#include "record/outputrecorder.h"

ResultsExport exportResults(const QString& workbook, const Matrix& matrix, const QString& path,
                            const Regional& regional, const std::optional<MethodInMemory>& inMemory,
                            WorkProgress* progress, const Structure* structure,
                            const GapsRecord* gaps, const MatrixBasis* basis) {
    ResultsCollection results =
        collectResults(workbook, matrix, regional, inMemory, progress, structure,
                       basis ? std::optional<QJsonObject>(basisSettings(*basis)) : std::nullopt);
    results.gaps = gaps;
    RecordScope scope(workbook, regional);
    scope.recorder().addInput(workbook, InputRole::Matrix);
    for (const TakenFile& read : results.files)
        scope.recorder().addInput(read.path, InputRole::File, read.sha256);
    return {results.warnings, results.notices, writeResultsWorkbook(path, results, progress)};
}
