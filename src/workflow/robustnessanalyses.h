#pragma once

#include "comparison/cograduation.h"
#include "comparison/texttable.h"
#include "composite/compositedefinitions.h"
#include "methods/metodi.h"
#include "robustness/rankmatrix.h"
#include "robustness/ranksummary.h"
#include "robustness/sensitivity.h"
#include "robustness/uncertainty.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "stats/matrix.h"
#include "treatment/missing.h"
#include "workflow/matrixbasis.h"

#include <QString>

#include <vector>

// The robustness analyses of a workbook's results, as the robustness window
// and the batch tool's robustness, sensitivity and uncertainty commands run
// them: each computes its figures and writes its table beside the workbook.
// An analysis whose file cannot be written is returned all the same, saved
// holding the File failure (the earlier file stays as it was).

// How the ranks of the compared methods agree.
struct RankSummaryRun {
    RankMatrix ranks;
    RankSummary summary;
    CoefficientMatrix kendall; // the Kendall matrix of the methods
    QString file;              // <workbook>.rob.csv
    Status saved;
};

// The rank summary and the Kendall matrix of the ranks of a comparison
// (rankMatrixOf), the summary written to <workbook>.rob.csv.
// sources: the files the ranks were read from (by default the ranks
// comparison file), for the record. codes: the methods' codes in the
// ranks' order (by default those the record gives the ranks comparison
// file, else the codes of the nine's headers), for the record.
RankSummaryRun analyseRanks(const QString& workbook, const RankMatrix& ranks,
                            const Regional& regional, const QStringList& sources = {},
                            const QStringList& codes = {});

// How the ranks of one method move when each indicator is left out.
struct SensitivityRun {
    IndicatorSensitivity sensitivity;
    int largestShift = 0; // the largest shift of any unit, 0 when none moves
    QString file;         // <workbook>.sens<CODE>.csv
    Status saved;
};

// The indicator sensitivity of the method at position on the matrix made
// from basis (whose workbook names the file), over its structure when given (indicatorSensitivity,
// whose failures it returns), written to <workbook>.sens<CODE>.csv.
Expected<SensitivityRun> analyseSensitivity(const MatrixBasis& basis, const Matrix& matrix,
                                            MethodPosition position, const Regional& regional,
                                            WorkProgress* progress = nullptr,
                                            const Structure* structure = nullptr);

// The same for a composite, recomputed over the structure (without one,
// over every indicator under the overall index) with each indicator, then
// each group, left out; the file's record entry names its definition
// (describeComposite).
Expected<SensitivityRun> analyseSensitivity(const MatrixBasis& basis, const Matrix& matrix,
                                            const Composite& composite, const Regional& regional,
                                            WorkProgress* progress = nullptr,
                                            const Structure* structure = nullptr);

// Where each unit's rank lies over methods and indicator sets.
struct UncertaintyRun {
    RankUncertainty uncertainty;
    QString file; // <workbook>.unc.csv
    Status saved;
};

// The uncertainty of the ranks over the methods at positions (the first the
// reference) and every indicator set on the matrix of workbook
// (rankUncertainty, whose failures it returns), written to
// <workbook>.unc.csv.
// With treated given, the outlier treatment is one more factor (see
// rankUncertainty); with composites, their variants are crossed as methods
// and their definitions recorded.
Expected<UncertaintyRun> analyseUncertainty(const MatrixBasis& basis, const Matrix& matrix,
                                            const std::vector<MethodPosition>& positions,
                                            const Regional& regional,
                                            WorkProgress* progress = nullptr,
                                            const Matrix* treated = nullptr,
                                            const UncertaintyComposites& composites = {});

// The same with the treatment of missing cells as one more factor: matrix
// read with its gaps kept (MissingTreatment::Available, the coverage rule
// applied), each treatment of treatments (the first the reference) applied
// to it in turn and crossed with the methods and indicator sets; with
// outlierFactor, each of those also after the outlier treatment.
Expected<UncertaintyRun> analyseUncertainty(const MatrixBasis& basis, const Matrix& matrix,
                                            const std::vector<MissingTreatment>& treatments,
                                            const std::vector<MethodPosition>& positions,
                                            const Regional& regional, bool outlierFactor,
                                            WorkProgress* progress = nullptr,
                                            const UncertaintyComposites& composites = {});
