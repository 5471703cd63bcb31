#include "robustness/analysisorigins.h"

#include "record/record.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace {

const QString kSeparator = QStringLiteral(", ");

} // namespace

QJsonObject originSettings(const AnalysisOrigin& origin) {
    QJsonObject settings{{QStringLiteral("methods"), QJsonArray::fromStringList(origin.methods)}};
    if (!origin.reference.isEmpty())
        settings.insert(QStringLiteral("reference"), origin.reference);
    if (!origin.indicators.isEmpty())
        settings.insert(QStringLiteral("indicators"), origin.indicators);
    if (!origin.missing.isEmpty())
        settings.insert(QStringLiteral("missingFactors"), origin.missing);
    if (!origin.outliers.isEmpty())
        settings.insert(QStringLiteral("outlierFactor"), origin.outliers);
    if (!origin.settings.isEmpty())
        settings.insert(QStringLiteral("sampling"), origin.settings);
    return settings;
}

Expected<std::map<QString, AnalysisOrigin>> readAnalysisOrigins(const QString& strMatrice) {
    std::map<QString, AnalysisOrigin> origins;
    const Expected<Record> record = readRecord(strMatrice);
    if (!record)
        return record.error();
    for (const auto& [name, entry] : record->entries) {
        const QJsonObject& settings = entry.settings;
        if (!settings.contains(QLatin1StringView("methods")))
            continue;
        AnalysisOrigin& origin = origins[name];
        for (const QJsonValue& method : settings.value(QLatin1StringView("methods")).toArray())
            origin.methods.append(method.toString());
        origin.reference = settings.value(QLatin1StringView("reference")).toString();
        origin.indicators = settings.value(QLatin1StringView("indicators")).toString();
        if (!settings.value(QLatin1StringView("structure")).toString().isEmpty())
            origin.structure = QStringLiteral("sì");
        origin.missing = settings.value(QLatin1StringView("missingFactors")).toString();
        origin.outliers = settings.value(QLatin1StringView("outlierFactor")).toString();
        origin.settings = settings.value(QLatin1StringView("sampling")).toString();
    }
    return origins;
}

Status analysisFits(const AnalysisOrigin& origin, const QStringList* compared,
                    std::optional<bool> structure) {
    const auto misfit = [](const QString& why) { return failure(FailureKind::Refused, why); };
    // The order of the methods matters only through the first, the reference.
    const auto sameSet = [](QStringList a, QStringList b) {
        a.sort();
        b.sort();
        return a == b;
    };
    if (compared && sameSet(origin.methods, *compared) && !compared->isEmpty() &&
        origin.methods.first() != compared->first())
        return misfit(
            QCoreApplication::translate(
                "Robustness", "calcolata con riferimento %1, il confronto attuale ha per primo %2")
                .arg(origin.methods.first(), compared->first()));
    if (compared && !sameSet(origin.methods, *compared)) {
        if (origin.methods.size() != compared->size())
            return misfit(QCoreApplication::translate(
                              "Robustness", "calcolata su %1 metodi, il confronto attuale ne ha %2")
                              .arg(origin.methods.size())
                              .arg(compared->size()));
        return misfit(QCoreApplication::translate(
                          "Robustness", "calcolata sui metodi %1, il confronto attuale su %2")
                          .arg(origin.methods.join(kSeparator), compared->join(kSeparator)));
    }
    if (!structure)
        return {};
    if (!origin.structure.isEmpty() && !*structure)
        return misfit(QCoreApplication::translate(
            "Robustness", "calcolata su una struttura, i risultati attuali senza"));
    if (origin.structure.isEmpty() && *structure)
        return misfit(QCoreApplication::translate(
            "Robustness", "calcolata senza struttura, i risultati attuali su una struttura"));
    return {};
}
