#include "comparison/comparison.h"
#include "support/testsupport.h"
#include "workbook/caricamatrice.h"
#include "workbook/csv/csvreader.h"
#include "workbook/ods/odsreader.h"
#include "workbook/xls/xlsreader.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Inputs that once made a fuzzer fail, kept under
// fixtures/fuzz-regressions/<fuzzer>/: each must now be read or refused
// with a message.
class TestFuzzRegressions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void workbooks_data();
    void workbooks();
    void resultFiles_data();
    void resultFiles();
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};

void addInputs(const QString& fuzzer) {
    const QDir dir(fixture(QStringLiteral("fuzz-regressions/") + fuzzer));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(fuzzer + u'/' + name)) << dir.filePath(name) << fuzzer;
}
} // namespace

void TestFuzzRegressions::workbooks_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fuzzer");
    addInputs(QStringLiteral("fuzz_xls"));
    addInputs(QStringLiteral("fuzz_xlsx"));
    addInputs(QStringLiteral("fuzz_ods"));
    addInputs(QStringLiteral("fuzz_csv"));
}

void TestFuzzRegressions::workbooks() {
    if (!QTest::currentDataTag())
        QSKIP("no input kept for the workbook fuzzers");
    QFETCH(QString, path);
    QFETCH(QString, fuzzer);
    std::unique_ptr<WorkbookReader> reader;
    if (fuzzer == QStringLiteral("fuzz_xls"))
        reader = std::make_unique<XlsReader>();
    else if (fuzzer == QStringLiteral("fuzz_ods"))
        reader = std::make_unique<OdsReader>();
    else if (fuzzer == QStringLiteral("fuzz_csv"))
        reader = std::make_unique<CsvReader>(kItalian);
    else
        reader = std::make_unique<XlsxReader>();
    if (const Status opened = reader->open(path); !opened) {
        QVERIFY(!opened.error().message.isEmpty());
        return;
    }
    const Expected<Matrix> matrix = carica_matrice(*reader, path, kItalian);
    QVERIFY(matrix || !matrix.error().message.isEmpty());
}

void TestFuzzRegressions::resultFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fuzzer");
    addInputs(QStringLiteral("fuzz_resultfile"));
}

void TestFuzzRegressions::resultFiles() {
    if (!QTest::currentDataTag())
        QSKIP("no input kept for the result-file fuzzer");
    QFETCH(QString, path);
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("m.xls.outMPI+.csv",
          "Regione;MPI+\r\nAlfa;101,0000\r\nBeta;99,0000\r\nGamma;100,0000\r\n");
    write("m.xls.outMPI+.rnk", "Regione;MPI+\r\nAlfa;1\r\nBeta;3\r\nGamma;2\r\n");
    QFile input(path);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray bytes = input.readAll();
    write("m.xls.outWROC.csv", bytes);
    write("m.xls.outWROC.rnk", bytes);
    const Expected<ComparisonResult> result =
        compareMethods(dir.path(), {"m.xls.outMPI+.csv", "m.xls.outWROC.csv"}, kItalian);
    QVERIFY(result ? result->cograduation.size() == 2 : !result.error().message.isEmpty());
}

QTEST_APPLESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
