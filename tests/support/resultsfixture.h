#pragma once

#include "shared/regional.h"
#include "stats/matrix.h"
#include "workflow/processing.h"

#include <QString>

#include <memory>

// The sample workbook with the results of every method beside it.
struct SampleResults {
    // The copy's matrix, loaded; its path is processing->workbook(). Null
    // after a failed step.
    std::unique_ptr<Processing> processing;
    // The run of the last method of the list (M2NI).
    std::shared_ptr<const MethodRun> last;
};

// The sample workbook copied into folder with its matrix loaded (under the
// given regional settings), all nine methods run (their result files
// written) and, with compare, the nine compared (both comparison files
// written). A failed step is recorded through QTest and leaves processing
// null.
SampleResults sampleWithResults(const QString& folder, const Regional& regional,
                                bool compare = true);

// Robustness files beside the workbook strMatrice of matrix, laid out as the
// robustness analyses write them: <workbook>.rob.csv, .sensGRAD.csv (the
// last column names an indicator) and .unc.csv. Unit i (from 1) has the
// reference rank i, the median rank i + 0.5 and the range i % 3; the
// sensitivity blames the first indicator. Returns false when a file cannot
// be written.
bool writeRobustnessFiles(const QString& strMatrice, const Matrix& matrix,
                          const Regional& regional);
