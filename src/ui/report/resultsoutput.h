#pragma once

#include "shared/regional.h"
#include "stats/matrix.h"
#include "workflow/processing.h"

#include <QString>

#include <memory>
#include <optional>

class BackgroundWork;
class Dialogs;

// The two commands that take a workbook's results out of the program, as
// the processing and the comparison window run them: a save dialog (the
// names of the naming module proposed beside the workbook, so that saving
// the results copies the file), the work off the window's thread, then a
// message saying where the file went (with the result files left out) or
// why it was not written.
//
// matrix is the source matrix loaded for workbook; without one it is read
// from the workbook first (the comparison window opened before the
// processing window). structure is the matrix's, when it has one; with a
// matrix read here, its own. basis, what the matrix was made from: files
// computed on a matrix made otherwise are left out.

// "Esporta risultati...": exportResults. shown, the run of the method whose
// results are on view (null for none), is exported in full precision with
// its transformed matrix.
void exportResultsWorkbook(const QString& workbook, std::shared_ptr<const Matrix> matrix,
                           std::shared_ptr<const MethodRun> shown, Dialogs& dialogs,
                           BackgroundWork& work, const Regional& regional,
                           std::shared_ptr<const Structure> structure = nullptr,
                           std::shared_ptr<const GapsRecord> gaps = nullptr,
                           std::optional<MatrixBasis> basis = std::nullopt);

// "Rapporto PDF...": writePdfReport.
void writeReport(const QString& workbook, std::shared_ptr<const Matrix> matrix, Dialogs& dialogs,
                 BackgroundWork& work, const Regional& regional,
                 std::shared_ptr<const Structure> structure = nullptr,
                 std::shared_ptr<const GapsRecord> gaps = nullptr,
                 std::optional<MatrixBasis> basis = std::nullopt);

// The matrix loaded by processing when it is that of workbook, else null.
std::shared_ptr<const Matrix> matrixOf(const Processing* processing, const QString& workbook);
// Its structure, under the same condition; null too when it has none.
std::shared_ptr<const Structure> structureOf(const Processing* processing, const QString& workbook);
// What its matrix was made from, under the same condition; else the
// workbook as it is now.
MatrixBasis basisOf(const Processing* processing, const QString& workbook);
// The record of its missing values, under the same condition; null too when
// it has none.
std::shared_ptr<const GapsRecord> gapsOf(const Processing* processing, const QString& workbook);
