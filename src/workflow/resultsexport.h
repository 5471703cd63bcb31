#pragma once

#include "export/resultscollection.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"
#include "workflow/matrixbasis.h"

#include <QString>
#include <QStringList>

#include <optional>

// What exporting a workbook's results came to.
struct ResultsExport {
    QStringList warnings; // the result files left out, each with the reason, in Italian
    QStringList notices;  // the files taken whose origin cannot be checked
    Status written;       // the results workbook on disk, or why it is not
};

// "Esporta risultati" of the windows and `orvalta-batch export`: gathers
// every result of workbook, whose source matrix is given (collectResults;
// inMemory names the method run last in this session, exported in full
// precision with its transformed matrix), and writes them into one .xlsx
// workbook at path (writeResultsWorkbook), with the structure of the
// matrix when it has one. With the record of the gaps of the matrix, the
// workbook shows the filled cells and a "Mancanti" sheet. With the basis of
// the matrix, files computed on a matrix made otherwise are left out.
ResultsExport exportResults(const QString& workbook, const Matrix& matrix, const QString& path,
                            const Regional& regional,
                            const std::optional<MethodInMemory>& inMemory = std::nullopt,
                            WorkProgress* progress = nullptr, const Structure* structure = nullptr,
                            const GapsRecord* gaps = nullptr, const MatrixBasis* basis = nullptr);
