#pragma once

#include "shared/expected.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The choices a composite index combines: how each indicator is
// normalised, how a group's elements are aggregated, and how the levels
// of a structure are built. Their codes are English and written as the
// definitions of composites hold them ("minmax(0,100)", "power(2)").

enum class NormalisationKind {
    MinMax,     // (x - min) / (max - min)
    ZScore,     // (x - mean) / sd, population deviation
    Goalposts,  // (x - L) / (U - L) clipped to [0, 1], L and U from the structure
    Target,     // (x - L) / (T - L) clipped to [0, 1], T the indicator's target
    Rank,       // the average rank among the units, 1 for the worst
    Percentile, // (rank - 1) / (n - 1)
    Ratio,      // x / mean
    None,       // the values as they are
};

struct Normalisation {
    NormalisationKind kind = NormalisationKind::MinMax;
    // With arguments: minmax(a,b) and goalposts(a,b) map [0, 1] onto
    // [a, b]; zscore(m,s) gives m + s z. Without, a = 0 and b = 1 (m = 0,
    // s = 1): the plain formula.
    bool scaled = false;
    double a = 0.0;
    double b = 1.0;

    // The code as a definition writes it, arguments in the C locale.
    QString code() const;
};

enum class AggregationKind {
    Mean,      // sum(w' v) / m
    Geometric, // prod(v ^ (w' / m))
    Harmonic,  // m / sum(w' / v)
    Power,     // (sum(w' v^p) / m) ^ (1 / p)
    MpiPlus,   // M + S cv, weighted
    MpiMinus,  // M - S cv, weighted
};

struct Aggregation {
    AggregationKind kind = AggregationKind::Mean;
    double p = 1.0; // the exponent of power(p), never 0

    QString code() const;
};

enum class Construction {
    Upward,   // normalise the indicators once, aggregate the values upward
    PerLevel, // each group's index normalised again at its parent
};

// The code read, any letter case, blanks around it and its arguments
// ignored; nothing for a code of no choice, arguments that are no numbers
// in the C locale, or out of their range (a >= b for minmax and goalposts,
// s <= 0 for zscore, p = 0 for power; arguments given to a code that takes
// none, or a wrong count of them).
std::optional<Normalisation> parseNormalisation(const QString& text);
std::optional<Aggregation> parseAggregation(const QString& text);
std::optional<Construction> parseConstruction(const QString& text);

QString constructionCode(Construction construction);

// The codes a definition accepts, for messages: "minmax, minmax(a,b), ...".
QString normalisationCodes();
QString aggregationCodes();
QString constructionCodes();

// A list of codes split at the commas outside parentheses, each item
// trimmed, empty items dropped: "minmax(1,100),zscore" is two items.
QStringList splitCodeList(const QString& list);

// The items of a list of normalisations or aggregations (splitCodeList):
// a Usage failure naming the first unknown item and the valid codes.
// Empty for an empty list.
Expected<std::vector<Normalisation>> listedNormalisations(const QString& list);
Expected<std::vector<Aggregation>> listedAggregations(const QString& list);
