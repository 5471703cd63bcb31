#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "workflow/matrixoptions.h"
#include "workflow/processing.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <memory>

// Told on stderr by the analyses that leave the structure aside: they work
// on the indicators of the matrix, without groups or weights.
QString structureNotUsed();

// With --outliers, applies the outlier treatment to the matrix loaded
// (Processing::treatOutliers) and prints the files of its record: the exit
// status of the failure to write them, else kExitSuccess. Without it, does
// nothing.
int treatOutliersIfAsked(Processing& processing, const QCommandLineParser& parser);

// With a treatment of missing cells, writes its record beside the workbook
// (Processing::writeGapsFiles) and prints the files: the exit status of
// the failure to write them, else kExitSuccess.
int writeGapsFilesIfAsked(const Processing& processing);

// What a run does before its methods (run, weights): the structure's tree
// printed, the record of the missing cells' treatment written, the outlier
// treatment applied when asked: the exit status of the first failure, else
// kExitSuccess.
int prepareRun(Processing& processing, const QCommandLineParser& parser);

// The source matrix of the workbook at path and its structure, loaded as
// the processing window loads them, the structure chosen by the options of
// matrixOptions(): a Usage failure when both are given or the file is
// empty, or the treatment of missing cells is unknown; else the failure of
// the load, whose message the caller prints on stderr (reportFailure).
// With a treatment, the count of missing cells and what the coverage rule
// leaves out are printed.
enum class GapsUse {
    Refuse, // without a treatment, gaps refuse the matrix
    Report, // the same, and their count is printed, also when they refuse it (check)
    Keep,   // without a treatment, gaps are kept as they are (audit)
    Factor, // gaps kept, after the coverage rule, for each treatment to fill them its own way
};
Expected<std::unique_ptr<Processing>> loadWorkbook(const QString& path,
                                                   const QCommandLineParser& parser,
                                                   const Regional& regional,
                                                   GapsUse gapsUse = GapsUse::Refuse);
