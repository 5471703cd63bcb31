#pragma once

#include "shared/expected.h"
#include "treatment/missing.h"
#include "workflow/processing.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <vector>

// The command-line options of every command that loads a matrix (the batch
// tool's and `orvalta --report`), from this one list: where its structure
// comes from (--structure FILE) or that it has none (--no-structure), the
// outlier treatment (--outliers), the treatment of missing cells (--missing)
// and the coverage it asks for (--min-coverage).

// How a command takes the treatments: applied to the matrix before the
// work, or drawn as factors of the analysis (--missing then lists the
// treatments drawn, --outliers makes the outlier treatment one more factor).
enum class TreatmentOptions { Applied, Drawn };

QList<QCommandLineOption> matrixOptions(TreatmentOptions use = TreatmentOptions::Applied);
// The same options as a usage line shows them (" [--structure FILE | ...]").
QString matrixUsage(TreatmentOptions use = TreatmentOptions::Applied);

// Only the options that choose the structure, for the commands that load
// no matrix of units by indicators (the periods of ampi).
QList<QCommandLineOption> structureOptions();
QString structureUsage();

// The structure the options choose: a Usage failure when both are given or
// the file is empty.
Expected<StructureChoice> structureChoice(const QCommandLineParser& parser);

// The treatment of missing cells the options ask for (with readTreatment:
// under Applied, where --missing names one) and the coverage: a Usage
// failure for an unknown treatment or a coverage that is no number from 0
// to 1.
Expected<MissingChoice> missingChoice(const QCommandLineParser& parser, bool readTreatment = true);

// The treatments of missing cells listed by option (comma-separated, each
// once, in the order given; refuse is none of them): none when the option is
// not given, a Usage failure for an unknown name or an empty list.
Expected<std::vector<MissingTreatment>> treatmentList(const QCommandLineParser& parser,
                                                      const QString& option);

// Whether --outliers is given.
bool outliersAsked(const QCommandLineParser& parser);

// What the options choose, as the commands that apply the treatments take
// it: a Usage failure as above.
struct MatrixChoices {
    StructureChoice structure;
    MissingChoice missing;
    bool outliers = false;
};
Expected<MatrixChoices> matrixChoices(const QCommandLineParser& parser);
