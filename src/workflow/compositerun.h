#pragma once

#include "composite/compositecomputation.h"
#include "composite/compositedefinitions.h"
#include "record/outputrecorder.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "workflow/processing.h"

#include <QString>

// The composites of the workbook loaded: those of file when it is not
// empty, else the workbook's own (readComposites).
Expected<CompositeList> loadComposites(const Processing& processing, const QString& file,
                                       const Regional& regional);

// Tells a recorder of files computed from the composite its definition
// among the settings and, when its definition was read from a
// file, that file as an input (the name alone beside the workbook): a
// changed definition leaves those files stale.
void describeComposite(OutputRecorder& recorder, const QString& workbook,
                       const Composite& composite);

// A composite run on the loaded matrix, its files on disk.
struct CompositeRun {
    CompositeOutput output;
    QString valuesFile;      // <workbook>.out<Codice>.csv
    QString ranksFile;       // <workbook>.out<Codice>.rnk
    QString groupValuesFile; // <workbook>.dim<Codice>.csv, with a structure; else empty
    QString groupRanksFile;  // <workbook>.dim<Codice>.rnk.csv
};

// Computes the composite on the matrix loaded, over its structure when it
// has one (computeComposite), and writes its files as the nine's are
// written: the result files with the composite's name as the header, and
// with a structure the group files. Each file's record entry holds the
// method's code and the composite's definition among its settings, so a
// changed definition leaves the files stale. Fails with the composite's
// refusal, or the failure to write (the files on disk stay as they were).
Expected<CompositeRun> runComposite(const Processing& processing, const Composite& composite,
                                    const Regional& regional);
