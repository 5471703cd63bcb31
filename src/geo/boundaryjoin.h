#pragma once

#include "geo/boundaries.h"
#include "shared/expected.h"

#include <QString>
#include <QStringList>

#include <vector>

// Which shape of a boundary layer each unit takes: labels and key values
// compared as names are compared everywhere (nameKey, then without case).
// A unit never takes another's shape: a unit without a shape and a shape
// without a unit are listed.
struct BoundaryJoin {
    QString keyField;
    std::vector<int> shapeOfUnit; // per unit, the shape's index or -1
    QStringList unmatchedUnits;   // labels of the units without a shape
    QStringList unmatchedShapes;  // key values of the shapes without a unit
};

// Joins the units (by label) to the layer's shapes by keyField, or, when it
// is empty, by the text attribute whose values match the most labels (the
// first such attribute on a tie). Fails (FailureKind::Refused) when the
// field does not exist, when its values are not unique (the message names a
// repeated value), or when it matches no unit label.
Expected<BoundaryJoin> joinBoundaries(const BoundaryLayer& layer, const QStringList& unitLabels,
                                      const QString& keyField = QString());

// The Italian lines that name what the join left out: how many units have
// no shape and how many shapes no unit, each with the first few names;
// empty when everything matched.
QStringList joinWarnings(const BoundaryJoin& join);
