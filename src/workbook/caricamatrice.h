#pragma once

#include "shared/regional.h"
#include "shared/sharedstate.h"
#include "workbook/workbookreader.h"

#include <QString>

// The outcome of loading the source matrix.
struct LoadResult {
    enum class Status {
        Loaded,    // the matrix is in the shared state
        Refused,   // the matrix breaks a rule; message is the refusal text
        FileError, // the workbook could not be read or holds no matrix
        Cancelled  // the progress given was cancelled before the matrix was in place
    };
    Status status = Status::FileError;
    QString message;

    bool loaded() const { return status == Status::Loaded; }
};

// Reads the source matrix of the workbook at s.strMatrice into the shared
// state: the block from A1 (as many columns as consecutive non-empty cells
// in row 1, as many rows as in column 1), every table dimensioned afresh,
// bNegativi and bZeri. The data values are checked column by column and,
// within a column, row by row: an empty value, then a value that is not a
// finite number (a numeric text under the regional settings counts as its
// number and is stored as that number); the first invalid cell decides. Then an
// indicator whose minimum equals its maximum is refused, the lowest column
// first. On a refusal, a file error or a cancellation the shared state is
// left unchanged.
//
// With progress given, the reading ("Lettura della matrice") and the checks
// ("Controllo della matrice") are reported to it, and a cancellation stops
// the work at the next check. Running out of memory while the matrix is put
// in place leaves the state with no matrix (nRighe and nColonne 0, every
// table undimensioned) and throws std::bad_alloc on.
LoadResult carica_matrice(SharedState& s, const Regional& regional,
                          WorkProgress* progress = nullptr);

// The same, over a workbook that is already open.
LoadResult carica_matrice(SharedState& s, const WorkbookReader& reader, const Regional& regional,
                          WorkProgress* progress = nullptr);

// The refusal texts, for the indicator whose header text is given.
QString messaggioValoriNulli(const QString& indicatore);
QString messaggioValoriAlfanumerici(const QString& indicatore);
QString messaggioIndicatoreCostante(const QString& indicatore);
