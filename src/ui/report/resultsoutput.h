#pragma once

#include "export/resultscollection.h"
#include "shared/regional.h"
#include "shared/sharedstate.h"

#include <QString>

#include <optional>

class BackgroundWork;
class Dialogs;

// The two commands that take a workbook's results out of the program, as
// the processing and the comparison window run them: a save dialog (the
// workbook's folder first, the name of the workbook with "-risultati.xlsx"
// or "-rapporto.pdf" proposed), the work off the window's thread, then a
// message saying where the file went (with the result files left out) or
// why it was not written.

// "Esporta risultati...". inMemory names the method whose tables state
// holds, exported in full precision with its transformed matrix. When state
// holds no matrix (the comparison window opened before the processing
// window) the matrix is read from state.strMatrice first, here and for the
// report.
void esportaRisultati(const SharedState& state, const std::optional<MethodInMemory>& inMemory,
                      Dialogs& dialogs, BackgroundWork& work, const Regional& regional,
                      const QString& title);

// "Rapporto PDF...".
void rapportoPdf(const SharedState& state, Dialogs& dialogs, BackgroundWork& work,
                 const Regional& regional, const QString& title);
