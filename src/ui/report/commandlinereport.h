#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "workflow/matrixoptions.h"

#include <QString>
#include <QStringList>

// The report of `orvalta --report OUT.pdf WORKBOOK [matrix options]`: reads
// the workbook's matrix as the options choose (its structure, the treatment
// of its gaps and the coverage, the outlier treatment, whose record is
// written as the batch tool writes it), gathers its results and writes the
// PDF. Fails with the Italian message to print (the matrix refused, the
// workbook unreadable, the PDF not written); what the coverage rule left
// out, the files the treatment wrote and the result files left out go to
// warnings.
Status reportFromCommandLine(const QString& pdfPath, const QString& workbook,
                             const Regional& regional, const MatrixChoices& choices = {},
                             QStringList* warnings = nullptr);
