#pragma once

#include "shared/regional.h"

#include <QString>

// The report of `orvalta --report OUT.pdf WORKBOOK`: reads the workbook's
// matrix, gathers its results and writes the PDF. Returns an empty string
// on success, otherwise the Italian message to print (the matrix refused,
// the workbook unreadable, the PDF not written); the warnings about result
// files left out go to warnings.
QString reportFromCommandLine(const QString& pdfPath, const QString& workbook,
                              const Regional& regional, QStringList* warnings = nullptr);
