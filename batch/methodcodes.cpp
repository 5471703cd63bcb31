#include "methodcodes.h"

#include "commands.h"
#include "methods/metodi.h"

int methodPosition(const QString& code) {
    const MethodInfo* method = methodWithCode(code);
    return method ? method->position : -1;
}

std::vector<int> chosenMethods(const QCommandLineParser& parser, int minimum, const QString& uso) {
    const QStringList args = parser.positionalArguments();
    const bool all = parser.optionNames().contains(QStringLiteral("all"));
    std::vector<int> positions;
    if (args.isEmpty() || (all && args.size() != 1) || (!all && args.size() < 1 + minimum)) {
        scriviErr(uso);
        return positions;
    }
    if (all) {
        for (const MethodInfo& method : methodTable())
            positions.push_back(method.position);
        return positions;
    }
    for (const QString& code : args.mid(1)) {
        const int position = methodPosition(code);
        if (position < 0) {
            scriviErr(QStringLiteral("Metodo sconosciuto: %1 (codici: %2).")
                          .arg(code, methodCodes().join(QStringLiteral(", "))));
            return {};
        }
        positions.push_back(position);
    }
    return positions;
}
