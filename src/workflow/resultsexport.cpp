#include "workflow/resultsexport.h"

#include "export/resultsworkbook.h"

ResultsExport exportResults(const QString& workbook, const Matrix& matrix, const QString& path,
                            const Regional& regional, const std::optional<MethodInMemory>& inMemory,
                            WorkProgress* progress, const Structure* structure,
                            const GapsRecord* gaps) {
    ResultsCollection results =
        collectResults(workbook, matrix, regional, inMemory, progress, structure);
    results.gaps = gaps;
    return {results.warnings, writeResultsWorkbook(path, results, progress)};
}
