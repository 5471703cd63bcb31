#pragma once

#include "shared/regional.h"
#include "shared/sharedstate.h"

#include <QString>

// Selects the workbook at path (as the main window's selection does) and
// loads its matrix. Returns 0 when the matrix is loaded; otherwise prints the
// message on stderr and returns the exit status: 2 for a refused matrix, 1
// for a workbook that cannot be read.
int caricaCartella(const QString& path, SharedState& s, const Regional& regional);

// caricaCartella for the analyses that read matDati only: the tables for a
// method's results are released once the matrix is loaded.
int caricaPerAnalisi(const QString& path, SharedState& s, const Regional& regional);
