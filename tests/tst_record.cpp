#include "comparison/comparisonfiles.h"
#include "record/outputrecorder.h"
#include "record/recordcheck.h"
#include "shared/resultnames.h"
#include "shared/textfile.h"
#include "support/testsupport.h"
#include "workflow/comparisonrun.h"
#include "workflow/processing.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The record of a workbook's outputs: what makes a file stale, how the
// record is read, and numbers read under the settings they were written
// with.
class TestRecord : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void staleFilesNamedWithTheirCause();
    void readingIsBounded();
    void numbersReadUnderTheirSettings();

private:
    QString reasonOf(const QString& path);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_workbook;
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const Regional kC{QLocale::c()};
CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}
const Rows kProvince{{t("Provincia"), t("Reddito"), t("disoccupati")},
                     {t("Alfa"), 30.0, 5.0},
                     {t("Beta"), 10.0, 9.0},
                     {t("Gamma"), 2000.0, 7.0}};
} // namespace

void TestRecord::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_workbook = m_dir->filePath(QStringLiteral("Regioni.xls"));
    QVERIFY(writeFileBytes(m_workbook, "cartella"));
}

QString TestRecord::reasonOf(const QString& path) {
    const Expected<Record> record = readRecord(m_workbook);
    if (!record)
        return record.error().message;
    HashCache hashes;
    const Currency currency = currencyOf(m_workbook, *record, path, hashes);
    return currency.current() ? QStringLiteral("attuale") : currency.reason;
}

// Another version of the matrix, a file edited after it was computed, a
// file written with another that was rewritten alone (the Sobol indices
// of an earlier Monte Carlo), another structure or the matrix before its
// outlier treatment.
void TestRecord::staleFilesNamedWithTheirCause() {
    QVERIFY(processingOf(m_workbook, kProvince, kItalian)->run(MethodPosition::MpiPositive));
    const QString values = resultFileName(m_workbook, ResultFileKind::MethodValues, "MPI+");
    QCOMPARE(reasonOf(values), QStringLiteral("attuale"));
    QVERIFY(writeFileBytes(m_workbook, "un'altra cartella"));
    QCOMPARE(reasonOf(values), QStringLiteral("calcolato su un'altra versione della matrice"));
    QVERIFY(writeFileBytes(m_workbook, "cartella"));
    QCOMPARE(reasonOf(values), QStringLiteral("attuale"));
    QVERIFY(writeFileBytes(values, fileContents(values) + "Delta;1\r\n"));
    QCOMPARE(reasonOf(values), QStringLiteral("modificato dopo il calcolo"));

    const QString mc = resultFileName(m_workbook, ResultFileKind::MonteCarlo);
    const QString sobol = resultFileName(m_workbook, ResultFileKind::Sobol);
    {
        const RecordScope scope(m_workbook, kItalian);
        QVERIFY(writeTextFiles({{mc, TextLines({"prima"})}, {sobol, TextLines({"indici"})}}));
    }
    QCOMPARE(reasonOf(sobol), QStringLiteral("attuale"));
    {
        const RecordScope scope(m_workbook, kItalian);
        QVERIFY(writeTextFile(mc, {"dopo"}));
    }
    QCOMPARE(reasonOf(mc), QStringLiteral("attuale"));
    QCOMPARE(reasonOf(sobol), QStringLiteral("scritto con Regioni.xls.mc.csv, che è stato "
                                             "riscritto senza di esso"));

    const QJsonObject flat{{"structure", ""}};
    QCOMPARE(settingsMismatch(flat, flat), QString());
    QCOMPARE(settingsMismatch({{"structure", "foglio Struttura"}}, flat),
             QStringLiteral("calcolato con la struttura foglio Struttura"));
    QCOMPARE(settingsMismatch(flat, {{"structure", ""}, {"outliersChanged", 2}}),
             QStringLiteral("calcolato sulla matrice prima del trattamento degli anomali"));
    QCOMPARE(settingsMismatch({{"structureUnused", true}}, {{"structure", "x"}}), QString());
}

// A FIFO or a link to an endless device is refused at once, so is a record
// beyond the limit or one that is not a record; a missing one is empty.
void TestRecord::readingIsBounded() {
    QVERIFY(readRecord(m_workbook) && readRecord(m_workbook)->entries.empty());
    const QString path = recordPath(m_workbook);
    QElapsedTimer timer;
    timer.start();
    for (const SpecialFile kind : {SpecialFile::Pipe, SpecialFile::Device}) {
        QVERIFY(makeSpecialFile(path, kind));
        const Expected<Record> record = readRecord(m_workbook);
        QVERIFY(!record);
        QVERIFY2(record.error().message.contains(QStringLiteral("non è un file regolare")),
                 qPrintable(record.error().message));
    }
    QVERIFY(timer.elapsed() < 5000);
    QFile::remove(path);
    QVERIFY(writeFileBytes(path, QByteArray(kMaxRecordBytes + 1, ' ')));
    QVERIFY(failureMessage(readRecord(m_workbook)).contains(QStringLiteral("che può occupare")));
    QVERIFY(writeFileBytes(path, "File;Metodi\r\n"));
    QVERIFY(failureMessage(readRecord(m_workbook)).contains(QStringLiteral("non è leggibile")));
}

// Result files written under C and under Italian settings compare as if
// all had been written under the settings of the comparison.
void TestRecord::numbersReadUnderTheirSettings() {
    const QStringList entries{QStringLiteral("Regioni.xls.outMPI+.csv"),
                              QStringLiteral("Regioni.xls.outGRAD.csv")};
    const auto compare = [&](const Regional& mpi) {
        QVERIFY(processingOf(m_workbook, kProvince, mpi)->run(MethodPosition::MpiPositive));
        QVERIFY(processingOf(m_workbook, kProvince, kItalian)->run(MethodPosition::Ranks));
        const Expected<ComparisonRun> run = compareAndSave(m_workbook, entries, kItalian);
        QVERIFY2(run, qPrintable(failureMessage(run)));
        QVERIFY(run->notices.isEmpty());
    };
    compare(kItalian);
    const QByteArray italian = fileContents(valuesComparisonFile(m_workbook));
    compare(kC);
    const QByteArray written = fileContents(m_workbook + QStringLiteral(".outMPI+.csv"));
    QVERIFY(written.contains('.') && !written.contains(','));
    QCOMPARE(fileContents(valuesComparisonFile(m_workbook)), italian);
}

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
