#include "workflow/resultsexport.h"

#include "export/resultsworkbook.h"

ResultsExport exportResults(const QString& workbook, const Matrix& matrix, const QString& path,
                            const Regional& regional, const std::optional<MethodInMemory>& inMemory,
                            WorkProgress* progress, const Structure* structure) {
    const ResultsCollection results =
        collectResults(workbook, matrix, regional, inMemory, progress, structure);
    return {results.warnings, writeResultsWorkbook(path, results, progress)};
}
