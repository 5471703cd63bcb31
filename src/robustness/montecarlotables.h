#pragma once

#include "comparison/texttable.h"
#include "robustness/analysistable.h"
#include "robustness/montecarlo.h"
#include "shared/regional.h"

#include <QString>
#include <QStringList>

#include <memory>

// The tables of the Monte Carlo's files.

// <workbook>.mc.csv: the corner label and "Nominale;Mediana;Media;P5;P95;
// Migliore;Peggiore", then per unit its label and its rank figures (whole
// numbers as integers, others with four decimals). When some unit lacks an
// index in some ranking, a last column "Senza indice" counts them per unit
// (and a unit without any rank has its figures empty, as its nominal rank
// when the nominal run gives it none).
TextTable monteCarloTable(const MonteCarloResult& result, const QString& corner,
                          const QStringList& labels, const Regional& regional);
// The same table over the rank figures of result (its units and rankings),
// which it shares: its cells are formatted when asked for.
std::shared_ptr<const AnalysisTable> monteCarloCells(std::shared_ptr<const MonteCarloResult> result,
                                                     const QString& corner,
                                                     const QStringList& labels,
                                                     const Regional& regional);

// <workbook>.sobol.csv over the Sobol indices of result, which it shares:
// "Fattore;Si;Si P5;Si P95;STi;STi P5;STi P95", a line per factor; the
// figures empty when no run moved a rank.
std::shared_ptr<const AnalysisTable> sobolCells(std::shared_ptr<const MonteCarloResult> result,
                                                const Regional& regional);

// <workbook>.sobol.unita.csv over the total indices of result, which it
// shares: the corner label and the factors' names, then per unit its label
// and each factor's total index on its rank, empty where the unit's rank
// never moves or some run lacks the unit.
std::shared_ptr<const AnalysisTable> sobolUnitsCells(std::shared_ptr<const MonteCarloResult> result,
                                                     const QString& corner,
                                                     const QStringList& labels,
                                                     const Regional& regional);

// What is said of the units some ranking leaves without an index ("2 unità
// senza indice complessivo in alcune estrazioni: ..."); empty when none.
QString lackingUnitsNote(const MonteCarloResult& result);
