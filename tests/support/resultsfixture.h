#pragma once

#include "shared/regional.h"
#include "shared/sharedstate.h"

#include <QString>

// The sample workbook copied into folder with its matrix loaded into s
// (under the given regional settings; matDati and the flags, the result
// tables empty), all nine methods run (their result files written) and,
// with compare,
// the nine compared (both comparison files written). Returns the copy's
// path, or an empty string after a failed QVERIFY-style step (the failure
// is recorded through QTest).
QString sampleWithResults(const QString& folder, SharedState& s, const Regional& regional,
                          bool compare = true);

// Robustness files beside the workbook of s, laid out as the robustness
// analyses write them: <workbook>.rob.csv, .sensGRAD.csv (the last column
// names an indicator) and .unc.csv. Unit i (from 1) has the reference rank
// i, the median rank i + 0.5 and the range i % 3; the sensitivity blames
// the first indicator. Returns false when a file cannot be written.
bool writeRobustnessFiles(const SharedState& s, const Regional& regional);
