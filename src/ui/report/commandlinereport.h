#pragma once

#include "shared/expected.h"
#include "shared/regional.h"

#include <QString>
#include <QStringList>

// The report of `orvalta --report OUT.pdf WORKBOOK`: reads the workbook's
// matrix, gathers its results and writes the PDF. Fails with the Italian
// message to print (the matrix refused, the workbook unreadable, the PDF
// not written); the warnings about result files left out go to warnings.
Status reportFromCommandLine(const QString& pdfPath, const QString& workbook,
                             const Regional& regional, QStringList* warnings = nullptr);
