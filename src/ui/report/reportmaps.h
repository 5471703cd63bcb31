#pragma once

#include "export/resultscollection.h"

class ReportPages;

// The report's maps, when a boundary file is beside the workbook
// (boundariesBeside): the reference method's index and, when the analyses
// exist, the width of the 5-95% rank intervals and the total Sobol index of
// the factor that matters most. The units and shapes the join leaves out,
// or why the file cannot be used, are said in a paragraph.
void writeReportMaps(ReportPages& pages, const ResultsCollection& results);
