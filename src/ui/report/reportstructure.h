#pragma once

#include "export/resultscollection.h"
#include "framework/structure.h"
#include "shared/regional.h"
#include "ui/report/reportpages.h"

#include <QStringList>

// The parts of the report that a structure adds.

// The tree of the structure: a row per element, indented by its depth,
// with its weight and its effective weight in the overall index (six
// decimals); an element of weight 0 is marked as left out. The table reads
// structure and regional, which must outlive it.
ReportTable structureTable(const Structure& structure, const Regional& regional);

// For each group of a method's results (MethodResults::groups), a line with
// its first and last `ends` units by the group's index in the method's
// direction ("Salute – prime unità: A (1,2345), ...; ultime unità: ...").
// Empty without group results.
QStringList groupEnds(const MethodResults& method, int ends, const Regional& regional);
