#pragma once

#include "export/resultscollection.h"
#include "shared/expected.h"

#include <QString>
#include <QStringList>

#include <vector>

// What a map shows: one number per unit of the matrix, taken from the
// results gathered for the workbook.
struct MapSeries {
    QString what;               // the code it was asked by ("MPI+", "rank:MPI+", "width", ...)
    QString title;              // in Italian, for the map's heading and legend
    QString method;             // the method or analysis, for the source line
    QStringList labels;         // the units, in the order of the matrix
    std::vector<double> values; // one per unit; NaN where the unit has none
    // Shifts (a change of rank, of the AMPI) are drawn on a diverging scale
    // centred on 0, levels on a sequential one.
    bool diverging = false;
    // Whether smaller values are better (ranks, rank-interval widths): the
    // sequential scale then darkens toward the small values.
    bool smallerIsBetter = false;
    // The files the values were read from, for the record of the map.
    QStringList files;
};

// One thing the results of a workbook can be mapped by.
struct MapChoice {
    QString what;  // the code mapSeries takes
    QString title; // in Italian, for a list to choose from
};

// The codes mapSeries takes:
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

// Every code mapSeries takes for these results, in a sensible order: the
// methods' indices and ranks, their groups, the rank-interval width, the
// Sobol factors, the sensitivity shifts, the AMPI periods.
std::vector<MapChoice> mapChoices(const ResultsCollection& results);

// The reference method: the Monte Carlo analysis's when it names one the
// results have, else the first method of the list; empty without methods.
QString referenceMethod(const ResultsCollection& results);

// The factor whose total Sobol index is the greatest on average over the
// units; empty when there are no Sobol indices per unit.
QString leadingSobolFactor(const ResultsCollection& results);
