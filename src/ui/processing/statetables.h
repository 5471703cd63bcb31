#pragma once

#include "composite/compositecomputation.h"
#include "shared/regional.h"
#include "stats/matrix.h"
#include "ui/state/sharedstate.h"
#include "workflow/processing.h"

#include <vector>

// The tables of the shared state, which the grids of the windows read, made
// from the typed results. They are made on the worker thread that computed
// the results, then put in the state on the window's thread (install*), so
// that the grids never see a table while it is filled.

// The four tables of a method's results. After one method run on the
// matrix whose tables the state holds (matDati, given to runTables):
// matTrasformata with the labels of matDati and, as headers, the method's
// prefix before each indicator's general text; matValori with the labels,
// the index header and the index of every unit; matGraduatoria equal to it;
// matRanghi with the labels, the index header and the ranks.
struct RunTables {
    Table matTrasformata;
    Table matValori;
    Table matGraduatoria;
    Table matRanghi;
    // With a structure, the window's own tables (not the state's): per
    // group of Structure::groups, in that order, its index and its ranks,
    // shaped as matValori and matRanghi. Empty without a structure.
    std::vector<Table> groupValues;
    std::vector<Table> groupRanks;
};

// The state of a matrix just loaded: matDati holding it (its corner, unit
// labels, indicator names and values), the four result tables of its shape
// and empty, its shape and whether some value is below or equal to 0.
struct MatrixTables {
    int nRighe = 0;
    int nColonne = 0;
    Table matDati;
    RunTables results;
    bool bNegativi = false;
    bool bZeri = false;
};

MatrixTables matrixTables(const Matrix& matrix);
// Puts the tables in the state, nRighe, nColonne, bNegativi and bZeri with
// them; the state's earlier tables end up in tables.
void installMatrixTables(SharedState& state, MatrixTables& tables);

// Fills tables with the results of run, reusing their memory when they
// hold tables of the same shape; the groups' tables when structure is given
// (the structure run was computed over).
void fillRunTables(RunTables& tables, const Table& matDati, const Matrix& matrix,
                   const MethodRun& run, const Regional& regional,
                   const Structure* structure = nullptr);
// The same for a composite run: its name as the index header, "N_" before
// each indicator's name over its normalised column, and with a structure
// each group's values ranked as the group files rank them.
void fillCompositeTables(RunTables& tables, const Table& matDati, const Matrix& matrix,
                         const QString& name, const CompositeOutput& output,
                         const Regional& regional, const Structure* structure = nullptr);
// The rows of values (shaped as matValori) ordered by their ranks in ranks
// (shaped as matRanghi), the best first: the ranking, header row on top.
Table rankOrdered(const Table& values, const Table& ranks);

// Puts the four tables in the state; its earlier ones end up in tables (the
// groups' tables stay there).
void installRunTables(SharedState& state, RunTables& tables);
