#include "methods/metodi.h"
#include "support/testsupport.h"
#include "workflow/processing.h"

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
    const QString name = QFileInfo(workbook).fileName();
    const QString copy = dir.filePath(name);
    QVERIFY(QFile::copy(workbook, copy));
    Processing processing{Regional(locale)};
    const Status loaded = processing.load(copy);
    QVERIFY2(loaded, qPrintable(failureMessage(loaded)));
    std::vector<MethodPosition> positions;
    for (const auto& method : methodTable())
        positions.push_back(MethodPosition(method.position));
    QStringList written;
    const Status ran = processing.runAll(
        positions, [&](MethodPosition, const Expected<std::shared_ptr<const MethodRun>>& run) {
            written += run ? QStringList{(*run)->valuesFile, (*run)->ranksFile}
                           : QStringList{run.error().message};
        });
    QVERIFY2(ran, qPrintable(failureMessage(ran)));
    QCOMPARE(written.size(), 18);
    for (const QString& file : written) {
        const QString suffix = QFileInfo(file).fileName().mid(name.size() + 1);
        QCOMPARE(contents(file), contents(fixture("golden/" + golden + "/" + suffix)));
    }
}

QTEST_APPLESS_MAIN(TestGolden)
#include "tst_golden.moc"
