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
    void frameworkFiles();
};

namespace {
QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll()
                                          : QByteArray("<missing " + path.toUtf8() + ">");
}

// Runs the nine methods and gives the files each one wrote (its group files
// too, with a structure), or its failure.
QStringList runNine(Processing& processing) {
    std::vector<MethodPosition> positions;
    for (const auto& method : methodTable())
        positions.push_back(MethodPosition(method.position));
    QStringList written;
    const Status ran = processing.runAll(
        positions, [&](MethodPosition, const Expected<std::shared_ptr<const MethodRun>>& run) {
            if (!run)
                written += run.error().message;
            else if ((*run)->groupValuesFile.isEmpty())
                written += {(*run)->valuesFile, (*run)->ranksFile};
            else
                written += {(*run)->valuesFile, (*run)->ranksFile, (*run)->groupValuesFile,
                            (*run)->groupRanksFile};
        });
    if (!ran)
        written += failureMessage(ran);
    return written;
}

// Compares each file with the one of the same suffix (the name after the
// workbook's) in the golden folder.
void compareWithGolden(const QStringList& written, const QString& workbook, const QString& golden) {
    const qsizetype prefix = QFileInfo(workbook).fileName().size() + 1;
    for (const QString& file : written)
        QCOMPARE(contents(file),
                 contents(fixture(golden + "/" + QFileInfo(file).fileName().mid(prefix))));
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
    const QStringList written = runNine(processing);
    QCOMPARE(written.size(), 18);
    compareWithGolden(written, copy, "golden/" + golden);
}

// The sample framework workbook: four weighted dimensions in its Struttura
// sheet. The result files hold the overall index, the group files each
// dimension's, under Italian settings.
void TestGolden::frameworkFiles() {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("regioni_struttura.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_struttura.xlsx"), copy));
    Processing processing{Regional(QLocale(QLocale::Italian, QLocale::Italy))};
    const Status loaded = processing.load(copy);
    QVERIFY2(loaded, qPrintable(failureMessage(loaded)));
    QVERIFY(processing.structure());
    const QStringList written = runNine(processing);
    QCOMPARE(written.size(), 36);
    compareWithGolden(written, copy, QStringLiteral("golden/framework"));
}

QTEST_APPLESS_MAIN(TestGolden)
#include "tst_golden.moc"
