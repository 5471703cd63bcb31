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
// computation), under Italian and C settings, from either workbook format.
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
    for (const char* workbook : {"regioni.xlsx", "regioni.xls"}) {
        QTest::addRow("%s it", workbook)
            << QString::fromLatin1(workbook) << QLocale(QLocale::Italian, QLocale::Italy) << "it";
        QTest::addRow("%s c", workbook) << QString::fromLatin1(workbook) << QLocale::c() << "c";
    }
}

void TestGolden::resultFiles() {
    QFETCH(QString, workbook);
    QFETCH(QLocale, locale);
    QFETCH(QString, golden);
    QTemporaryDir dir;
    SharedState s;
    s.strMatrice = dir.filePath(workbook);
    s.strCartella = dir.path();
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/") + workbook, s.strMatrice));
    const Regional regional(locale);
    const LoadResult load = carica_matrice(s, regional);
    QVERIFY2(load.loaded(), qPrintable(load.message));
    MethodRunner runner;
    for (const auto& method : methodTable()) {
        const MethodRunResult result = runner.run(s, method.position, method.entryText, regional);
        QVERIFY2(result.done(), qPrintable(result.message));
        for (const QString& written : {result.valuesFile, result.ranksFile}) {
            const QString name = QFileInfo(written).fileName().mid(workbook.size() + 1);
            QCOMPARE(contents(written), contents(fixture("golden/" + golden + "/" + name)));
        }
    }
}

QTEST_APPLESS_MAIN(TestGolden)
#include "tst_golden.moc"
