#include "support/resultsfixture.h"

#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/methodrunner.h"
#include "methods/metodi.h"
#include "workbook/caricamatrice.h"

#include <QDir>
#include <QFile>
#include <QTest>

QString sampleWithResults(const QString& folder, SharedState& s, const Regional& regional,
                          bool compare) {
    const QString path = QDir(folder).filePath(QStringLiteral("regioni.xlsx"));
    if (!QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), path)) {
        QTest::qFail("the sample workbook cannot be copied", __FILE__, __LINE__);
        return {};
    }
    s = SharedState();
    s.strMatrice = path;
    s.strCartella = folder;
    if (!carica_matrice(s, regional).loaded()) {
        QTest::qFail("the sample workbook does not load", __FILE__, __LINE__);
        return {};
    }
    MethodRunner runner;
    for (const MethodInfo& method : methodTable())
        if (!runner.run(s, method.position, method.entryText, regional).done()) {
            QTest::qFail("a method refused the sample", __FILE__, __LINE__);
            return {};
        }
    if (compare) {
        const ComparisonResult result = compareMethods(folder, valuesResultFiles(path), regional);
        if (!result.ok || !writeComparisonFiles(path, result).isEmpty()) {
            QTest::qFail("the comparison failed", __FILE__, __LINE__);
            return {};
        }
    }
    return path;
}
