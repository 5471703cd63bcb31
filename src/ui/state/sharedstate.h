#pragma once

#include "ui/state/table.h"

#include <QString>

// The state that every window and procedure of the program shares: the
// selected workbook, the matrix read from it, the tables of the method that
// ran last and the flag that says whether there is anything to save.
//
// Tables are indexed from 1: row 1 is the header row, column 1 the label
// column, (1,1) the corner cell; row 0 and column 0 exist and stay empty.
struct SharedState {
    QString strMatrice;  // full path of the source workbook, empty when none is selected
    QString strCartella; // its folder, without a trailing separator

    int nRighe = 0;   // rows of the block, header row included (units = nRighe - 1)
    int nColonne = 0; // columns of the block, label column included (indicators = nColonne - 1)

    Table matDati;        // rows 0..nRighe, columns 0..nColonne
    Table matTrasformata; // same shape as matDati
    Table matValori;      // rows 0..nRighe, columns 0..2
    Table matGraduatoria; // working copy of matValori
    Table matRanghi;      // rows 0..nRighe, columns 0..2: labels and ranks

    bool bNegativi = false;  // some data value is below 0
    bool bZeri = false;      // some data value equals 0
    bool bRisultati = false; // there are produced files that can be saved

    // Dimensions the five tables afresh for the current nRighe and nColonne,
    // every cell empty.
    void dimensionTables();
};

// The one process-wide shared state of the program.
SharedState& Module1();
