#include "comparison/comparisonfiles.h"

#include "shared/resultnames.h"
#include "shared/textfile.h"

QString valuesComparisonFile(const QString& strMatrice) {
    return resultFileName(strMatrice, ResultFileKind::ComparisonValues);
}

QString ranksComparisonFile(const QString& strMatrice) {
    return resultFileName(strMatrice, ResultFileKind::ComparisonRanks);
}

Status writeComparisonFiles(const QString& strMatrice, const ComparisonResult& result) {
    // Both texts are written, side by side, before either file is
    // replaced, so that a failure leaves the two earlier files of one run.
    return writeTextFilesTogether({{valuesComparisonFile(strMatrice), result.values.joinedLines()},
                                   {ranksComparisonFile(strMatrice), result.ranks.joinedLines()}});
}
