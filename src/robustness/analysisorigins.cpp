#include "robustness/analysisorigins.h"

#include "shared/delimitedfields.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace {

const QString kSeparator = QStringLiteral(", ");

QStringList header() {
    return {QStringLiteral("File"),        QStringLiteral("Metodi"),
            QStringLiteral("Riferimento"), QStringLiteral("Indicatori"),
            QStringLiteral("Struttura"),   QStringLiteral("Mancanti"),
            QStringLiteral("Anomali"),     QStringLiteral("Impostazioni")};
}

// The records as fields, the header left out, a record written without
// the settings given them empty; empty when there is no readable record
// file.
std::vector<QStringList> readRecords(const QString& path) {
    std::vector<QStringList> records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    const auto fieldCount = std::size_t(header().size());
    std::vector<FieldSpan> spans;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty() || !splitQuotedFields(QStringView(line), spans) ||
            (spans.size() != fieldCount && spans.size() != fieldCount - 1))
            continue;
        QStringList fields;
        for (const FieldSpan& span : spans)
            fields.append(fieldText(line, span));
        if (spans.size() < fieldCount)
            fields.append(QString());
        records.push_back(fields);
    }
    return records;
}

} // namespace

Status recordAnalysisOrigin(const QString& strMatrice, const QString& analysisPath,
                            const AnalysisOrigin& origin) {
    const QString path = resultFileName(strMatrice, ResultFileKind::Origins);
    const QString name = QFileInfo(analysisPath).fileName();
    QStringList lines{joinFields(header())};
    for (const QStringList& record : readRecords(path))
        if (record.first() != name)
            lines.append(joinFields(record));
    lines.append(
        joinFields({name, origin.methods.join(kSeparator), origin.reference, origin.indicators,
                    origin.structure, origin.missing, origin.outliers, origin.settings}));
    return writeTextFile(path, lines);
}

std::map<QString, AnalysisOrigin> readAnalysisOrigins(const QString& strMatrice) {
    std::map<QString, AnalysisOrigin> origins;
    for (const QStringList& record :
         readRecords(resultFileName(strMatrice, ResultFileKind::Origins))) {
        AnalysisOrigin& origin = origins[record[0]];
        origin.methods = record[1].split(kSeparator, Qt::SkipEmptyParts);
        origin.reference = record[2];
        origin.indicators = record[3];
        origin.structure = record[4];
        origin.missing = record[5];
        origin.outliers = record[6];
        origin.settings = record[7];
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
