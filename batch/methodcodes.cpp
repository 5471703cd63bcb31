#include "methodcodes.h"

#include "comparison/resultfilelisting.h"
#include "shared/resultnames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

Expected<std::vector<MethodPosition>> chosenMethods(const QCommandLineParser& parser, int minimum,
                                                    const QString& usage) {
    const QStringList args = parser.positionalArguments();
    const bool all = parser.optionNames().contains(QStringLiteral("all"));
    if (args.isEmpty() || (all && args.size() != 1) || (!all && args.size() < 1 + minimum))
        return failure(FailureKind::Usage, usage);
    std::vector<MethodPosition> positions;
    if (all) {
        for (const MethodInfo& method : methodTable())
            positions.push_back(MethodPosition(method.position));
        return positions;
    }
    for (const QString& code : args.mid(1)) {
        const MethodInfo* method = methodWithCode(code);
        if (!method)
            return failure(FailureKind::Usage,
                           QStringLiteral("Metodo sconosciuto: %1 (codici: %2).")
                               .arg(code, methodCodes().join(QStringLiteral(", "))));
        positions.push_back(MethodPosition(method->position));
    }
    return positions;
}

Expected<std::vector<MethodPosition>> listedMethods(const QString& list) {
    const QStringList valid = methodCodes();
    std::vector<MethodPosition> positions;
    for (const QString& code : list.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype index = valid.indexOf(code.trimmed());
        if (index < 0)
            return failure(FailureKind::Usage,
                           QStringLiteral("Codice di metodo sconosciuto: %1. Codici validi: %2")
                               .arg(code.trimmed(), valid.join(QStringLiteral(", "))));
        const MethodPosition position = MethodPosition(index);
        if (std::find(positions.begin(), positions.end(), position) == positions.end())
            positions.push_back(position);
    }
    if (positions.empty())
        return failure(FailureKind::Usage,
                       QStringLiteral("Nessun metodo indicato dopo --methods. Codici validi: %1")
                           .arg(valid.join(QStringLiteral(", "))));
    return positions;
}

Expected<QStringList> comparedEntries(const QCommandLineParser& parser, const QString& workbook,
                                      const QString& usage) {
    if (parser.isSet(QStringLiteral("all"))) {
        QStringList entries = valuesResultFiles(workbook);
        const QStringList codes = methodCodes();
        const auto rank = [&codes](const QString& entry) {
            const qsizetype at = codes.indexOf(methodCodeOfResultFile(entry));
            return at < 0 ? codes.size() : at;
        };
        std::stable_sort(entries.begin(), entries.end(),
                         [&rank](const QString& a, const QString& b) { return rank(a) < rank(b); });
        if (entries.size() < 2)
            return failure(FailureKind::Usage,
                           QStringLiteral("Per il confronto servono almeno due metodi elaborati: "
                                          "trovati %1 file dei valori di %2.")
                               .arg(QString::number(entries.size()), workbook));
        return entries;
    }
    const QStringList codes = parser.positionalArguments().mid(1);
    if (codes.size() < 2)
        return failure(FailureKind::Usage,
                       QStringLiteral("Indicare almeno due metodi da confrontare.\n") + usage);
    const QDir folder = QFileInfo(workbook).absoluteDir();
    QStringList entries;
    for (const QString& code : codes) {
        const QString entry =
            resultFileName(QFileInfo(workbook).fileName(), ResultFileKind::MethodValues, code);
        if (!QFileInfo(folder.filePath(entry)).isFile() && !methodWithCode(code))
            return failure(FailureKind::Usage,
                           QStringLiteral("Metodo sconosciuto: %1 (codici: %2).")
                               .arg(code, methodCodes().join(QStringLiteral(", "))));
        entries.append(entry);
    }
    return entries;
}
