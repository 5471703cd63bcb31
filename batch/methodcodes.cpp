#include "methodcodes.h"

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
