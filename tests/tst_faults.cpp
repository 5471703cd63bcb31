#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "methods/methodrunner.h"
#include "methods/metodi.h"
#include "support/scratchmount.h"
#include "support/testsupport.h"

#include <QFile>
#include <QTest>

// Result and comparison files that cannot be written: a full disk and a
// read-only folder.
// Each failure is reported with the file's name, the earlier files stay
// intact and the shared tables are left as they were.
class TestFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resultFilesOnFullDisk();
    void resultFilesInReadOnlyFolder();
    void comparisonFilesOnFullDiskAndReadOnly();
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}

SharedState matrice(const QString& workbook) {
    SharedState s = statoDa({{t("Provincia"), t("Reddito"), t("disoccupati")},
                             {t("Alfa"), 30.0, 5.0},
                             {t("Beta"), 10.0, 9.0},
                             {t("Gamma"), 20.0, 7.0}});
    s.strMatrice = workbook;
    return s;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

void TestFaults::resultFilesOnFullDisk() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    SharedState s = matrice(disk.filePath(QStringLiteral("Regioni.xls")));
    MethodRunner runner;
    const auto& mpi = methodTable()[0];
    QVERIFY(runner.run(s, 0, mpi.entryText, kItalian).done());
    const QByteArray values = contents(s.strMatrice + ".outMPI+.csv");
    const QByteArray ranks = contents(s.strMatrice + ".outMPI+.rnk");
    const Table valori = s.matValori;

    QVERIFY(disk.fill());
    s.matDati(2, 2) = 40.0; // a different result, which must not reach the files
    for (const int position : {0, 3}) {
        const auto& method = methodTable()[static_cast<std::size_t>(position)];
        const MethodRunResult result = runner.run(s, position, method.entryText, kItalian);
        QCOMPARE(result.status, MethodRunResult::Status::WriteFailed);
        QVERIFY2(result.message.contains(QStringLiteral("Regioni.xls.out")),
                 qPrintable(result.message));
    }
    QCOMPARE(contents(s.strMatrice + ".outMPI+.csv"), values);
    QCOMPARE(contents(s.strMatrice + ".outMPI+.rnk"), ranks);
    QVERIFY(!QFile::exists(s.strMatrice + ".outM1VZ.csv"));
    QCOMPARE(s.matValori, valori);
}

void TestFaults::resultFilesInReadOnlyFolder() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    SharedState s = matrice(disk.filePath(QStringLiteral("Regioni.xls")));
    MethodRunner runner;
    const auto& grad = methodTable()[4];
    QVERIFY(runner.run(s, 4, grad.entryText, kItalian).done());
    const QByteArray values = contents(s.strMatrice + ".outGRAD.csv");
    QVERIFY(disk.setReadOnly(true));
    const MethodRunResult result = runner.run(s, 4, grad.entryText, kItalian);
    QCOMPARE(result.status, MethodRunResult::Status::WriteFailed);
    QVERIFY(result.message.startsWith(QStringLiteral("Impossibile scrivere il file")));
    QCOMPARE(contents(s.strMatrice + ".outGRAD.csv"), values);
    QVERIFY(disk.setReadOnly(false));
}

void TestFaults::comparisonFilesOnFullDiskAndReadOnly() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    SharedState s = matrice(disk.filePath(QStringLiteral("Regioni.xls")));
    MethodRunner runner;
    for (const int position : {0, 2, 4})
        QVERIFY(runner
                    .run(s, position, methodTable()[static_cast<std::size_t>(position)].entryText,
                         kItalian)
                    .done());
    const QStringList entries{QStringLiteral("Regioni.xls.outGRAD.csv"),
                              QStringLiteral("Regioni.xls.outMPI+.csv"),
                              QStringLiteral("Regioni.xls.outWROC.csv")};
    const ComparisonResult three = compareMethods(disk.path(), entries, kItalian);
    QVERIFY2(three.ok, qPrintable(three.message));
    QCOMPARE(writeComparisonFiles(s.strMatrice, three), QString());
    const QByteArray values = contents(valuesComparisonFile(s.strMatrice));
    const QByteArray ranks = contents(ranksComparisonFile(s.strMatrice));

    // A comparison of two methods cannot replace the files of three.
    const ComparisonResult two = compareMethods(disk.path(), entries.mid(0, 2), kItalian);
    QVERIFY(two.ok);
    QVERIFY(disk.setReadOnly(true));
    QVERIFY(
        writeComparisonFiles(s.strMatrice, two).contains(QStringLiteral("Regioni.xls.val.csv")));
    QVERIFY(disk.setReadOnly(false));
    QVERIFY(disk.fill());
    const QString full = writeComparisonFiles(s.strMatrice, two);
    QVERIFY2(full.startsWith(QStringLiteral("Impossibile scrivere il file")), qPrintable(full));
    QCOMPARE(contents(valuesComparisonFile(s.strMatrice)), values);
    QCOMPARE(contents(ranksComparisonFile(s.strMatrice)), ranks);
}

QTEST_APPLESS_MAIN(TestFaults)
#include "tst_faults.moc"
