#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "timeseries/ampi.h"
#include "timeseries/panel.h"

#include <QString>

#include <vector>

// The Adjusted MPI over the periods of a workbook, as the time-analysis
// window and `orvalta-batch ampi` run it.

// Reads the workbook at path as a panel (caricaPanel): fails with Refused
// when a sheet breaks a rule, File when the workbook cannot be read,
// Cancelled when progress is cancelled.
Expected<Panel> loadPanel(const QString& path, const Regional& regional,
                          WorkProgress* progress = nullptr);

// Both indices on one base period, their ranks within each period, and
// whether their five files were written.
struct AmpiRun {
    AmpiResult result;
    std::vector<int> ranksPlus;  // ampiRanks of result.plus
    std::vector<int> ranksMinus; // ampiRanks of result.minus
    Status saved;                // the five files beside the workbook, or why none was
};

// Computes AMPI+ and AMPI- of the panel of workbook on basePeriod (from 0),
// ranks them, and writes the values, ranks and goalposts files beside the
// workbook, all of them or none (writeAmpiFiles).
AmpiRun runAmpi(const QString& workbook, const Panel& panel, int basePeriod,
                const Regional& regional);
