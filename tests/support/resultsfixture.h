#pragma once

#include "shared/regional.h"
#include "shared/sharedstate.h"

#include <QString>

// The sample workbook copied into folder with its matrix loaded into s
// (under the given regional settings), all nine methods run (their result
// files written, the last method's tables left in s) and, with compare,
// the nine compared (both comparison files written). Returns the copy's
// path, or an empty string after a failed QVERIFY-style step (the failure
// is recorded through QTest).
QString sampleWithResults(const QString& folder, SharedState& s, const Regional& regional,
                          bool compare = true);
