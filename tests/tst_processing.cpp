#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "support/testsupport.h"
#include "workflow/processing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// The processing workflow: the result files of one method or of several,
// what a refusal, a failure to write and a cancellation leave on disk, and
// the order in which runAll reports.
class TestProcessing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void resultFiles_data();
    void resultFiles();
    void labelsReadBackByTheComparison();
    void refusalLeavesFilesAsTheyWere();
    void writeFailureLeavesFilesAsTheyWere();
    void runAllReportsInOrder();
    void writeFailureStopsRunAll();
    void cancellation();
    void failedLoadKeepsTheMatrix();

private:
    QString workbook() const { return m_dir->filePath(QStringLiteral("Regioni.xls")); }
    QString values(const char* code) const { return valuesResultFile(workbook(), code); }
    QString ranks(const char* code) const { return ranksResultFile(workbook(), code); }
    std::unique_ptr<Processing> processing(const Rows& rows, const Regional& regional) const {
        return processingOf(workbook(), rows, regional);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
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
                     {t("Città;Sud"), 20.0, 7.0}};

using Outcome = Expected<std::shared_ptr<const MethodRun>>;

// What runAll reported, in order: the code, then "written" (both files on
// disk, reported on the caller's thread) or the failure's message.
struct Reports {
    QStringList lines;
    Processing::Report recorder(const std::function<void()>& after = {}) {
        return [this, after](MethodPosition position, const Outcome& outcome) {
            QString line = methodAt(position).code + u' ';
            if (outcome) {
                const bool written = QFile::exists((*outcome)->valuesFile) &&
                                     QFile::exists((*outcome)->ranksFile) &&
                                     QThread::currentThread() == qApp->thread();
                line += written ? QStringLiteral("written") : QStringLiteral("NOT WRITTEN");
            } else {
                line += outcome.error().message;
            }
            lines.append(line);
            if (after)
                after();
        };
    }
};
} // namespace

void TestProcessing::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestProcessing::resultFiles_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<bool>("italian");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("valuesFile");
    QTest::addColumn<QByteArray>("ranksFile");

    // Reddito: 1, 0, 0.5; disoccupati (negative): 1, 0, 0.5. The label
    // holding ";" is quoted.
    QTest::newRow("INRE") << kProvince << true << 5
                          << QByteArray("Provincia;IR\r\nAlfa;1,0000\r\nBeta;0,0000\r\n"
                                        "\"Citt\xC3\xA0;Sud\";0,5000\r\n")
                          << QByteArray("Provincia;IR\r\nAlfa;1\r\nBeta;3\r\n"
                                        "\"Citt\xC3\xA0;Sud\";2\r\n");
    // Numeric labels in general form (2015, not 2015,0000); an empty corner
    // makes the header line begin with the separator.
    const Rows numeric{{CellValue(), t("Ind")}, {2015.0, 1.0}, {2016.5, 3.0}};
    QTest::newRow("numeric labels")
        << numeric << true << 4 << QByteArray(";Grad.RNK\r\n2015;0,0000\r\n2016,5;-0,2000\r\n")
        << QByteArray(";Grad.RNK\r\n2015;2\r\n2016,5;1\r\n");
    // Large and small numeric labels take the exponent letter E.
    const Rows exponents{{t("P"), t("Ind")}, {1e15, 1.0}, {-2.5e-7, 3.0}};
    QTest::newRow("exponents") << exponents << true << 4
                               << QByteArray("P;Grad.RNK\r\n1E+15;0,0000\r\n-2,5E-07;-0,2000\r\n")
                               << QByteArray("P;Grad.RNK\r\n1E+15;2\r\n-2,5E-07;1\r\n");
    QTest::newRow("exponents, C") << exponents << false << 4
                                  << QByteArray(
                                         "P;Grad.RNK\r\n1E+15;0.0000\r\n-2.5E-07;-0.2000\r\n")
                                  << QByteArray("P;Grad.RNK\r\n1E+15;2\r\n-2.5E-07;1\r\n");
    // Cells typed on several lines: each break is one space.
    QTest::newRow("line breaks") << Rows{{t("Pro\r\nvincia"), t("Red\ndito"), t("disoccupati")},
                                         {t("Alfa\nNord"), 30.0, 5.0},
                                         {t("Beta\rSud"), 10.0, 9.0},
                                         {t("Gamma\r\n\r\n"), 20.0, 7.0}}
                                 << true << 4
                                 << QByteArray("Pro vincia;Grad.RNK\r\nAlfa Nord;-0,0909\r\n"
                                               "Beta Sud;0,2727\r\nGamma  ;0,0909\r\n")
                                 << QByteArray("Pro vincia;Grad.RNK\r\nAlfa Nord;1\r\n"
                                               "Beta Sud;3\r\nGamma  ;2\r\n");
}

void TestProcessing::resultFiles() {
    QFETCH(Rows, rows);
    QFETCH(bool, italian);
    QFETCH(int, position);
    QFETCH(QByteArray, valuesFile);
    QFETCH(QByteArray, ranksFile);
    const auto work = processing(rows, italian ? kItalian : kC);
    const Outcome run = work->run(MethodPosition(position));
    QVERIFY2(run, qPrintable(failureMessage(run)));
    const QString code = methodAt(MethodPosition(position)).code;
    QCOMPARE((*run)->valuesFile, workbook() + ".out" + code + ".csv");
    QCOMPARE((*run)->ranksFile, workbook() + ".out" + code + ".rnk");
    QCOMPARE(fileContents((*run)->valuesFile), valuesFile);
    QCOMPARE(fileContents((*run)->ranksFile), ranksFile);
}

void TestProcessing::labelsReadBackByTheComparison() {
    const auto work = processing({{t("Pro\r\nvincia"), t("Reddito"), t("disoccupati")},
                                  {t("Alfa\nNord"), 30.0, 5.0},
                                  {t("Beta\rSud"), 10.0, 9.0},
                                  {t("Gamma\r\n\r\n"), 20.0, 7.0}},
                                 kItalian);
    QVERIFY(work->runAll({MethodPosition::StandardizedMean, MethodPosition::Ranks},
                         Reports().recorder()));
    const Expected<ComparisonResult> comparedRun =
        compareMethods(m_dir->path(), valuesResultFiles(workbook()), kItalian);
    QVERIFY2(comparedRun, qPrintable(failureMessage(comparedRun)));
    const ComparisonResult& compared = *comparedRun;
    QCOMPARE(failureMessage(writeComparisonFiles(workbook(), compared, kItalian)), QString());
    QCOMPARE(fileContents(workbook() + ".rnk.csv"),
             QByteArray("Pro vincia;Grad.RNK;M1Z\r\nAlfa Nord;1;1\r\nBeta Sud;3;3\r\n"
                        "Gamma  ;2;2\r\n"));
}

void TestProcessing::refusalLeavesFilesAsTheyWere() {
    const auto work =
        processing({{t("P"), t("A"), t("B")}, {t("a"), -1.0, 2.0}, {t("b"), 3.0, 4.0}}, kItalian);
    QVERIFY(work->run(MethodPosition::StandardizedMean));
    const QByteArray earlier = fileContents(values("M1VZ"));
    QVERIFY(QFile::copy(values("M1VZ"), values("M0NI")));
    for (const MethodPosition position :
         {MethodPosition::IndexNumbersArithmetic, MethodPosition::IndexNumbersGeometric,
          MethodPosition::IndexNumbersQuadratic}) {
        const Outcome run = work->run(position);
        QVERIFY(!run);
        QVERIFY(run.error().kind == FailureKind::MethodRefused);
    }
    QCOMPARE(work->run(MethodPosition::IndexNumbersGeometric).error().message.section(u'\n', 0, 0),
             QStringLiteral("GNIM - Il metodo non prevede valori negativi o nulli"));
    QVERIFY(!QFile::exists(values("M1NI")));
    QVERIFY(!QFile::exists(ranks("M0NI")));
    QCOMPARE(fileContents(values("M0NI")), earlier);
}

void TestProcessing::writeFailureLeavesFilesAsTheyWere() {
    QVERIFY(processing(kProvince, kItalian)->run(MethodPosition::MpiPositive));
    const QByteArray earlier = fileContents(values("MPI+"));

    // The ranks file's name is taken by a folder: neither file changes.
    QVERIFY(QFile::remove(ranks("MPI+")));
    QVERIFY(QDir().mkdir(ranks("MPI+")));
    const auto other = processing({{t("Provincia"), t("Reddito"), t("disoccupati")},
                                   {t("Alfa"), 1.0, 2.0},
                                   {t("Beta"), 3.0, 1.0}},
                                  kItalian);
    const Outcome run = other->run(MethodPosition::MpiPositive);
    QVERIFY(!run);
    QVERIFY(run.error().kind == FailureKind::File);
    QVERIFY2(run.error().message.contains(QStringLiteral("Regioni.xls.outMPI+.rnk")),
             qPrintable(run.error().message));
    QCOMPARE(fileContents(values("MPI+")), earlier);
    QVERIFY(QFileInfo(ranks("MPI+")).isDir());

    // A folder that does not exist.
    const Outcome missing =
        processingOf(m_dir->filePath(QStringLiteral("manca/Regioni.xls")), kProvince, kItalian)
            ->run(MethodPosition::StandardizedMean);
    QVERIFY(!missing);
    QVERIFY(missing.error().kind == FailureKind::File);
    QVERIFY(missing.error().message.startsWith(QStringLiteral("Impossibile scrivere il file")));
}

void TestProcessing::runAllReportsInOrder() {
    // A zero on a positive indicator: only the geometric mean refuses it,
    // and the methods after it go on.
    Rows rows = kProvince;
    rows[2][1] = 0.0;
    const auto work = processing(rows, kItalian);
    std::vector<MethodPosition> positions;
    QStringList expected;
    for (int position = 8; position >= 0; --position) {
        positions.push_back(MethodPosition(position));
        expected.append(methodCodes()[position] +
                        (position == 7 ? " GNIM - Il metodo non prevede valori negativi o nulli\n"
                                         "Prima cella: B3 (Beta, Reddito), valore 0."
                                       : " written"));
    }
    Reports reports;
    WorkProgress progress;
    QVERIFY(work->runAll(positions, reports.recorder(), &progress));
    QCOMPARE(reports.lines, expected);
    QCOMPARE(progress.step(), QStringLiteral("Metodo 9 di 9: MPI+"));
    // Two files for each method that ran, and the record.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 17);
}

void TestProcessing::writeFailureStopsRunAll() {
    QVERIFY(QDir().mkdir(ranks("WROC")));
    const auto work = processing(kProvince, kItalian);
    Reports reports;
    const Status status =
        work->runAll({MethodPosition::MpiPositive, MethodPosition::Wroclaw, MethodPosition::Ranks},
                     reports.recorder());
    QVERIFY(!status);
    QVERIFY(status.error().kind == FailureKind::File);
    QVERIFY2(status.error().message.contains(QStringLiteral("Regioni.xls.outWROC.rnk")),
             qPrintable(status.error().message));
    QCOMPARE(reports.lines, QStringList({"MPI+ written", "WROC " + status.error().message}));
    QVERIFY(!QFile::exists(values("WROC")));
    QVERIFY(!QFile::exists(values("GRAD")));
}

void TestProcessing::cancellation() {
    const std::vector<MethodPosition> positions{MethodPosition::MpiPositive,
                                                MethodPosition::Wroclaw, MethodPosition::Ranks};
    const auto work = processing(kProvince, kItalian);
    WorkProgress cancelled;
    cancelled.cancel();
    Reports none;
    Status status = work->runAll(positions, none.recorder(), &cancelled);
    QVERIFY(!status);
    QVERIFY(status.error().kind == FailureKind::Cancelled);
    QCOMPARE(status.error().message, QStringLiteral("Elaborazione annullata."));
    QCOMPARE(none.lines, QStringList());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());

    // Cancelled when the first method is reported: the second is under way
    // by then, and its files are finished; the third never runs.
    WorkProgress progress;
    Reports reports;
    status =
        work->runAll(positions, reports.recorder([&progress] { progress.cancel(); }), &progress);
    QVERIFY(!status);
    QVERIFY(status.error().kind == FailureKind::Cancelled);
    QCOMPARE(reports.lines, QStringList({"MPI+ written", "WROC written"}));
    QCOMPARE(progress.step(), QStringLiteral("Metodo 2 di 3: WROC"));
    QVERIFY(!QFile::exists(values("GRAD")));
}

void TestProcessing::failedLoadKeepsTheMatrix() {
    Processing work(kItalian);
    const QString sample = QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx");
    QVERIFY(work.load(sample));
    QCOMPARE(work.workbook(), QFileInfo(sample).absoluteFilePath());
    QCOMPARE(work.matrix().unitCount(), 20);
    QCOMPARE(work.matrix().indicatorCount(), 8);
    const Status failed = work.load(m_dir->filePath(QStringLiteral("manca.xls")));
    QVERIFY(!failed);
    QVERIFY(failed.error().kind == FailureKind::File);
    QVERIFY2(failed.error().message.contains(QStringLiteral("non esiste")),
             qPrintable(failed.error().message));
    QCOMPARE(work.workbook(), QFileInfo(sample).absoluteFilePath());
    QCOMPARE(work.matrix().unitCount(), 20);
}

QTEST_GUILESS_MAIN(TestProcessing)
#include "tst_processing.moc"
