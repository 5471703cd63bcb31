#include "robustness/robustnessfiles.h"

#include "shared/resultnames.h"
#include "shared/textfile.h"

QString rankSummaryFile(const QString& strMatrice) {
    return resultFileName(strMatrice, ResultFileKind::RankSummary);
}

QString sensitivityFile(const QString& strMatrice, const QString& code) {
    return resultFileName(strMatrice, ResultFileKind::Sensitivity, code);
}

QString uncertaintyFile(const QString& strMatrice) {
    return resultFileName(strMatrice, ResultFileKind::Uncertainty);
}

Status writeTableFile(const QString& path, const TextTable& table) {
    return writeTextFiles({{path, table.joinedLines()}});
}
