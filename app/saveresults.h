#pragma once

#include "shared/workprogress.h"

#include <QString>
#include <QStringList>

#include <vector>

// One file that could not be copied, and why: an Italian phrase without the
// file's name or path ("la cartella di destinazione non è scrivibile"), the
// same for every file that failed for the same cause.
struct CopyFailure {
    QString fileName;
    QString reason;
};

// What saving the results did.
struct SaveOutcome {
    enum class Status {
        Copied,     // every listed file was copied (also when none was listed)
        SameFolder, // the destination is the workbook's own folder: nothing copied
        Partial,    // some files could not be copied; see failures
        NoWorkbook  // no workbook path was given: nothing copied
    };
    Status status = Status::Copied;
    QStringList copied; // file names, in name order
    std::vector<CopyFailure> failures;

    bool complete() const { return status == Status::Copied; }
};

// The names of the files to save for the workbook at workbookPath: every
// ordinary file of the workbook's folder whose name begins with the
// workbook's file name (the workbook, its result files, its comparison
// files), in name order. Names are compared character by character, so a
// file name holding wildcard characters such as "*" or "[" lists only its
// own files.
QStringList filesToSave(const QString& workbookPath);

// Copies the files of filesToSave into destFolder under the same names,
// replacing files of those names there. Each copy is written as SafeFile
// writes: the earlier file of a name is replaced only by a complete copy,
// and a link at a name is replaced, never written through. Copies nothing
// when destFolder is the workbook's folder (also through a link), and never
// copies a file onto itself. A file that cannot be copied is reported in
// failures, its earlier copy left as it was, and the others are still
// copied. With progress given, the copying is reported to it file by file.
SaveOutcome saveResults(const QString& workbookPath, const QString& destFolder,
                        WorkProgress* progress = nullptr);
