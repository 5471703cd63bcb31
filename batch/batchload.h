#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "stats/matrix.h"

#include <QString>

// The source matrix of the workbook at path, loaded as the processing
// window loads it; the failure's message is printed on stderr by the
// caller (reportFailure).
Expected<Matrix> loadWorkbookMatrix(const QString& path, const Regional& regional);
