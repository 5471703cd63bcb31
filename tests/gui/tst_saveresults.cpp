#include "saveresults.h"
#include "shared/resultnames.h"
#include "support/scratchmount.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestSaveResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void listsByNamePrefix_data();
    void listsByNamePrefix();
    void copiesAndReplaces();
    void linkAtDestinationIsReplaced();
    void sameFolderCopiesNothing_data();
    void sameFolderCopiesNothing();
    void failedCopyIsReported();
    void copyOnFullDiskKeepsEarlierCopy();
    void missingDestination();

private:
    QString source(const QString& name) const { return m_source->filePath(name); }
    QString dest(const QString& name) const { return m_dest->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_source;
    std::unique_ptr<QTemporaryDir> m_dest;
};

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

void TestSaveResults::init() {
    m_source = std::make_unique<QTemporaryDir>();
    m_dest = std::make_unique<QTemporaryDir>();
    QVERIFY(m_source->isValid() && m_dest->isValid());
}

void TestSaveResults::listsByNamePrefix_data() {
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("results and comparisons")
        << "Regioni.xls"
        << QStringList{"Regioni.xls",
                       "Regioni.xls.outGRAD.csv",
                       "Regioni.xls.outGRAD.rnk",
                       "Regioni.xls.val.csv",
                       "Regioni.xlsx",
                       "regioni.xls.outWROC.csv",
                       "Altro.xls",
                       "Regioni.xl"}
        << QStringList{"Regioni.xls", "Regioni.xls.outGRAD.csv", "Regioni.xls.outGRAD.rnk",
                       "Regioni.xls.val.csv", "Regioni.xlsx"};
    QTest::newRow("wildcards in the name")
        << "dati[1]*.xls"
        << QStringList{"dati[1]*.xls", "dati[1]*.xls.outMPI+.csv", "dati1.xls", "datiX.xls",
                       "dati[1]a.xls"}
        << QStringList{"dati[1]*.xls", "dati[1]*.xls.outMPI+.csv"};
    QTest::newRow("temporary files of the safe writer")
        << "w.xls" << QStringList{"w.xls", "w.xls.outM1VZ.csv", ".w.xls.outM1VZ.csv.orvalta-dead01"}
        << QStringList{"w.xls", "w.xls.outM1VZ.csv"};
    QTest::newRow("hidden workbook")
        << ".nascosta.xls" << QStringList{".nascosta.xls", ".nascosta.xls.outM1NI.rnk"}
        << QStringList{".nascosta.xls", ".nascosta.xls.outM1NI.rnk"};
}

void TestSaveResults::listsByNamePrefix() {
    QFETCH(QString, workbook);
    QFETCH(QStringList, present);
    QFETCH(QStringList, listed);
    for (const QString& name : present)
        write(source(name), name.toUtf8());
    QVERIFY(QDir().mkdir(source(workbook + ".cartella"))); // folders are not files
    QCOMPARE(filesToSave(source(workbook)), listed);
}

void TestSaveResults::copiesAndReplaces() {
    // The export, the report and a chart under the names the save dialogs
    // propose go with the rest.
    const QString exported = resultsWorkbookFileName("m.xls");
    const QString report = reportFileName("m.xls");
    const QString chart = chartFileName("m.xls", ChartFile::Scatter);
    for (const QString& name :
         {QString("m.xls"), QString("m.xls.outWROC.csv"), QString("m.xls.outWROC.rnk"),
          QString("n.xls"), exported, report, chart})
        write(source(name), "nuovo " + name.toUtf8());
    write(dest("m.xls.outWROC.csv"), "vecchio");
    write(dest("n.xls"), "di un'altra matrice");

    const SaveOutcome outcome = saveResults(source("m.xls"), m_dest->path());
    QCOMPARE(outcome.status, SaveOutcome::Status::Copied);
    QVERIFY(outcome.complete());
    QCOMPARE(outcome.copied, (QStringList{"m.xls", chart, "m.xls.outWROC.csv", "m.xls.outWROC.rnk",
                                          report, exported}));
    QCOMPARE(read(dest(report)), "nuovo " + report.toUtf8());
    QCOMPARE(read(dest("m.xls")), QByteArray("nuovo m.xls"));
    QCOMPARE(read(dest("m.xls.outWROC.csv")), QByteArray("nuovo m.xls.outWROC.csv"));
    QCOMPARE(read(dest("n.xls")), QByteArray("di un'altra matrice"));
}

void TestSaveResults::linkAtDestinationIsReplaced() {
    QTemporaryDir outside;
    const QString victim = outside.filePath("victim.txt");
    write(victim, "mine");
    write(source("w.xls"), "cartella");
    write(source("w.xls.outMPI+.csv"), "Provincia;MPI+");
    QVERIFY(QFile::link(victim, dest("w.xls.outMPI+.csv")));

    QVERIFY(saveResults(source("w.xls"), m_dest->path()).complete());
    QCOMPARE(read(victim), QByteArray("mine"));
    QVERIFY(!QFileInfo(dest("w.xls.outMPI+.csv")).isSymLink());
    QCOMPARE(read(dest("w.xls.outMPI+.csv")), QByteArray("Provincia;MPI+"));
}

void TestSaveResults::sameFolderCopiesNothing_data() {
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("same path") << false;
    QTest::newRow("through a link") << true;
}

void TestSaveResults::sameFolderCopiesNothing() {
    QFETCH(bool, throughLink);
    write(source("m.xls"), "cartella di lavoro");
    write(source("m.xls.outGRAD.csv"), "risultati");
    QString destination = m_source->path();
    if (throughLink) {
        destination = dest("collegamento");
        QVERIFY(QFile::link(m_source->path(), destination));
    }
    const SaveOutcome outcome = saveResults(source("m.xls"), destination);
    QCOMPARE(outcome.status, SaveOutcome::Status::SameFolder);
    QVERIFY(outcome.copied.isEmpty());
    QCOMPARE(read(source("m.xls")), QByteArray("cartella di lavoro"));
    QCOMPARE(read(source("m.xls.outGRAD.csv")), QByteArray("risultati"));
}

void TestSaveResults::failedCopyIsReported() {
    write(source("m.xls"), "cartella di lavoro");
    write(source("m.xls.outGRAD.csv"), "valori");
    write(source("m.xls.outGRAD.rnk"), "ranghi");
    // A folder in the destination holds the name of one file.
    QVERIFY(QDir().mkdir(dest("m.xls.outGRAD.csv")));

    const SaveOutcome outcome = saveResults(source("m.xls"), m_dest->path());
    QCOMPARE(outcome.status, SaveOutcome::Status::Partial);
    QVERIFY(!outcome.complete());
    QCOMPARE(outcome.failures.size(), std::size_t(1));
    QCOMPARE(outcome.failures[0].fileName, QStringLiteral("m.xls.outGRAD.csv"));
    QVERIFY(!outcome.failures[0].reason.isEmpty());
    // The other files are copied all the same.
    QCOMPARE(outcome.copied, (QStringList{"m.xls", "m.xls.outGRAD.rnk"}));
    QCOMPARE(read(dest("m.xls.outGRAD.rnk")), QByteArray("ranghi"));
}

void TestSaveResults::copyOnFullDiskKeepsEarlierCopy() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("mounting a tmpfs needs root");
    write(source("m.xls"), "cartella di lavoro");
    write(source("m.xls.outGRAD.csv"), QByteArray(64 * 1024, 'x'));
    write(disk.filePath("m.xls.outGRAD.csv"), "copia precedente");
    QVERIFY(disk.fill());

    const SaveOutcome outcome = saveResults(source("m.xls"), disk.path());
    QCOMPARE(outcome.status, SaveOutcome::Status::Partial);
    QCOMPARE(outcome.failures.size(), std::size_t(2));
    QCOMPARE(outcome.failures[1].fileName, QStringLiteral("m.xls.outGRAD.csv"));
    QVERIFY2(outcome.failures[1].reason.contains(QStringLiteral("disco")),
             qPrintable(outcome.failures[1].reason));
    QCOMPARE(read(disk.filePath("m.xls.outGRAD.csv")), QByteArray("copia precedente"));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"m.xls.outGRAD.csv", "riempitivo.bin"}));
}

void TestSaveResults::missingDestination() {
    write(source("m.xls"), "cartella di lavoro");
    const SaveOutcome outcome = saveResults(source("m.xls"), dest("non/esiste"));
    QCOMPARE(outcome.status, SaveOutcome::Status::Partial);
    QCOMPARE(outcome.failures.size(), std::size_t(1));
    QVERIFY(outcome.failures[0].reason.contains(QStringLiteral("non esiste")));

    QCOMPARE(saveResults(QString(), m_dest->path()).status, SaveOutcome::Status::NoWorkbook);
}

QTEST_MAIN(TestSaveResults)
#include "tst_saveresults.moc"
