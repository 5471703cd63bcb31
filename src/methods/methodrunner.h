#pragma once

#include "methods/resultfiles.h"
#include "shared/regional.h"
#include "shared/sharedstate.h"

#include <QString>

#include <memory>

// The outcome of running one method.
struct MethodRunResult {
    enum class Status {
        Done,       // tables filled, both result files written
        Refused,    // the method does not take this matrix; message says why
        WriteFailed // a result file could not be written; message says which and why
    };
    Status status = Status::Done;
    QString message;
    QString valuesFile; // the result files of the method
    QString ranksFile;

    bool done() const { return status == Status::Done; }
};

// Runs the composite index methods over the loaded matrix: the work of
// choosing an entry of the method list, without the window.
//
// A run fills tables of its own and puts them in the shared state only when
// it succeeds, so that a run that fails leaves the shared tables as they
// were; nothing of a run is kept in the runner afterwards.
class MethodRunner {
public:
    // Sets bRisultati, then runs the method at the given list position
    // (0..8) whose list entry is entryText (its first four characters are the
    // method code that names the files). On success: matTrasformata,
    // matValori, matRanghi (labels, index header, the rank of every unit;
    // rank 1 to the best index value, the later of units with equal
    // four-decimal index texts first) and matGraduatoria (equal to
    // matValori) hold the method's results, and the values and ranks result
    // files are written beside the workbook. When the method refuses the
    // matrix or a file cannot be written, no table changes and every file
    // on disk stays as it was; so too when memory runs out, and
    // std::bad_alloc is thrown on.
    // labels, when given, are those of matDati (ResultLabels) formatted
    // once for the runs on the matrix; otherwise the run formats them.
    MethodRunResult run(SharedState& s, int position, const QString& entryText,
                        const Regional& regional,
                        std::shared_ptr<const ResultLabels> labels = nullptr);

    // The same, except that the result files are not written: on success
    // the tables are the method's and texts holds the texts of its two
    // files (valuesFile and ranksFile of the result), for
    // writeResultFiles. They own what they hold, so they may be written on
    // another thread while the state goes on to the next method. labels
    // are those of matDati (ResultLabels), formatted once for every run on
    // the matrix.
    MethodRunResult compute(SharedState& s, int position, const QString& entryText,
                            const Regional& regional, std::shared_ptr<const ResultLabels> labels,
                            MethodResultTexts& texts);
};
