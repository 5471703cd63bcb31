#include "methods/methodrunner.h"
#include "methods/metodi.h"
#include "support/testsupport.h"
#include "workbook/caricamatrice.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// Every method on the sample workbook writes, byte for byte, the result
// files kept under fixtures/golden/ (checked once against an independent
// computation), under Italian and C settings, from every format the matrix
// is saved in: .xls and .xlsx, and LibreOffice's .ods and delimited text
// (saved under the settings it is read with).
class TestGolden : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resultFiles_data();
    void resultFiles();
};

namespace {
QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll()
                                          : QByteArray("<missing " + path.toUtf8() + ">");
}
} // namespace

void TestGolden::resultFiles_data() {
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("golden");
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QString examples = QStringLiteral(ORVALTA_EXAMPLES "/");
    const QString twins = fixture(QStringLiteral("twins/"));
    const QStringList workbooks{examples + "regioni.xlsx", examples + "regioni.xls",
                                twins + "regioni.ods"};
    for (const QString& workbook : workbooks) {
        QTest::addRow("%s it", qPrintable(QFileInfo(workbook).fileName()))
            << workbook << italian << "it";
        QTest::addRow("%s c", qPrintable(QFileInfo(workbook).fileName()))
            << workbook << QLocale::c() << "c";
    }
    QTest::newRow("regioni.csv c") << QString(twins + "regioni.csv") << QLocale::c() << "c";
    QTest::newRow("regioni_it.csv it") << QString(twins + "regioni_it.csv") << italian << "it";
    QTest::newRow("regioni_it_pv.csv it")
        << QString(twins + "regioni_it_pv.csv") << italian << "it";
}

void TestGolden::resultFiles() {
    QFETCH(QString, workbook);
    QFETCH(QLocale, locale);
    QFETCH(QString, golden);
    QTemporaryDir dir;
    SharedState s;
    const QString name = QFileInfo(workbook).fileName();
    s.strMatrice = dir.filePath(name);
    s.strCartella = dir.path();
    QVERIFY(QFile::copy(workbook, s.strMatrice));
    const Regional regional(locale);
    const LoadResult load = carica_matrice(s, regional);
    QVERIFY2(load.loaded(), qPrintable(load.message));
    MethodRunner runner;
    for (const auto& method : methodTable()) {
        const MethodRunResult result = runner.run(s, method.position, method.entryText, regional);
        QVERIFY2(result.done(), qPrintable(result.message));
        for (const QString& written : {result.valuesFile, result.ranksFile}) {
            const QString suffix = QFileInfo(written).fileName().mid(name.size() + 1);
            QCOMPARE(contents(written), contents(fixture("golden/" + golden + "/" + suffix)));
        }
    }
}

QTEST_APPLESS_MAIN(TestGolden)
#include "tst_golden.moc"
