#pragma once

#include "shared/regional.h"
#include "shared/sharedstate.h"
#include "workbook/workbookreader.h"

#include <QString>

// The outcome of loading the source matrix.
struct LoadResult {
    enum class Status {
        Loaded,   // the matrix is in the shared state
        Refused,  // the matrix breaks a rule; message is the refusal text
        FileError // the workbook could not be read or holds no matrix
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
// first. On a refusal or a file error the shared state is left unchanged.
LoadResult carica_matrice(SharedState& s, const Regional& regional);

// The same, over a workbook that is already open.
LoadResult carica_matrice(SharedState& s, const WorkbookReader& reader, const Regional& regional);

// The refusal texts, for the indicator whose header text is given.
QString messaggioValoriNulli(const QString& indicatore);
QString messaggioValoriAlfanumerici(const QString& indicatore);
QString messaggioIndicatoreCostante(const QString& indicatore);
