#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "methods/metodi.h"
#include "record/outputrecorder.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "support/scratchmount.h"
#include "support/testsupport.h"
#include "workflow/processing.h"

#include <QFile>
#include <QTest>

// Result and comparison files that cannot be written: a full disk and a
// read-only folder.
// Each failure is reported with the file's name and the earlier files stay
// intact.
class TestFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resultFilesOnFullDisk();
    void resultFilesInReadOnlyFolder();
    void comparisonFilesOnFullDiskAndReadOnly();
    void fileAndRecordOnFullDisk();
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

const Rows kProvince{{t("Provincia"), t("Reddito"), t("disoccupati")},
                     {t("Alfa"), 30.0, 5.0},
                     {t("Beta"), 10.0, 9.0},
                     {t("Gamma"), 20.0, 7.0}};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

void TestFaults::resultFilesOnFullDisk() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    const QString workbook = disk.filePath(QStringLiteral("Regioni.xls"));
    QVERIFY(processingOf(workbook, kProvince, kItalian)->run(MethodPosition::MpiPositive));
    const QByteArray values = contents(workbook + ".outMPI+.csv");
    const QByteArray ranks = contents(workbook + ".outMPI+.rnk");

    QVERIFY(disk.fill());
    Rows other = kProvince;
    other[1][1] = 40.0; // a different result, which must not reach the files
    const auto work = processingOf(workbook, other, kItalian);
    for (const MethodPosition position :
         {MethodPosition::MpiPositive, MethodPosition::StandardizedMean}) {
        const auto run = work->run(position);
        QVERIFY(!run);
        QVERIFY(run.error().kind == FailureKind::File);
        QVERIFY2(run.error().message.contains(QStringLiteral("Regioni.xls.out")),
                 qPrintable(run.error().message));
    }
    QCOMPARE(contents(workbook + ".outMPI+.csv"), values);
    QCOMPARE(contents(workbook + ".outMPI+.rnk"), ranks);
    QVERIFY(!QFile::exists(workbook + ".outM1VZ.csv"));
}

void TestFaults::resultFilesInReadOnlyFolder() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    const QString workbook = disk.filePath(QStringLiteral("Regioni.xls"));
    const auto work = processingOf(workbook, kProvince, kItalian);
    QVERIFY(work->run(MethodPosition::Ranks));
    const QByteArray values = contents(workbook + ".outGRAD.csv");
    QVERIFY(disk.setReadOnly(true));
    const auto run = work->run(MethodPosition::Ranks);
    QVERIFY(!run);
    QVERIFY(run.error().message.startsWith(QStringLiteral("Impossibile scrivere il file")));
    QCOMPARE(contents(workbook + ".outGRAD.csv"), values);
    QVERIFY(disk.setReadOnly(false));
}

void TestFaults::comparisonFilesOnFullDiskAndReadOnly() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    const QString workbook = disk.filePath(QStringLiteral("Regioni.xls"));
    QVERIFY(
        processingOf(workbook, kProvince, kItalian)
            ->runAll({MethodPosition::MpiPositive, MethodPosition::Wroclaw, MethodPosition::Ranks},
                     [](MethodPosition, const Expected<std::shared_ptr<const MethodRun>>&) {}));
    const QStringList entries{QStringLiteral("Regioni.xls.outGRAD.csv"),
                              QStringLiteral("Regioni.xls.outMPI+.csv"),
                              QStringLiteral("Regioni.xls.outWROC.csv")};
    const Expected<ComparisonResult> threeRun = compareMethods(disk.path(), entries, kItalian);
    QVERIFY2(threeRun, qPrintable(failureMessage(threeRun)));
    const ComparisonResult& three = *threeRun;
    QCOMPARE(failureMessage(writeComparisonFiles(workbook, three, kItalian)), QString());
    const QByteArray values = contents(valuesComparisonFile(workbook));
    const QByteArray ranks = contents(ranksComparisonFile(workbook));

    // A comparison of two methods cannot replace the files of three.
    const Expected<ComparisonResult> twoRun =
        compareMethods(disk.path(), entries.mid(0, 2), kItalian);
    QVERIFY2(twoRun, qPrintable(failureMessage(twoRun)));
    const ComparisonResult& two = *twoRun;
    QVERIFY(disk.setReadOnly(true));
    QVERIFY(failureMessage(writeComparisonFiles(workbook, two, kItalian))
                .contains(QStringLiteral("Regioni.xls.val.csv")));
    QVERIFY(disk.setReadOnly(false));
    QVERIFY(disk.fill());
    const QString full = failureMessage(writeComparisonFiles(workbook, two, kItalian));
    QVERIFY2(full.startsWith(QStringLiteral("Impossibile scrivere il file")), qPrintable(full));
    QCOMPARE(contents(valuesComparisonFile(workbook)), values);
    QCOMPARE(contents(ranksComparisonFile(workbook)), ranks);
}

// A disk with room for the file but not for its entry: neither changes,
// and the failure names the record.
void TestFaults::fileAndRecordOnFullDisk() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    const QString workbook = disk.filePath(QStringLiteral("Regioni.xls"));
    QVERIFY(writeFileBytes(workbook, "cartella"));
    const QString path = resultFileName(workbook, ResultFileKind::Uncertainty);
    const auto write = [&](const QString& text) {
        RecordScope scope(workbook, kItalian);
        scope.recorder().addInput(workbook, InputRole::Matrix);
        return writeTextFile(path, {text});
    };
    QVERIFY(write(QStringLiteral("prima")));
    const QByteArray file = contents(path);
    const QByteArray record = contents(recordPath(workbook));
    QVERIFY(record.contains("Regioni.xls.unc.csv"));

    QVERIFY(disk.fill(4096));
    const Status written = write(QStringLiteral("dopo"));
    QVERIFY(!written);
    QVERIFY2(written.error().message.contains(QStringLiteral("Regioni.xls.registro.json")),
             qPrintable(written.error().message));
    QCOMPARE(contents(path), file);
    QCOMPARE(contents(recordPath(workbook)), record);
}

QTEST_APPLESS_MAIN(TestFaults)
#include "tst_faults.moc"
