#pragma once

#include "geo/classbreaks.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "workflow/matrixoptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// `orvalta --map WORKBOOK --boundaries FILE --show WHAT --out FILE.(svg|png|pdf)
// [--key FIELD] [--classes N] [--breaks quantile|equal|jenks]` with the
// matrix options of the report.
struct MapRequest {
    QString workbook;
    QString boundaries; // empty: the boundary file beside the workbook
    QString show;
    QString out;
    QString key;
    int classes = 5;
    BreakMethod breaks = BreakMethod::Quantile;
    MatrixChoices choices;
};

// The options --map adds (all but --map itself, which the caller owns).
QList<QCommandLineOption> mapOptions();
QString mapUsage();

// The request of a parsed command line whose --map is workbook: a Usage
// failure, with the usage, when --show or --out is missing or --classes or
// --breaks is not understood.
Expected<MapRequest> mapRequest(const QCommandLineParser& parser, const QString& workbook);

// Loads the workbook's matrix and results, reads and joins the boundary
// file, and writes the map (recorded when it is beside the workbook). The
// units and shapes the join left out, and the result files left out, go
// to warnings.
Status writeMapFromCommandLine(const MapRequest& request, const Regional& regional,
                               QStringList* warnings = nullptr);
