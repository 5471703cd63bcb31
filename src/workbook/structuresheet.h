#pragma once

#include "shared/cellvalue.h"
#include "shared/expected.h"
#include "shared/regional.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One row of a structure sheet: an element, the group it belongs to (empty
// for the top), its weight as written, and what composites read of it.
struct StructureRow {
    int row = 0; // the row of the sheet, from 1 (the header row)
    QString element;
    QString parent;
    CellValue weight; // empty when the sheet has no Peso column or the cell is empty
    // An indicator's goalposts and target, as written (empty when the sheet
    // has no such column or the cell is empty).
    CellValue minimum;
    CellValue maximum;
    CellValue target;
    QString transformation; // an indicator's, trimmed: empty or "log"
    QString aggregation;    // a group's own aggregation code, trimmed
};

// A structure as read, and where it was read from.
struct StructureSheet {
    // For the status line: "dal foglio Struttura", "dal file X".
    QString source;
    std::vector<StructureRow> rows;
};

// Where the structure of a workbook comes from.
struct StructureChoice {
    QString file;        // a structure file given explicitly (--structure); empty when none
    bool ignore = false; // no structure, whatever the workbook holds (--no-structure)
};

// The structure of the workbook at path, whose sheets are named sheetNames
// (as its reader listed them when the matrix was read; none for a matrix
// read elsewhere): the file chosen, else a sheet named Struttura (any letter
// case, blanks around it trimmed) after the first, else the file
// <workbook>.struttura.csv beside it; nothing when there is none (or it is
// ignored). The sheet's row 1 names its columns in any order and letter
// case: Elemento and Padre are required, Peso, Minimo, Massimo, Obiettivo,
// Trasformazione and Aggregazione optional; any other name, a
// column without a name or one named twice is refused. Every row from 2 to
// the last is read; blank rows are skipped. A row with a cell beyond the
// named columns, or without an element, is refused naming it. A structure
// file is a .csv or a workbook whose first sheet holds the structure; a
// folder or anything but a regular file is refused without being opened.
// Fails with a message naming the file (File) or the row or column
// (Refused).
// Whether a sheet of this name, after the first, holds a structure: named
// Struttura in any letter case, blanks around it trimmed.
bool isStructureSheetName(const QString& sheetName);
// Whether a sheet of this name, after the first, defines composites: named
// Metodi in any letter case, blanks around it trimmed.
bool isCompositesSheetName(const QString& sheetName);

Expected<std::optional<StructureSheet>> readStructure(const QString& path,
                                                      const QStringList& sheetNames,
                                                      const StructureChoice& choice,
                                                      const Regional& regional);
