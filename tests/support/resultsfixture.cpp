#include "support/resultsfixture.h"

#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"

#include <QDir>
#include <QFile>
#include <QTest>

bool writeRobustnessFiles(const QString& strMatrice, const Matrix& matrix,
                          const Regional& regional) {
    const QString corner = regional.generalText(matrix.corner);
    const QString first = regional.generalText(matrix.indicators.front());
    QStringList rob{corner + QStringLiteral(";Rango di riferimento;Rango mediano;Migliore;"
                                            "Peggiore;Intervallo;Spostamento medio")};
    QStringList sens{corner + QStringLiteral(";Rango")};
    for (const CellValue& indicator : matrix.indicators)
        sens.first() += u';' + regional.generalText(indicator);
    sens.first() += QStringLiteral(";Spostamento massimo;Indicatore");
    QStringList unc{corner + QStringLiteral(";Rango di riferimento;Mediana;5° percentile;"
                                            "95° percentile;Migliore;Peggiore")};
    const int units = matrix.unitCount();
    for (int i = 1; i <= units; ++i) {
        const QString label = regional.generalText(matrix.units[std::size_t(i - 1)]);
        const QString median = regional.fixed4(i + 0.5);
        rob.append(QStringLiteral("%1;%2;%3;%2;%4;%5;%6")
                       .arg(label)
                       .arg(i)
                       .arg(median)
                       .arg(i + i % 3)
                       .arg(i % 3)
                       .arg(regional.fixed4(i % 3 / 2.0)));
        QString line = label + QStringLiteral(";%1").arg(i);
        for (int j = 0; j < matrix.indicatorCount(); ++j)
            line += QStringLiteral(";%1").arg(j == 0 ? -(i % 3) : 0);
        sens.append(line + QStringLiteral(";%1;%2").arg(i % 3).arg(i % 3 ? first : QString()));
        unc.append(QStringLiteral("%1;%2;%3;%4;%5;%4;%5")
                       .arg(label)
                       .arg(i)
                       .arg(median)
                       .arg(std::max(1, i - 2))
                       .arg(std::min(units, i + 3)));
    }
    const auto write = [](const QString& path, const QStringList& lines) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) &&
               file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()) >
                   0;
    };
    return write(strMatrice + QStringLiteral(".rob.csv"), rob) &&
           write(strMatrice + QStringLiteral(".sensGRAD.csv"), sens) &&
           write(strMatrice + QStringLiteral(".unc.csv"), unc);
}

SampleResults sampleWithResults(const QString& folder, const Regional& regional, bool compare) {
    SampleResults sample;
    const QString path = QDir(folder).filePath(QStringLiteral("regioni.xlsx"));
    if (!QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), path)) {
        QTest::qFail("the sample workbook cannot be copied", __FILE__, __LINE__);
        return sample;
    }
    auto processing = std::make_unique<Processing>(regional);
    if (!processing->load(path)) {
        QTest::qFail("the sample workbook does not load", __FILE__, __LINE__);
        return sample;
    }
    std::vector<MethodPosition> positions;
    for (const MethodInfo& method : methodTable())
        positions.push_back(MethodPosition(method.position));
    bool refused = false;
    const Status ran = processing->runAll(
        positions, [&](MethodPosition, const Expected<std::shared_ptr<const MethodRun>>& run) {
            refused = refused || !run;
            if (run)
                sample.last = *run;
        });
    if (!ran || refused) {
        QTest::qFail("a method refused the sample", __FILE__, __LINE__);
        return sample;
    }
    if (compare) {
        const Expected<ComparisonResult> result =
            compareMethods(folder, valuesResultFiles(path), regional);
        if (!result || !writeComparisonFiles(path, *result, regional)) {
            QTest::qFail("the comparison failed", __FILE__, __LINE__);
            return sample;
        }
    }
    sample.processing = std::move(processing);
    return sample;
}
