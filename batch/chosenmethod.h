#pragma once

#include "shared/expected.h"
#include "workflow/methodvalues.h"
#include "workflow/processing.h"

#include <QCommandLineParser>

// The method of --method: one of the nine, else a composite of the workbook
// loaded (or of --composites): a Usage failure for a code of no method, the
// failure to read the composites.
Expected<AnalysedMethod> chosenMethod(const Processing& processing,
                                      const QCommandLineParser& parser);
