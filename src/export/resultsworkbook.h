#pragma once

#include "export/resultscollection.h"
#include "shared/expected.h"
#include "shared/workprogress.h"

#include <QString>

// Writes everything collected for a workbook into one .xlsx workbook at path:
// - "Dati": the source matrix as read, the indicators' columns coloured by
//   polarity (light green: higher is better; light red: lower is better),
//   so that the sheet reads back as the same source matrix;
// - "Struttura" with a structure: a row per element, its parent, its weight
//   and its effective weight in the overall index;
// - one sheet per method, named by its code: label, index value, rank, with
//   a structure each group's index, and the transformed matrix when the
//   method ran in this session;
// - "Confronto" after a comparison: values and ranks side by side, and the
//   cograduation matrix (and Kendall's when there is one) shaded from brown
//   (-1) through white to teal (1);
// - "Robustezza", "Sensibilità <CODE>", "Incertezza" for the robustness
//   files there are;
// - "Audit" once the matrix has been audited: the indicator table, Pearson's
//   correlations (the lower triangle shaded as the cograduation matrix) and
//   the coherence of the groups, one under the other.
// Numbers are numbers with a four-decimal number format (ranks and other
// whole columns without decimals), labels texts, the header row and the
// label column frozen, the columns as wide as their texts.
//
// The workbook goes through the safe writer: written under a temporary
// name, then renamed over path. Fails with a File failure whose Italian
// message names the file and the cause (path then is as it was). With progress given, the rows
// written are reported.
Status writeResultsWorkbook(const QString& path, const ResultsCollection& results,
                            WorkProgress* progress = nullptr);
