#pragma once

#include "export/mapserieskinds.h"
#include "export/resultscollection.h"
#include "shared/expected.h"

#include <QString>

// What a map shows, read from the result files gathered for a workbook (the
// batch tool's maps and the report's). The codes mapSeries takes:
//   CODE            a method's (or composite's) overall index
//   CODE/GROUP      the index of a group of the structure
//   rank:CODE       a method's ranks
//   width           the width of each unit's 5-95% rank interval, of the
//                   Monte Carlo analysis when there is one, else of the
//                   uncertainty analysis
//   sti:FACTOR      a factor's total Sobol index on each unit's rank (the
//                   factor named as in the Sobol indices' file)
//   sens:CODE:IND   the shift of each unit's rank when the indicator IND is
//                   left out of method CODE (sensitivity)
//   ampi+:PERIOD    the AMPI+ (or ampi-:) of a period
//   ampi+:P1>P2     its change from period P1 to period P2
// Fails (FailureKind::Usage) with an Italian message naming what is not
// there: an unknown method, group, factor, indicator or period, or an
// analysis that has not been run.
Expected<MapSeries> mapSeries(const ResultsCollection& results, const QString& what);

// The reference method: the Monte Carlo analysis's when it names one the
// results have, else the first method of the list; empty without methods.
QString referenceMethod(const ResultsCollection& results);

// The factor whose total Sobol index is the greatest on average over the
// units; empty when there are no Sobol indices per unit.
QString leadingSobolFactor(const ResultsCollection& results);
