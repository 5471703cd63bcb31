#include "support/testsupport.h"
#include "version.h"

#include <QProcess>
#include <QTest>

// The command-line conventions of the batch tool: help, version, refused
// options and commands, the exit status and the stream each answer goes to.
class TestBatchCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conventions_data();
    void conventions();
};

void TestBatchCli::conventions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("nothing") << QStringList{} << 1 << ""
                             << "Uso: orvalta-batch COMANDO";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "compare CARTELLA_DI_LAVORO"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "orvalta-batch " ORVALTA_VERSION
                             << "";
    QTest::newRow("unknown tool option") << QStringList{"--frobnicate"} << 1 << ""
                                         << "Opzione sconosciuta: frobnicate";
    QTest::newRow("unknown command") << QStringList{"rank", "x.xlsx"} << 1 << ""
                                     << "Comando sconosciuto: rank";
    QTest::newRow("command help") << QStringList{"run", "--help"} << 0
                                  << "Uso: orvalta-batch run CARTELLA_DI_LAVORO"
                                  << "";
    QTest::newRow("unknown command option") << QStringList{"run", "x.xlsx", "--fast"} << 1 << ""
                                            << "Opzione sconosciuta: fast\nUso: orvalta-batch run";
    QTest::newRow("option without its value")
        << QStringList{"run", "x.xlsx", "--methods"} << 1 << ""
        << "Manca il valore dell'opzione --methods.";
    QTest::newRow("switch with a value") << QStringList{"compare", "x.xlsx", "--all=yes"} << 1 << ""
                                         << "L'opzione --all non prevede un valore.";
    QTest::newRow("codes and --all") << QStringList{"compare", "x.xlsx", "GRAD", "--all"} << 1 << ""
                                     << "Uso: orvalta-batch compare";
    QTest::newRow("export without its destination")
        << QStringList{"export", "x.xlsx"} << 1 << ""
        << "Uso: orvalta-batch export CARTELLA_DI_LAVORO FILE.xlsx";
    QTest::newRow("unknown method code") << QStringList{"run", "x.xlsx", "--methods=XYZ"} << 1 << ""
                                         << "Codice di metodo sconosciuto: XYZ";
}

void TestBatchCli::conventions() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess batch;
    batch.start(QStringLiteral(ORVALTA_BATCH), args);
    QVERIFY(batch.waitForFinished(30000));
    const QString stdOut = QString::fromUtf8(batch.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(batch.readAllStandardError());
    QCOMPARE(batch.exitStatus(), QProcess::NormalExit);
    QCOMPARE(batch.exitCode(), exitCode);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.contains(out), qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err), qPrintable(stdErr));
}

QTEST_GUILESS_MAIN(TestBatchCli)
#include "tst_batchcli.moc"
