#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "workbook/structuresheet.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// One element of a structure: an indicator of the matrix or a group of
// elements.
struct StructureElement {
    QString name;               // an indicator's as the matrix has it, a group's as first written
    int parent = -1;            // the group it belongs to; -1 for the overall index
    double weight = 1.0;        // relative to its siblings, the largest of them 1 (0 leaves it out)
    double writtenWeight = 1.0; // as the structure gives it (1 when it gives none)
    int indicator = -1;         // the indicator's column in the matrix (from 0); -1 for a group
    int row = 0;                // the structure's row that lists it; 0 when no row does
    std::vector<int> children;  // in the order the structure lists them
    // What composites read of the structure (the nine methods ignore it):
    // an indicator's goalposts (Minimo, Massimo) and target (Obiettivo),
    // whether its values are taken as natural logarithms first
    // (Trasformazione log), and a group's own aggregation code as written
    // (Aggregazione; empty for none).
    std::optional<double> minimum;
    std::optional<double> maximum;
    std::optional<double> target;
    bool logarithm = false;
    QString aggregation;

    bool isGroup() const { return indicator < 0; }
};

// A framework of indicators grouped into dimensions, any depth deep, with
// weights, and one overall index on top.
struct Structure {
    QString source;                         // where it was read ("dal foglio Struttura")
    std::vector<StructureElement> elements; // the rows' elements first, in row order
    int root = -1;                          // the overall index
    // Every group but the overall one, in the order the structure first
    // mentions them (each row's element before its parent).
    std::vector<int> groups;

    // An element's share within its parent: its weight divided by the sum
    // of its siblings' weights (its own included); 1 for the overall index.
    double share(int element) const;
    // Its weight in the overall index: the product of the shares down the
    // branch. The indicators' effective weights sum to 1.
    double effectiveWeight(int element) const;
    // share() and effectiveWeight() of every element, found in one pass.
    std::vector<double> shares() const;
    std::vector<double> effectiveWeights() const;
    // The groups in an order where every group comes after the groups
    // inside it (the overall index last).
    std::vector<int> bottomUp() const;
    int indicatorCount() const;
    // The indicators (their columns in the matrix) beneath an element, depth
    // first in the order the groups list their elements.
    std::vector<int> indicatorsBeneath(int element) const;
    // Every element depth first from the overall index (depth 0), each
    // group's elements after it in the order listed: (element, depth).
    std::vector<std::pair<int, int>> depthFirst() const;
};

// The name of the overall index when the structure has no single group at
// its top.
QString overallIndexName();

// What the structure holds and where it was read, in one line:
// "Struttura: 4 dimensioni, 23 indicatori, dal foglio Struttura" (every
// group but the overall index counts as a dimension).
QString structureSummary(const Structure& structure);

// The deepest a structure may be: an element without a parent is at level
// 1, its elements at level 2, and so on.
inline constexpr int kMaxStructureLevels = 100;

// Builds and checks the structure of the rows against the indicator names
// of the matrix (as row 1 gives them), matched by nameKey; columns, when
// given, are the sheet columns (from 1) of the indicators, for messages
// (otherwise from B in order). Refuses (FailureKind::Refused): two
// indicators whose names match, naming both columns; naming the row, a
// name listed twice, an element whose parent is an indicator, a cycle, a
// level beyond kMaxStructureLevels, a weight that is negative, not finite,
// not a number (read under the regional settings; empty means 1) or a
// formula without a result, an element that is neither an indicator nor a
// group with elements, a group whose elements all weigh 0; an indicator of
// the matrix missing from the structure; a Minimo, Massimo, Obiettivo or
// Trasformazione on a group's row or an Aggregazione on an indicator's, a
// Minimo, Massimo or Obiettivo that is no finite number, a Trasformazione
// other than log. A parent without a row of its own
// is a group at the top with weight 1. When exactly one element sits at the
// top and it is a group, it is the overall index; otherwise the overall
// index is a group named overallIndexName() over the top elements. Time and
// memory grow linearly with the rows.
Expected<Structure> buildStructure(const StructureSheet& sheet,
                                   const std::vector<QString>& indicatorNames,
                                   const Regional& regional, const std::vector<int>& columns = {});
