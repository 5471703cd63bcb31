#include "methods/methodrunner.h"
#include "methods/metodi.h"
#include "support/scratchmount.h"
#include "support/testsupport.h"

#include <QFile>
#include <QTest>

// Result files that cannot be written: a full disk and a read-only folder.
// Each failure is reported with the file's name, the earlier files stay
// intact and the shared tables are left as they were.
class TestFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resultFilesOnFullDisk();
    void resultFilesInReadOnlyFolder();
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

QTEST_APPLESS_MAIN(TestFaults)
#include "tst_faults.moc"
