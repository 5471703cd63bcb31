#include "robustness/robustnessfiles.h"

#include "shared/textfile.h"

QString rankSummaryFile(const QString& strMatrice) {
    return strMatrice + QStringLiteral(".rob.csv");
}

QString sensitivityFile(const QString& strMatrice, const QString& code) {
    return strMatrice + QStringLiteral(".sens") + code + QStringLiteral(".csv");
}

QString uncertaintyFile(const QString& strMatrice) {
    return strMatrice + QStringLiteral(".unc.csv");
}

QString writeTableFile(const QString& path, const TextTable& table) {
    return writeTextFiles({{path, table.joinedLines(';')}});
}
