#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "comparison/resultfilelisting.h"
#include "methods/metodi.h"
#include "shared/safefile.h"
#include "shared/textfile.h"
#include "support/testsupport.h"
#include "workflow/processing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The one writer of every output file: links planted at output names,
// temporary files of killed and of live runs, and libraries that write the
// temporary file themselves.
class TestSafeFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void plantedLinksAreReplaced();
    void abandonedTemporaryFilesGoLiveOnesStay();
    void libraryWritesUnderTheTemporaryName();
    void filesWrittenSideBySide();
    void boundedReadRefusesWhatItCannotBound();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList temporaryFiles() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
CellValue t(const char* text) {
    return CellValue(QString::fromUtf8(text));
}
} // namespace

void TestSafeFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QStringList TestSafeFile::temporaryFiles() const {
    return QDir(m_dir->path())
        .entryList({QStringLiteral(".*.orvalta-*")}, QDir::Files | QDir::Hidden | QDir::System);
}

void TestSafeFile::plantedLinksAreReplaced() {
    QTemporaryDir outside;
    const QString victim = outside.filePath(QStringLiteral("victim.txt"));
    const QString nowhere = outside.filePath(QStringLiteral("created.txt"));
    QVERIFY(writeFileBytes(victim, "mine"));
    const QStringList planted{path(QStringLiteral("w.xls.outMPI+.csv")),
                              path(QStringLiteral("w.xls.val.csv"))};
    for (const QString& name : planted)
        QVERIFY(QFile::link(victim, name));
    QVERIFY(QFile::link(nowhere, path(QStringLiteral("w.xls.outMPI+.rnk"))));

    const QString workbook = path(QStringLiteral("w.xls"));
    QVERIFY(writeFileBytes(workbook, "cartella"));
    const auto processing = processingOf(workbook,
                                         {{t("Provincia"), t("Reddito"), t("disoccupati")},
                                          {t("Alfa"), 30.0, 5.0},
                                          {t("Beta"), 10.0, 9.0},
                                          {t("Gamma"), 20.0, 7.0}},
                                         kItalian);
    for (const MethodPosition position : {MethodPosition::MpiPositive, MethodPosition::Ranks})
        QVERIFY(processing->run(position));
    const Expected<ComparisonResult> comparedRun =
        compareMethods(m_dir->path(), valuesResultFiles(workbook), kItalian);
    QVERIFY2(comparedRun, qPrintable(failureMessage(comparedRun)));
    const ComparisonResult& compared = *comparedRun;
    QCOMPARE(failureMessage(writeComparisonFiles(workbook, compared, kItalian)), QString());

    QCOMPARE(fileContents(victim), QByteArray("mine"));
    QVERIFY(!QFileInfo::exists(nowhere));
    for (const QString& name : planted + QStringList{path(QStringLiteral("w.xls.outMPI+.rnk"))}) {
        const QFileInfo replaced(name);
        QVERIFY2(replaced.isFile() && !replaced.isSymLink(), qPrintable(name));
        QVERIFY(fileContents(name).startsWith("Provincia;"));
    }
    QCOMPARE(temporaryFiles(), QStringList());
}

void TestSafeFile::abandonedTemporaryFilesGoLiveOnesStay() {
    const QString name = path(QStringLiteral("w.xls.outM1VZ.csv"));
    const QString abandoned = path(QStringLiteral(".w.xls.outM1VZ.csv.orvalta-dead01"));
    QVERIFY(writeFileBytes(abandoned, "killed"));
    QVERIFY(writeFileBytes(path(QStringLiteral("w.xls")), "cartella"));

    // Another run holding its temporary file, in this process or another:
    // the lock is per open file.
    SafeFile live(name);
    QVERIFY(live.open());
    QVERIFY(QFileInfo::exists(live.temporaryPath()));
    QVERIFY(QFileInfo(live.temporaryPath()).fileName().startsWith(u'.'));

    QCOMPARE(failureMessage(writeTextFile(name, {QStringLiteral("A;1")})), QString());
    QVERIFY(!QFileInfo::exists(abandoned));
    QVERIFY(QFileInfo::exists(live.temporaryPath()));
    // No listing of the workbook's files takes a temporary file.
    QCOMPARE(valuesResultFiles(path(QStringLiteral("w.xls"))),
             QStringList{QStringLiteral("w.xls.outM1VZ.csv")});

    QVERIFY(live.write("B;2\r\n"));
    QVERIFY(live.commit());
    QCOMPARE(fileContents(name), QByteArray("B;2\r\n"));
    QCOMPARE(temporaryFiles(), QStringList());
}

void TestSafeFile::libraryWritesUnderTheTemporaryName() {
    const QString name = path(QStringLiteral("w.xls.report.pdf"));
    // A library that removes what is at the name and writes a file of its own.
    const auto library = [](const QString& file, const QByteArray& bytes) {
        QFile::remove(file);
        return writeFileBytes(file, bytes);
    };
    {
        SafeFile file(name);
        QVERIFY(file.open());
        QVERIFY(library(file.temporaryPath(), "prima"));
        QVERIFY(file.commit());
    }
    QCOMPARE(fileContents(name), QByteArray("prima"));
    {
        SafeFile file(name);
        QVERIFY(file.open());
        QVERIFY(library(file.temporaryPath(), "a metà"));
        // Dropped without a commit, as when the library fails.
    }
    QCOMPARE(fileContents(name), QByteArray("prima"));
    QCOMPARE(temporaryFiles(), QStringList());
}

// Files written each on its own thread are put in place together or not at
// all, and report the failure the files written one after another would.
void TestSafeFile::filesWrittenSideBySide() {
    const QString first = path(QStringLiteral("a.csv"));
    const QString second = path(QStringLiteral("b.csv"));
    const QString third = path(QStringLiteral("c.csv"));
    const auto write = [&] {
        return failureMessage(
            writeTextFilesTogether({{first, TextLines(QStringList{"uno\r\ndue", "tre"})},
                                    {second, TextLines(QStringList{"x\ry\n"})},
                                    {third, TextLines(QStringList{})}}));
    };
    QCOMPARE(write(), QString());
    QCOMPARE(fileContents(first), QByteArray("uno due\r\ntre\r\n"));
    QCOMPARE(fileContents(second), QByteArray("x y \r\n"));
    QCOMPARE(fileContents(third), QByteArray());

    QVERIFY(writeFileBytes(first, "old") && writeFileBytes(third, "old"));
    QVERIFY(QFile::remove(second) && QDir(m_dir->path()).mkdir(QStringLiteral("b.csv")));
    const QString error = write();
    QVERIFY2(error.contains(QStringLiteral("b.csv")), qPrintable(error));
    QCOMPARE(fileContents(first), QByteArray("old"));
    QCOMPARE(fileContents(third), QByteArray("old"));
    QCOMPARE(temporaryFiles(), QStringList());
}

// A file read whole only when it is a regular file within its bound;
// nothing at the name is no file, and nothing is waited for.
void TestSafeFile::boundedReadRefusesWhatItCannotBound() {
    const QString file = path(QStringLiteral("record"));
    auto read = std::make_shared<Expected<std::optional<QByteArray>>>(std::nullopt);
    const auto readWithin = [&](qint64 maxBytes) {
        return finishesWithin(5000,
                              [read, file, maxBytes] { *read = readBoundedFile(file, maxBytes); });
    };
    QVERIFY(readWithin(10) && *read && !**read);
    QVERIFY(writeFileBytes(file, "0123456789"));
    QVERIFY(readWithin(10) && *read && **read == "0123456789");
    QVERIFY(readWithin(9) && !*read);
    QCOMPARE(read->error().message,
             "Il file " + file +
                 " non può essere letto: occupa 10 byte, più dei 9 che può occupare.");
    for (const SpecialFile kind : {SpecialFile::Pipe, SpecialFile::Device}) {
        QVERIFY(makeSpecialFile(file, kind));
        QVERIFY(readWithin(10) && !*read);
        QVERIFY2(read->error().message.endsWith(
                     "non è un file regolare (è un dispositivo, una pipe o un socket)."),
                 qPrintable(read->error().message));
    }
    QFile::remove(file);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("record")));
    QVERIFY(readWithin(10) && !*read && read->error().message.endsWith("è una cartella."));
}

QTEST_APPLESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
