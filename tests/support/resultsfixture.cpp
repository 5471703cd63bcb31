#include "support/resultsfixture.h"
#include "support/regioniesempio.h"
#include "support/testsupport.h"

#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"
#include "workflow/processing.h"

#include <QDir>
#include <QFile>
#include <QTest>

bool writeRobustnessFiles(const SharedState& s, const Regional& regional) {
    const QString corner = regional.generalText(s.matDati.label(1));
    const QString first = regional.generalText(s.matDati.header(2));
    QStringList rob{corner + QStringLiteral(";Rango di riferimento;Rango mediano;Migliore;"
                                            "Peggiore;Intervallo;Spostamento medio")};
    QStringList sens{corner + QStringLiteral(";Rango")};
    for (int c = 2; c <= s.nColonne; ++c)
        sens.first() += u';' + regional.generalText(s.matDati.header(c));
    sens.first() += QStringLiteral(";Spostamento massimo;Indicatore");
    QStringList unc{corner + QStringLiteral(";Rango di riferimento;Mediana;5° percentile;"
                                            "95° percentile;Migliore;Peggiore")};
    for (int i = 1; i < s.nRighe; ++i) {
        const QString label = regional.generalText(s.matDati.label(i + 1));
        const QString median = regional.fixed4(i + 0.5);
        rob.append(QStringLiteral("%1;%2;%3;%2;%4;%5;%6")
                       .arg(label)
                       .arg(i)
                       .arg(median)
                       .arg(i + i % 3)
                       .arg(i % 3)
                       .arg(regional.fixed4(i % 3 / 2.0)));
        QString line = label + QStringLiteral(";%1").arg(i);
        for (int c = 2; c <= s.nColonne; ++c)
            line += QStringLiteral(";%1").arg(c == 2 ? -(i % 3) : 0);
        sens.append(line + QStringLiteral(";%1;%2").arg(i % 3).arg(i % 3 ? first : QString()));
        unc.append(QStringLiteral("%1;%2;%3;%4;%5;%4;%5")
                       .arg(label)
                       .arg(i)
                       .arg(median)
                       .arg(std::max(1, i - 2))
                       .arg(std::min(s.nRighe - 1, i + 3)));
    }
    const auto write = [](const QString& path, const QStringList& lines) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) &&
               file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()) >
                   0;
    };
    return write(s.strMatrice + QStringLiteral(".rob.csv"), rob) &&
           write(s.strMatrice + QStringLiteral(".sensGRAD.csv"), sens) &&
           write(s.strMatrice + QStringLiteral(".unc.csv"), unc);
}

QString sampleWithResults(const QString& folder, SharedState& s, const Regional& regional,
                          bool compare) {
    const QString path = QDir(folder).filePath(QStringLiteral("regioni.xlsx"));
    if (!QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), path)) {
        QTest::qFail("the sample workbook cannot be copied", __FILE__, __LINE__);
        return {};
    }
    Processing processing(regional);
    if (!processing.load(path)) {
        QTest::qFail("the sample workbook does not load", __FILE__, __LINE__);
        return {};
    }
    s = statoCaricatoDa(regioniEsempio()); // the figures of the sample workbook
    s.strMatrice = path;
    s.strCartella = folder;
    for (const MethodInfo& method : methodTable())
        if (!processing.run(MethodPosition(method.position))) {
            QTest::qFail("a method refused the sample", __FILE__, __LINE__);
            return {};
        }
    if (compare) {
        const Expected<ComparisonResult> result =
            compareMethods(folder, valuesResultFiles(path), regional);
        if (!result || !writeComparisonFiles(path, *result).isEmpty()) {
            QTest::qFail("the comparison failed", __FILE__, __LINE__);
            return {};
        }
    }
    return path;
}
