#include "robustness/analysisorigins.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <vector>

namespace {

const QString kSeparator = QStringLiteral(", ");

QStringList header() {
    return {QStringLiteral("File"),        QStringLiteral("Metodi"),
            QStringLiteral("Riferimento"), QStringLiteral("Indicatori"),
            QStringLiteral("Struttura"),   QStringLiteral("Mancanti"),
            QStringLiteral("Anomali")};
}

// The records as fields, the header left out; none when there is no
// record file, a failure when it cannot be read. A line that is not a
// record is passed over.
Expected<std::vector<QStringList>> readRecords(const QString& path) {
    std::vector<QStringList> records;
    const Expected<std::optional<QByteArray>> bytes = readBoundedFile(path, kMaxOriginsBytes);
    if (!bytes)
        return bytes.error();
    if (!*bytes)
        return records;
    const QStringList lines = QString::fromUtf8(**bytes).split(QStringLiteral("\r\n"));
    const auto fieldCount = std::size_t(header().size());
    std::vector<FieldSpan> spans;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty() || !splitQuotedFields(QStringView(line), spans) ||
            spans.size() != fieldCount)
            continue;
        QStringList fields;
        for (const FieldSpan& span : spans)
            fields.append(fieldText(line, span));
        records.push_back(fields);
    }
    return records;
}

} // namespace

Expected<OriginsRecord> originsRecordWith(const QString& strMatrice, const QString& analysisPath,
                                          const AnalysisOrigin& origin) {
    OriginsRecord record{resultFileName(strMatrice, ResultFileKind::Origins),
                         {joinFields(header())}};
    const Expected<std::vector<QStringList>> earlier = readRecords(record.path);
    if (!earlier)
        return earlier.error();
    const QString name = QFileInfo(analysisPath).fileName();
    for (const QStringList& fields : *earlier)
        if (fields.first() != name)
            record.lines.append(joinFields(fields));
    record.lines.append(
        joinFields({name, origin.methods.join(kSeparator), origin.reference, origin.indicators,
                    origin.structure, origin.missing, origin.outliers}));
    return record;
}

Status recordAnalysisOrigin(const QString& strMatrice, const QString& analysisPath,
                            const AnalysisOrigin& origin) {
    const Expected<OriginsRecord> record = originsRecordWith(strMatrice, analysisPath, origin);
    if (!record)
        return record.error();
    return writeTextFile(record->path, record->lines);
}

Expected<std::map<QString, AnalysisOrigin>> readAnalysisOrigins(const QString& strMatrice) {
    std::map<QString, AnalysisOrigin> origins;
    const Expected<std::vector<QStringList>> records =
        readRecords(resultFileName(strMatrice, ResultFileKind::Origins));
    if (!records)
        return records.error();
    for (const QStringList& record : *records) {
        AnalysisOrigin& origin = origins[record[0]];
        origin.methods = record[1].split(kSeparator, Qt::SkipEmptyParts);
        origin.reference = record[2];
        origin.indicators = record[3];
        origin.structure = record[4];
        origin.missing = record[5];
        origin.outliers = record[6];
    }
    return origins;
}

QString analysisMisfit(const AnalysisOrigin& origin, const QStringList* compared,
                       std::optional<bool> structure) {
    // The order of the methods matters only through the first, the reference.
    const auto sameSet = [](QStringList a, QStringList b) {
        a.sort();
        b.sort();
        return a == b;
    };
    if (compared && sameSet(origin.methods, *compared) && !compared->isEmpty() &&
        origin.methods.first() != compared->first())
        return QCoreApplication::translate(
                   "Robustness",
                   "calcolata con riferimento %1, il confronto attuale ha per primo %2")
            .arg(origin.methods.first(), compared->first());
    if (compared && !sameSet(origin.methods, *compared)) {
        if (origin.methods.size() != compared->size())
            return QCoreApplication::translate(
                       "Robustness", "calcolata su %1 metodi, il confronto attuale ne ha %2")
                .arg(origin.methods.size())
                .arg(compared->size());
        return QCoreApplication::translate("Robustness",
                                           "calcolata sui metodi %1, il confronto attuale su %2")
            .arg(origin.methods.join(kSeparator), compared->join(kSeparator));
    }
    if (!structure)
        return {};
    if (!origin.structure.isEmpty() && !*structure)
        return QCoreApplication::translate("Robustness",
                                           "calcolata su una struttura, i risultati attuali senza");
    if (origin.structure.isEmpty() && *structure)
        return QCoreApplication::translate(
            "Robustness", "calcolata senza struttura, i risultati attuali su una struttura");
    return {};
}
