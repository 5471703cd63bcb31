#pragma once

#include "shared/expected.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

// What an analysis file was computed from, recorded beside the workbook in
// <workbook>.origini.csv (a line per analysis file), so that the outputs
// combine only analyses that fit the current comparison.
struct AnalysisOrigin {
    QStringList methods; // the method codes, in their order
    QString reference;   // the reference method's code, when the analysis has one
    QString indicators;  // the indicator sets ("tutti", "uno escluso alla volta", ...)
    QString structure;   // "sì" over a structure, else empty
    QString missing;     // the treatments of missing values, else empty
    QString outliers;    // the outlier choice, else empty

    bool operator==(const AnalysisOrigin&) const = default;
};

// The most bytes the record of origins may take: a line for each analysis
// file the program writes, with room to spare; a larger file is no record
// of the program's.
inline constexpr qint64 kMaxOriginsBytes = qint64(256) << 10;

// The record of origins beside the workbook strMatrice with the origin of
// the analysis file at analysisPath in place of the line that file had:
// where it goes and its lines, to be written with the analysis file. A
// failure naming the record when it is there but cannot be read: not a
// regular file, or larger than kMaxOriginsBytes (nothing is waited for).
struct OriginsRecord {
    QString path;
    QStringList lines;
};
Expected<OriginsRecord> originsRecordWith(const QString& strMatrice, const QString& analysisPath,
                                          const AnalysisOrigin& origin);

// Records the origin of the analysis file at analysisPath (beside its
// workbook strMatrice), replacing the line the file had.
Status recordAnalysisOrigin(const QString& strMatrice, const QString& analysisPath,
                            const AnalysisOrigin& origin);

// The origins recorded beside the workbook, by analysis file name (bare);
// a file written before origins were recorded has none, and so has every
// file when there is no record. A failure naming the record when it cannot
// be read, as above.
Expected<std::map<QString, AnalysisOrigin>> readAnalysisOrigins(const QString& strMatrice);

// Why an analysis does not fit the current results: computed over other
// methods than compared (method codes in order, when given: "calcolata su 9
// metodi, il confronto attuale ne ha 3") or with another first method, the
// reference (the order of the others does not matter), or with a structure when the
// results have none or the other way round (when structure says whether
// they have one); empty when it fits.
QString analysisMisfit(const AnalysisOrigin& origin, const QStringList* compared,
                       std::optional<bool> structure);
