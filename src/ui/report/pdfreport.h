#pragma once

#include "export/resultscollection.h"
#include "shared/expected.h"
#include "shared/workprogress.h"

#include <QString>

// Writes the report of a workbook's results as a PDF at path, in Italian:
// title, workbook and date; the matrix (units, indicators with polarity and
// their statistics, and with a record of its gaps their treatment); once the matrix has been
// audited, its indicator table, correlation heatmap and coherence figures; for each method with
// results its description, first and last units and ranking; the comparison's cograduation heatmap;
// the robustness summary and the rank-interval chart when those files exist. Up to 60 units the
// rankings sit in each method's section; beyond, one table of every method's ranks goes to an annex
// and the charts gather neighbouring units. Tables that run over a page repeat their header; every
// page carries its number.
//
// Written through the safe writer (a temporary name, then renamed over
// path). Needs a QGuiApplication (the offscreen platform will do). Fails
// with a File failure whose Italian message names the file.
Status writePdfReport(const QString& path, const ResultsCollection& results,
                      WorkProgress* progress = nullptr);
