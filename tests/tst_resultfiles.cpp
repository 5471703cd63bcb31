#include "support/testsupport.h"

#include "comparison/resultfilelisting.h"
#include "comparison/resultfilereader.h"
#include "shared/textdecoding.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestResultFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsOnlyThisWorkbooksValuesFiles();
    void listingOfMissingFolderIsEmpty();
    void ranksFileFor_data();
    void ranksFileFor();
    void readLines_data();
    void readLines();
    void missingFile();
    void refusedAtOnce_data();
    void refusedAtOnce();
    void validUtf8_data();
    void validUtf8();
};

void TestResultFiles::listsOnlyThisWorkbooksValuesFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Wildcard characters in the workbook's name must match only themselves.
    const QString workbook = QStringLiteral("w[1]*.xls");
    const QStringList listed = {
        workbook + QStringLiteral(".outWROC.csv"), workbook + QStringLiteral(".outGRAD.csv"),
        workbook + QStringLiteral(".outMPI-.csv"), workbook + QStringLiteral(".outMPI+.csv"),
        workbook + QStringLiteral(".outM1NI.csv"),
    };
    const QStringList notListed = {
        workbook + QStringLiteral(".outGRAD.rnk"), // ranks result file
        workbook + QStringLiteral(".val.csv"),     // comparison files
        workbook + QStringLiteral(".rnk.csv"),
        QStringLiteral("w1abc.xls.outGRAD.csv"),  // what the name read as a pattern matches
        QStringLiteral("w[1]*.xlsx.outGRAD.csv"), // another workbook
        QStringLiteral("xw[1]*.xls.outGRAD.csv"),
        workbook + QStringLiteral(".outGRAD.csv.bak"),
        workbook,
    };
    for (const QString& name : listed + notListed)
        QVERIFY(writeFileBytes(dir.filePath(name), QByteArrayLiteral("Provincia;IR\r\n")));
    QVERIFY(QDir(dir.path()).mkdir(workbook + QStringLiteral(".outDIR.csv")));

    QCOMPARE(valuesResultFiles(dir.filePath(workbook)),
             (QStringList{workbook + QStringLiteral(".outGRAD.csv"),
                          workbook + QStringLiteral(".outM1NI.csv"),
                          workbook + QStringLiteral(".outMPI+.csv"),
                          workbook + QStringLiteral(".outMPI-.csv"),
                          workbook + QStringLiteral(".outWROC.csv")}));
}

void TestResultFiles::listingOfMissingFolderIsEmpty() {
    QTemporaryDir dir;
    QVERIFY(valuesResultFiles(dir.filePath(QStringLiteral("manca/w.xls"))).isEmpty());
}

void TestResultFiles::ranksFileFor_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    QTest::newRow("method code") << QStringLiteral("Regioni.xls.outGRAD.csv")
                                 << QStringLiteral("Regioni.xls.outGRAD.rnk");
    QTest::newRow("csv inside the name")
        << QStringLiteral("a.csv.xls.outMPI+.csv") << QStringLiteral("a.csv.xls.outMPI+.rnk");
}

void TestResultFiles::ranksFileFor() {
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QCOMPARE(::ranksFileFor(entry), expected);
}

void TestResultFiles::readLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("CR LF") << QByteArrayLiteral("Provincia;IR\r\nAlfa;0,1234\r\n")
                           << QStringList{QStringLiteral("Provincia"), QStringLiteral("Alfa")}
                           << QStringList{QStringLiteral("IR"), QStringLiteral("0,1234")};
    QTest::newRow("LF, no final line end")
        << QByteArrayLiteral("Provincia;IR\nAlfa;1\nBeta;2")
        << QStringList{QStringLiteral("Provincia"), QStringLiteral("Alfa"), QStringLiteral("Beta")}
        << QStringList{QStringLiteral("IR"), QStringLiteral("1"), QStringLiteral("2")};
    QTest::newRow("label with semicolon, written before quoting")
        << QByteArrayLiteral("Zona;IR\r\nTrento;Bolzano;1.234,5678\r\n")
        << QStringList{QStringLiteral("Zona"), QStringLiteral("Trento;Bolzano")}
        << QStringList{QStringLiteral("IR"), QStringLiteral("1.234,5678")};
    QTest::newRow("quoted labels")
        << QByteArrayLiteral("\"Zona;2019\";IR\r\n\"Trento;Bolzano\";93,0813\r\n"
                             "\"\"\"x\"\";y\";1\r\n\"Citt\xE0\";2\r\n")
        << QStringList{QStringLiteral("Zona;2019"), QStringLiteral("Trento;Bolzano"),
                       QStringLiteral("\"x\";y"), QString::fromUtf8("Città")}
        << QStringList{QStringLiteral("IR"), QStringLiteral("93,0813"), QStringLiteral("1"),
                       QStringLiteral("2")};
    // Before quoting, a label beginning with a quote was written as it is.
    QTest::newRow("leading quote, written before quoting")
        << QByteArrayLiteral("\"x\";y;5\r\n\"open;6\r\n")
        << QStringList{QStringLiteral("\"x\";y"), QStringLiteral("\"open")}
        << QStringList{QStringLiteral("5"), QStringLiteral("6")};
    QTest::newRow("empty corner") << QByteArrayLiteral(";Grad.RNK") << QStringList{QString()}
                                  << QStringList{QStringLiteral("Grad.RNK")};
    QTest::newRow("no separator") << QByteArrayLiteral("Alfa;\r\nBeta")
                                  << QStringList{QStringLiteral("Alfa"), QString()}
                                  << QStringList{QString(), QStringLiteral("Beta")};
    QTest::newRow("UTF-8") << QByteArrayLiteral("Citt\xC3\xA0;\xE2\x82\xAC\r\n")
                           << QStringList{QString::fromUtf8("Città")}
                           << QStringList{QString::fromUtf8("€")};
    QTest::newRow("Windows-1252") << QByteArrayLiteral(
                                         "Citt\xE0 \x80;\x8A\x9F\r\nForl\xEC-Ces\xE8na;\x81\r\n")
                                  << QStringList{QString::fromUtf8("Città €"),
                                                 QString::fromUtf8("Forlì-Cesèna")}
                                  << QStringList{QString::fromUtf8("ŠŸ"), QString(QChar(0x81))};
    QTest::newRow("lines decoded one by one")
        << QByteArrayLiteral("Citt\xC3\xA0;1\r\nCitt\xE0;2\r\n")
        << QStringList{QString::fromUtf8("Città"), QString::fromUtf8("Città")}
        << QStringList{QStringLiteral("1"), QStringLiteral("2")};
    QTest::newRow("overlong UTF-8 is Windows-1252")
        << QByteArrayLiteral("\xC0\xAF;1") << QStringList{QString::fromUtf8("À¯")}
        << QStringList{QStringLiteral("1")};
    QTest::newRow("byte-order mark dropped")
        << QByteArrayLiteral("\xEF\xBB\xBFProvincia;IR\r\n")
        << QStringList{QStringLiteral("Provincia")} << QStringList{QStringLiteral("IR")};
    QTest::newRow("blank line kept")
        << QByteArrayLiteral("a;1\r\n\r\nb;2\r\n")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}
        << QStringList{QStringLiteral("1"), QString(), QStringLiteral("2")};
    QTest::newRow("empty file") << QByteArray() << QStringList() << QStringList();
}

void TestResultFiles::readLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, values);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.xls.outIR.csv"));
    QVERIFY(writeFileBytes(path, bytes));
    const ResultFileContent content = readResultFile(path, ResultFileBounds{}, true);
    QCOMPARE(content.status, ResultFileContent::Status::Read);
    // The hash is of the file's bytes, not of the lines as unquoted in place.
    QCOMPARE(content.sha256, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    QStringList readLabels;
    QStringList readValues;
    for (qsizetype i = 0; i < content.lineCount(); ++i) {
        readLabels.append(content.label(i));
        readValues.append(content.value(i));
    }
    QCOMPARE(readLabels, labels);
    QCOMPARE(readValues, values);
}

void TestResultFiles::missingFile() {
    QTemporaryDir dir;
    QCOMPARE(readResultFile(dir.filePath(QStringLiteral("manca.csv")), ResultFileBounds{}).status,
             ResultFileContent::Status::Missing);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cartella.csv")));
    QCOMPARE(
        readResultFile(dir.filePath(QStringLiteral("cartella.csv")), ResultFileBounds{}).status,
        ResultFileContent::Status::Missing);
}

// What no run of the program writes is refused before it is read whole:
// special files at once, without waiting on them; a file larger than its
// lines can make before any byte is read; a line longer than its fields
// can make as soon as the reading gets to it. Fields here take up to a
// number's 1024 bytes, so a line up to 2050.
void TestResultFiles::refusedAtOnce_data() {
    QTest::addColumn<QByteArray>("bytes"); // null: a special file
    QTest::addColumn<int>("special");      // SpecialFile, for a special file
    QTest::addColumn<bool>("table");
    QTest::addColumn<QString>("cause");

    QTest::newRow("pipe") << QByteArray() << int(SpecialFile::Pipe) << false
                          << QStringLiteral("non è un file regolare");
    QTest::newRow("link to a device") << QByteArray() << int(SpecialFile::Device) << false
                                      << QStringLiteral("non è un file regolare");
    QTest::newRow("larger than 3 lines make")
        << QByteArray("a;1\r\n") + QByteArray(7000, 'x') << 0 << false
        << QStringLiteral("il file occupa 7005 byte, più di quanto il programma ne scriva in 3 "
                          "righe (6153 byte al massimo)");
    QTest::newRow("line longer than its fields make")
        << QByteArray("a;1\r\n") + QByteArray(2100, 'x') + ";1\r\n"
        << 0 << false
        << QStringLiteral("la riga 2 è più lunga di quanto il programma scriva (2050 byte al "
                          "massimo)");
    // A table's lines are bounded by its first: two fields.
    QTest::newRow("table line beyond its header")
        << QByteArray("a;b\r\n") + QByteArray(2100, ';') << 0 << true
        << QStringLiteral("la riga 2 è più lunga");
    QTest::newRow("more lines than a sheet has rows")
        << QByteArray(kSheetMaxRows + 1, '\n') << 0 << false
        << QStringLiteral("il file ha più righe di quante un foglio ne abbia (1048576)");
    // More lines than the bound counts, but short: read, for the caller to
    // tell how many it has.
    QTest::newRow("10 short lines within the bytes of 3")
        << QByteArray("a;1\r\n").repeated(10) << 0 << false << QString();
}

void TestResultFiles::refusedAtOnce() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, special);
    QFETCH(bool, table);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.xls.outIR.csv"));
    if (bytes.isNull())
        QVERIFY(makeSpecialFile(path, SpecialFile(special)));
    else
        QVERIFY(writeFileBytes(path, bytes));
    ResultFileBounds bounds;
    bounds.fieldBytes = kMaxNumberFieldBytes;
    bounds.lines = bytes.size() > kSheetMaxRows ? kSheetMaxRows : 3;
    if (table) {
        bounds.shape = ResultFileBounds::Shape::Table;
        bounds.fields = kMaxTableFields;
    }
    const ResultFileContent content = readResultFile(path, bounds);
    if (cause.isEmpty()) {
        QCOMPARE(content.status, ResultFileContent::Status::Read);
        QCOMPARE(content.lineCount(), 10);
        return;
    }
    QCOMPARE(content.status, ResultFileContent::Status::Unreadable);
    QVERIFY2(content.error.contains(cause), qPrintable(content.error));
    QCOMPARE(probeResultFile(path).status, bytes.isNull() ? ResultFileContent::Status::Unreadable
                                                          : ResultFileContent::Status::Read);
}

void TestResultFiles::validUtf8_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ASCII") << QByteArrayLiteral("Alfa;1") << true;
    QTest::newRow("two bytes") << QByteArrayLiteral("\xC3\xA8") << true;
    QTest::newRow("three bytes") << QByteArrayLiteral("\xE2\x82\xAC") << true;
    QTest::newRow("four bytes") << QByteArrayLiteral("\xF0\x9F\x98\x80") << true;
    QTest::newRow("largest code point") << QByteArrayLiteral("\xF4\x8F\xBF\xBF") << true;
    QTest::newRow("Windows-1252 letter") << QByteArrayLiteral("\xE8") << false;
    QTest::newRow("truncated at the end") << QByteArrayLiteral("a\xE2\x82") << false;
    QTest::newRow("truncated inside") << QByteArrayLiteral("\xE2\x82;") << false;
    QTest::newRow("lone continuation") << QByteArrayLiteral("\x80") << false;
    QTest::newRow("overlong two bytes") << QByteArrayLiteral("\xC1\xBF") << false;
    QTest::newRow("overlong three bytes") << QByteArrayLiteral("\xE0\x9F\xBF") << false;
    QTest::newRow("overlong four bytes") << QByteArrayLiteral("\xF0\x8F\xBF\xBF") << false;
    QTest::newRow("surrogate") << QByteArrayLiteral("\xED\xA0\x80") << false;
    QTest::newRow("above U+10FFFF") << QByteArrayLiteral("\xF4\x90\x80\x80") << false;
    QTest::newRow("F5 lead") << QByteArrayLiteral("\xF5\x80\x80\x80") << false;
}

void TestResultFiles::validUtf8() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(isValidUtf8(bytes), valid);
}

QTEST_APPLESS_MAIN(TestResultFiles)
#include "tst_resultfiles.moc"
