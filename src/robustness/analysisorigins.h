#pragma once

#include "shared/expected.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

// What an analysis file was computed from, held in the settings of its
// entry in the record beside the workbook, so that the outputs combine
// only analyses that fit the current comparison.
struct AnalysisOrigin {
    QStringList methods; // the method codes, in their order
    QString reference;   // the reference method's code, when the analysis has one
    QString indicators;  // the indicator sets ("tutti", "uno escluso alla volta", ...)
    QString structure;   // "sì" over a structure, else empty
    QString missing;     // the treatments of missing values, else empty
    QString outliers;    // the outlier choice, else empty
    QString settings;    // how it was sampled ("100 estrazioni, seme 1, ..."), else empty

    bool operator==(const AnalysisOrigin&) const = default;
};

// The origin as settings of the record (the structure is the matrix's,
// recorded with it).
QJsonObject originSettings(const AnalysisOrigin& origin);

// The origins recorded beside the workbook, by analysis file name (bare):
// the entries whose settings name methods. A file without an entry has
// none. A failure naming the record when it cannot be read (readRecord).
Expected<std::map<QString, AnalysisOrigin>> readAnalysisOrigins(const QString& strMatrice);

// Whether an analysis fits the current results; a Refused failure saying
// why not when it was computed over other methods than compared (method
// codes in order, when given: "calcolata su 9 metodi, il confronto attuale
// ne ha 3") or with another first method, the reference (the order of the
// others does not matter), or with a structure when the results have none
// or the other way round (when structure says whether they have one).
Status analysisFits(const AnalysisOrigin& origin, const QStringList* compared,
                    std::optional<bool> structure);
