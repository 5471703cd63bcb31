#pragma once

#include "composite/compositedefinitions.h"
#include "methods/metodi.h"
#include "shared/expected.h"
#include "workflow/processing.h"

#include <QString>
#include <QStringList>

#include <vector>

// The methods an analysis is asked for, before the workbook is read: the
// nine's codes, and the others, to be found among its composites once it
// is.
struct MethodCodes {
    std::vector<MethodPosition> nine; // in the order given, each once
    QStringList others;               // in the order given, each once in any letter case
    bool everyComposite = false;      // --all: the nine, then every composite
    bool compositeFirst = false;      // the first code given is no one of the nine
};

// The codes of a list (a --methods value split at commas, or the
// arguments after the workbook).
MethodCodes splitMethodCodes(const QStringList& codes);
// The nine, then every composite.
MethodCodes everyMethodCode();

// The composites the codes name, as the workbook loaded defines them (or
// the file when not empty): every one with everyComposite. A Usage failure
// naming the valid codes for a code of no method; the failure to read the
// definitions.
Expected<std::vector<Composite>> namedComposites(const MethodCodes& codes,
                                                 const Processing& processing, const QString& file);

// The items of --normalisations and --aggregations (lists split at the
// commas outside parentheses): a Usage failure naming an unknown item and
// the valid ones. Empty for an empty list.
Expected<std::vector<Normalisation>> listedNormalisationsOption(const QString& list);
Expected<std::vector<Aggregation>> listedAggregationsOption(const QString& list);
