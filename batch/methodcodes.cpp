#include "methodcodes.h"

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
