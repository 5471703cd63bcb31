#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "timeseries/ampi.h"
#include "timeseries/ampifiles.h"
#include "timeseries/panel.h"
#include "workbook/structuresheet.h"

#include <QString>

#include <vector>

// The Adjusted MPI over the periods of a workbook, as the time-analysis
// window and `orvalta-batch ampi` run it.

// Reads the workbook at path as a panel (readPanel) and the structure of
// its indicators, if any, from where choice says (readStructure: by default
// a Struttura sheet after the first, else <workbook>.struttura.csv):
// fails with Refused when a sheet or the structure breaks a rule or the
// workbook holds one period only, File when the workbook cannot be read,
// Cancelled when progress is cancelled.
Expected<Panel> loadPanel(const QString& path, const Regional& regional,
                          WorkProgress* progress = nullptr,
                          const StructureChoice& choice = StructureChoice());

// Both indices on one base period, their ranks within each period, and
// whether their five files were written.
struct AmpiRun {
    AmpiResult result;
    AmpiRanks ranks; // rankAmpi of result
    Status saved;    // the files beside the workbook, or why none was
};

// Computes AMPI+ and AMPI- of the panel of workbook on basePeriod (from 0),
// over its structure when it has one, ranks them, and writes the values,
// ranks and goalposts files beside the workbook (with a structure, the
// group files too), all of them or none (writeAmpiFiles).
AmpiRun runAmpi(const QString& workbook, const Panel& panel, int basePeriod,
                const Regional& regional);
