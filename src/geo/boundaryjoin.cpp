#include "geo/boundaryjoin.h"

#include "shared/namekey.h"

#include <QCoreApplication>
#include <QHash>

namespace {

QString joinKey(const QString& name) {
    return nameKey(name).toCaseFolded();
}

// How many of the field's values name a unit.
int matchCount(const BoundaryLayer& layer, int field, const QHash<QString, int>& units) {
    int count = 0;
    for (const MapShape& shape : layer.shapes)
        if (units.contains(joinKey(shape.attributes.at(field))))
            ++count;
    return count;
}

// The first few names of a list, for a message.
QString firstNames(const QStringList& names) {
    constexpr int kShown = 5;
    QString text = names.mid(0, kShown).join(QStringLiteral(", "));
    if (names.size() > kShown)
        text += QStringLiteral(", …");
    return text;
}

} // namespace

Expected<BoundaryJoin> joinBoundaries(const BoundaryLayer& layer, const QStringList& unitLabels,
                                      const QString& keyField) {
    QHash<QString, int> units;
    for (int i = 0; i < unitLabels.size(); ++i)
        units.insert(joinKey(unitLabels.at(i)), i); // a repeated label: the later unit
    int field = -1;
    if (!keyField.isEmpty()) {
        field = int(layer.fields.indexOf(keyField));
        if (field < 0)
            return failure(FailureKind::Refused,
                           QCoreApplication::translate(
                               "Boundaries", "Il file dei confini non ha l'attributo %1 (ha: %2).")
                               .arg(keyField, firstNames(layer.fields)));
    } else {
        int best = 0;
        for (int i = 0; i < layer.fields.size(); ++i)
            if (layer.isText[std::size_t(i)])
                if (const int count = matchCount(layer, i, units); count > best) {
                    best = count;
                    field = i;
                }
        if (field < 0)
            return failure(FailureKind::Refused,
                           QCoreApplication::translate(
                               "Boundaries",
                               "Nessun attributo di testo del file dei confini corrisponde alle "
                               "etichette delle unità: indicare l'attributo con --key."));
    }
    BoundaryJoin join;
    join.keyField = layer.fields.at(field);
    join.shapeOfUnit.assign(std::size_t(unitLabels.size()), -1);
    QHash<QString, int> seen;
    for (int s = 0; s < int(layer.shapes.size()); ++s) {
        const QString value = layer.shapes[std::size_t(s)].attributes.at(field);
        const QString key = joinKey(value);
        if (!key.isEmpty() && seen.contains(key))
            return failure(FailureKind::Refused,
                           QCoreApplication::translate(
                               "Boundaries",
                               "L'attributo %1 del file dei confini non è univoco: il valore "
                               "«%2» compare in più forme.")
                               .arg(join.keyField, value));
        seen.insert(key, s);
        const auto unit = units.constFind(key);
        if (key.isEmpty() || unit == units.constEnd())
            join.unmatchedShapes.append(value);
        else
            join.shapeOfUnit[std::size_t(*unit)] = s;
    }
    for (int i = 0; i < unitLabels.size(); ++i)
        if (join.shapeOfUnit[std::size_t(i)] < 0)
            join.unmatchedUnits.append(unitLabels.at(i));
    if (join.unmatchedUnits.size() == unitLabels.size())
        return failure(FailureKind::Refused,
                       QCoreApplication::translate(
                           "Boundaries",
                           "Nessun valore dell'attributo %1 del file dei confini corrisponde a "
                           "un'etichetta delle unità.")
                           .arg(join.keyField));
    return join;
}

QStringList joinWarnings(const BoundaryJoin& join) {
    QStringList lines;
    if (!join.unmatchedUnits.isEmpty())
        lines.append(QCoreApplication::translate("Boundaries", "Unità senza confine: %1 (%2)")
                         .arg(join.unmatchedUnits.size())
                         .arg(firstNames(join.unmatchedUnits)));
    if (!join.unmatchedShapes.isEmpty())
        lines.append(QCoreApplication::translate("Boundaries", "Confini senza unità: %1 (%2)")
                         .arg(join.unmatchedShapes.size())
                         .arg(firstNames(join.unmatchedShapes)));
    return lines;
}
