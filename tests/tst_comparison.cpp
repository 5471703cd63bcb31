#include "comparison/comparison.h"
#include "comparison/comparisonfiles.h"
#include "support/testsupport.h"
#include "workflow/comparisonrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestComparison : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void threeMethodsSideBySide();
    void ranksWithLeadingZerosReadAsNumbers();
    void labelsWithSemicolonsAndEmptyCorner();
    void secondRunWithFewerMethodsRewritesFiles();
    void cancelledComparisonWritesNothing();
    void inconsistentFilesRefused_data();
    void inconsistentFilesRefused();
    void oversizedLaterFileRefused();
    void windows1252ResultFile();
    void unwritableComparisonFile_data();
    void unwritableComparisonFile();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QString strMatrice() const { return path(QStringLiteral("w.xls")); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // The values and ranks result files of one method of the workbook
    // w.xls, as the methods write them.
    void writeMethod(const QString& code, const QString& header, const QStringList& values,
                     const QStringList& ranks) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_corner;
    QStringList m_labels;
};

namespace {
const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};

QString entry(const char* code) {
    return QStringLiteral("w.xls.out") + QString::fromUtf8(code) + QStringLiteral(".csv");
}

QStringList entries(std::initializer_list<const char*> codes) {
    QStringList list;
    for (const char* code : codes)
        list.append(entry(code));
    return list;
}

QByteArray crlf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}
} // namespace

void TestComparison::write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray TestComparison::read(const QString& name) const {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void TestComparison::writeMethod(const QString& code, const QString& header,
                                 const QStringList& values, const QStringList& ranks) const {
    QStringList valueLines{m_corner + u';' + header};
    QStringList rankLines{m_corner + u';' + header};
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        valueLines.append(m_labels[i] + u';' + values[i]);
        rankLines.append(m_labels[i] + u';' + ranks[i]);
    }
    write(QStringLiteral("w.xls.out") + code + QStringLiteral(".csv"), crlf(valueLines));
    write(QStringLiteral("w.xls.out") + code + QStringLiteral(".rnk"), crlf(rankLines));
}

// Three methods over four units, Italian number texts.
void TestComparison::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_corner = QStringLiteral("Provincia");
    m_labels = QStringList{QStringLiteral("Alfa"), QStringLiteral("Beta"), QStringLiteral("Gamma"),
                           QStringLiteral("Delta")};
    writeMethod(
        QStringLiteral("MPI+"), QStringLiteral("MPI+"),
        {QStringLiteral("102,3456"), QStringLiteral("97,6544"), QStringLiteral("99,0000"),
         QStringLiteral("1.234,5678")},
        {QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("1")});
    writeMethod(
        QStringLiteral("WROC"), QStringLiteral("Wroclaw"),
        {QStringLiteral("0,4567"), QStringLiteral("0,5123"), QStringLiteral("0,3000"),
         QStringLiteral("0,9000")},
        {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("4")});
    writeMethod(
        QStringLiteral("GRAD"), QStringLiteral("Grad.RNK"),
        {QStringLiteral("1,5000"), QStringLiteral("3,0000"), QStringLiteral("2,0000"),
         QStringLiteral("4,5000")},
        {QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("4")});
}

void TestComparison::threeMethodsSideBySide() {
    const Expected<ComparisonResult> resultRun =
        compareMethods(m_dir->path(), entries({"MPI+", "WROC", "GRAD"}), kItalian);
    QVERIFY2(resultRun, qPrintable(failureMessage(resultRun)));
    const ComparisonResult& result = *resultRun;
    const QStringList values{QStringLiteral("Provincia;MPI+;Wroclaw;Grad.RNK"),
                             QStringLiteral("Alfa;102,3456;0,4567;1,5000"),
                             QStringLiteral("Beta;97,6544;0,5123;3,0000"),
                             QStringLiteral("Gamma;99,0000;0,3000;2,0000"),
                             QStringLiteral("Delta;1.234,5678;0,9000;4,5000")};
    const QStringList ranks{QStringLiteral("Provincia;MPI+;Wroclaw;Grad.RNK"),
                            QStringLiteral("Alfa;2;2;1"), QStringLiteral("Beta;4;3;3"),
                            QStringLiteral("Gamma;3;1;2"), QStringLiteral("Delta;1;4;4")};
    QCOMPARE(result.corner(), QStringLiteral("Provincia"));
    QCOMPARE(result.label(3), QStringLiteral("Delta"));
    QCOMPARE(result.headers(), (QStringList{"MPI+", "Wroclaw", "Grad.RNK"}));
    // The values as the numbers their texts read as, grouped or not.
    QCOMPARE(result.methods[0].values, (std::vector<double>{102.3456, 97.6544, 99.0, 1234.5678}));
    QCOMPARE(result.methods[1].ranks, (std::vector<int>{2, 3, 1, 4}));
    // MPI+ against Wroclaw: S = 14, 1 - 84/60; against Grad.RNK: S = 12;
    // Wroclaw against Grad.RNK: S = 2.
    QCOMPARE(coefficientTable(result.cograduation, kItalian).joinedRows(),
             (QStringList{QStringLiteral(";MPI+;Wroclaw;Grad.RNK"), QStringLiteral("MPI+;1,0000;;"),
                          QStringLiteral("Wroclaw;-0,4000;1,0000;"),
                          QStringLiteral("Grad.RNK;-0,2000;0,8000;1,0000")}));

    QCOMPARE(failureMessage(writeComparisonFiles(strMatrice(), result, kItalian)), QString());
    QCOMPARE(read(QStringLiteral("w.xls.val.csv")), crlf(values));
    QCOMPARE(read(QStringLiteral("w.xls.rnk.csv")), crlf(ranks));
}

void TestComparison::ranksWithLeadingZerosReadAsNumbers() {
    writeMethod(
        QStringLiteral("GRAD"), QStringLiteral("Grad.RNK"),
        {QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("4")},
        {QStringLiteral("01"), QStringLiteral("3"), QStringLiteral("002"), QStringLiteral("4")});
    const Expected<ComparisonResult> resultRun =
        compareMethods(m_dir->path(), entries({"MPI+", "GRAD"}), kItalian);
    QVERIFY2(resultRun, qPrintable(failureMessage(resultRun)));
    const ComparisonResult& result = *resultRun;
    QCOMPARE(result.methods[1].ranks, (std::vector<int>{1, 3, 2, 4}));
    QCOMPARE(result.cograduation.at(1, 0), -0.2);
    QCOMPARE(failureMessage(writeComparisonFiles(strMatrice(), result, kItalian)), QString());
    QVERIFY(read(QStringLiteral("w.xls.rnk.csv")).contains("Gamma;3;2\r\n"));
}

void TestComparison::labelsWithSemicolonsAndEmptyCorner() {
    m_corner = QString();
    m_labels = QStringList{QStringLiteral("Trentino;Alto Adige"), QStringLiteral("Friuli;VG"),
                           QStringLiteral("Lazio")};
    writeMethod(QStringLiteral("M1NI"), QStringLiteral("ANIM"),
                {QStringLiteral("101,0000"), QStringLiteral("99,5000"), QStringLiteral("99,5000")},
                {QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2")});
    writeMethod(QStringLiteral("M0NI"), QStringLiteral("GNIM"),
                {QStringLiteral("100,9000"), QStringLiteral("99,6000"), QStringLiteral("99,4000")},
                {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    const Expected<ComparisonResult> resultRun =
        compareMethods(m_dir->path(), entries({"M1NI", "M0NI"}), kItalian);
    QVERIFY2(resultRun, qPrintable(failureMessage(resultRun)));
    const ComparisonResult& result = *resultRun;
    QCOMPARE(result.corner(), QString());
    QCOMPARE(result.label(0), QStringLiteral("Trentino;Alto Adige"));
    QCOMPARE(failureMessage(writeComparisonFiles(strMatrice(), result, kItalian)), QString());
    // Read from files written before quoting; the comparison files quote
    // them, so that every line has as many fields as the header.
    QCOMPARE(read(QStringLiteral("w.xls.val.csv")),
             QByteArrayLiteral(";ANIM;GNIM\r\n\"Trentino;Alto Adige\";101,0000;100,9000\r\n"
                               "\"Friuli;VG\";99,5000;99,6000\r\nLazio;99,5000;99,4000\r\n"));
    QCOMPARE(read(QStringLiteral("w.xls.rnk.csv")),
             QByteArrayLiteral(";ANIM;GNIM\r\n\"Trentino;Alto Adige\";1;1\r\n\"Friuli;VG\";3;2\r\n"
                               "Lazio;2;3\r\n"));
}

// Annulla pressed while the files are read: no comparison file is written.
void TestComparison::cancelledComparisonWritesNothing() {
    WorkProgress progress;
    progress.cancel();
    const Expected<ComparisonRun> run = compareAndSave(
        path(QStringLiteral("w.xls")), entries({"MPI+", "GRAD"}), kItalian, &progress);
    QVERIFY(!run);
    QVERIFY(run.error().kind == FailureKind::Cancelled);
    QVERIFY(!QFile::exists(path(QStringLiteral("w.xls.val.csv"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("w.xls.rnk.csv"))));
}

void TestComparison::secondRunWithFewerMethodsRewritesFiles() {
    const Expected<ComparisonResult> firstRun =
        compareMethods(m_dir->path(), entries({"MPI+", "WROC", "GRAD"}), kItalian);
    QVERIFY(firstRun);
    const ComparisonResult& first = *firstRun;
    QCOMPARE(failureMessage(writeComparisonFiles(strMatrice(), first, kItalian)), QString());
    // Under other settings: the numbers of the Italian texts, written as
    // those settings write them.
    const Regional c{QLocale::c()};
    const Expected<ComparisonResult> secondRun =
        compareMethods(m_dir->path(), entries({"GRAD", "MPI+"}), c);
    QVERIFY2(secondRun, qPrintable(failureMessage(secondRun)));
    const ComparisonResult& second = *secondRun;
    QCOMPARE(coefficientTable(second.cograduation, c).joinedRows(),
             (QStringList{QStringLiteral(";Grad.RNK;MPI+"), QStringLiteral("Grad.RNK;1.0000;"),
                          QStringLiteral("MPI+;-0.2000;1.0000")}));
    QCOMPARE(failureMessage(writeComparisonFiles(strMatrice(), second, c)), QString());
    QCOMPARE(read(QStringLiteral("w.xls.val.csv")),
             QByteArrayLiteral("Provincia;Grad.RNK;MPI+\r\nAlfa;1.5000;102.3456\r\n"
                               "Beta;3.0000;97.6544\r\nGamma;2.0000;99.0000\r\n"
                               "Delta;4.5000;1,234.5678\r\n"));
    QCOMPARE(read(QStringLiteral("w.xls.rnk.csv")),
             QByteArrayLiteral("Provincia;Grad.RNK;MPI+\r\nAlfa;1;2\r\nBeta;3;4\r\nGamma;2;3\r\n"
                               "Delta;4;1\r\n"));
}

void TestComparison::inconsistentFilesRefused_data() {
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // null: the file is removed
    QTest::addColumn<QString>("message");

    const QStringList three = entries({"MPI+", "WROC", "GRAD"});
    const QString again = QStringLiteral(": eseguire di nuovo i metodi.");
    // A refusal that asks to run the methods again.
    auto rerun = [&](const char* text) -> QString { return QString::fromUtf8(text) + again; };
    const QString wroc = QStringLiteral("w.xls.outWROC.csv");
    const QString wrocRanks = QStringLiteral("w.xls.outWROC.rnk");
    const QString gradRanks = QStringLiteral("w.xls.outGRAD.rnk");
    const QString mpi = QStringLiteral("w.xls.outMPI+.csv");
    const QByteArray wrocValues = "Provincia;Wroclaw\r\nAlfa;0,4567\r\nBeta;0,5123\r\n"
                                  "Gamma;0,3000\r\nDelta;0,9000\r\n";
    auto ranksOf = [](const char* header, const char* a, const char* b, const char* c,
                      const char* d) -> QByteArray {
        return QByteArray("Provincia;") + header + "\r\nAlfa;" + a + "\r\nBeta;" + b +
               "\r\nGamma;" + c + "\r\nDelta;" + d + "\r\n";
    };
    auto rankRefused = [&](int line, const QString& file) -> QString {
        return QStringLiteral("La riga %1 del file %2 non contiene un rango intero da 1 a 4")
                   .arg(QString::number(line), file) +
               again;
    };

    QTest::newRow("one method") << entries({"MPI+"}) << QString() << QByteArray()
                                << QStringLiteral("Selezionare almeno due metodi da confrontare.");
    QTest::newRow("not a values file")
        << QStringList{mpi, wrocRanks} << QString() << QByteArray()
        << QStringLiteral("Il file w.xls.outWROC.rnk non è un file dei valori: il nome deve "
                          "terminare con \"csv\".");
    QTest::newRow("values file missing")
        << three << QStringLiteral("w.xls.outGRAD.csv") << QByteArray()
        << QStringLiteral("Il file dei valori w.xls.outGRAD.csv non esiste.");
    QTest::newRow("ranks file missing")
        << three << wrocRanks << QByteArray()
        << QStringLiteral("Il file dei ranghi w.xls.outWROC.rnk non esiste: eseguire di nuovo "
                          "il metodo.");
    const QString tooShort = QStringLiteral("Il file w.xls.outMPI+.csv deve contenere una riga di "
                                            "intestazione e almeno due unità.");
    QTest::newRow("one unit") << three << mpi << QByteArray("Provincia;MPI+\r\nAlfa;102,3456\r\n")
                              << tooShort;
    QTest::newRow("empty first file") << three << mpi << QByteArray("") << tooShort;
    QTest::newRow("later method with one unit more")
        << three << wroc << QByteArray(wrocValues + "Epsilon;0,1000\r\n")
        << rerun("Il file w.xls.outWROC.csv ha 6 righe, mentre w.xls.outMPI+.csv ne "
                 "ha 5");
    QTest::newRow("ranks file shorter")
        << three << wrocRanks << QByteArray("Provincia;Wroclaw\r\nAlfa;2\r\nBeta;3\r\nGamma;1\r\n")
        << rerun("Il file w.xls.outWROC.rnk ha 4 righe, mentre w.xls.outWROC.csv ne "
                 "ha 5");
    QTest::newRow("ranks file longer")
        << three << wrocRanks
        << QByteArray(ranksOf("Wroclaw", "2", "3", "1", "4") + "Epsilon;5\r\n")
        << rerun("Il file w.xls.outWROC.rnk ha 6 righe, mentre w.xls.outWROC.csv ne "
                 "ha 5");
    QTest::newRow("line without separator")
        << three << wroc << QByteArray(wrocValues).replace("Beta;", "Beta ")
        << rerun("La riga 3 del file w.xls.outWROC.csv non contiene il separatore "
                 "\";\"");
    QTest::newRow("other units") << three << wroc
                                 << QByteArray(wrocValues).replace("Gamma", "Epsilon")
                                 << rerun(
                                        "Il file w.xls.outWROC.csv non contiene le stesse unità di "
                                        "w.xls.outMPI+.csv (riga 4)");
    QTest::newRow("same units in another order")
        << three << wroc
        << QByteArray("Provincia;Wroclaw\r\nAlfa;0,4567\r\nGamma;0,3000\r\nBeta;0,5123\r\n"
                      "Delta;0,9000\r\n")
        << rerun("Il file w.xls.outWROC.csv non contiene le stesse unità di "
                 "w.xls.outMPI+.csv (riga 3)");
    QTest::newRow("other corner label")
        << three << wroc << QByteArray(wrocValues).replace("Provincia", "Regione")
        << rerun("Il file w.xls.outWROC.csv non contiene le stesse unità di "
                 "w.xls.outMPI+.csv (riga 1)");
    QTest::newRow("ranks of other units than values")
        << three << wrocRanks << ranksOf("Wroclaw", "2", "3", "1", "4").replace("Alfa", "Alpha")
        << rerun("Il file w.xls.outWROC.rnk non contiene le stesse unità di "
                 "w.xls.outWROC.csv (riga 2)");
    QTest::newRow("ranks header differs")
        << three << wrocRanks << ranksOf("IR", "2", "3", "1", "4")
        << rerun("Il file w.xls.outWROC.rnk non ha la stessa intestazione di "
                 "w.xls.outWROC.csv");
    QTest::newRow("rank zero") << three << gradRanks << ranksOf("Grad.RNK", "0", "3", "2", "4")
                               << rankRefused(2, gradRanks);
    QTest::newRow("rank above n") << three << gradRanks << ranksOf("Grad.RNK", "1", "3", "2", "5")
                                  << rankRefused(5, gradRanks);
    QTest::newRow("rank with decimals")
        << three << gradRanks << ranksOf("Grad.RNK", "1", "3.0", "2", "4")
        << rankRefused(3, gradRanks);
    QTest::newRow("rank not a number")
        << three << gradRanks << ranksOf("Grad.RNK", "1", "tre", "2", "4")
        << rankRefused(3, gradRanks);
    QTest::newRow("rank empty") << three << gradRanks << ranksOf("Grad.RNK", "1", "3", "", "4")
                                << rankRefused(4, gradRanks);
    QTest::newRow("rank twice")
        << three << gradRanks << ranksOf("Grad.RNK", "1", "3", "3", "4")
        << rerun("Il rango 3 compare due volte nel file w.xls.outGRAD.rnk (righe 3 e "
                 "4)");
    // Values and ranks of two different runs.
    auto otherRun = [](const char* code, const char* method) -> QString {
        return QStringLiteral("I ranghi del file w.xls.out%1.rnk non corrispondono ai valori del "
                              "file w.xls.out%1.csv (i due file vengono da elaborazioni "
                              "diverse): eseguire di nuovo il metodo %2.")
            .arg(QString::fromUtf8(code), QString::fromUtf8(method));
    };
    QTest::newRow("new values beside old ranks")
        << three << wroc << QByteArray(wrocValues).replace("0,9000", "0,1000")
        << otherRun("WROC", "WROC");
    QTest::newRow("ranks in the other direction")
        << three << QStringLiteral("w.xls.outMPI+.rnk") << ranksOf("MPI+", "3", "1", "2", "4")
        << otherRun("MPI+", "MPI+");
    QTest::newRow("tie given to the earlier unit")
        << three << QStringLiteral("w.xls.outGRAD.csv")
        << QByteArray("Provincia;Grad.RNK\r\nAlfa;1,0000\r\nBeta;3,0000\r\nGamma;1,0000\r\n"
                      "Delta;4,0000\r\n")
        << otherRun("GRAD", "GRAD");
    QTest::newRow("first method's rank twice")
        << three << QStringLiteral("w.xls.outMPI+.rnk") << ranksOf("MPI+", "2", "2", "3", "1")
        << rerun("Il rango 2 compare due volte nel file w.xls.outMPI+.rnk (righe 2 e "
                 "3)");
}

void TestComparison::inconsistentFilesRefused() {
    QFETCH(QStringList, selected);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    // The comparison files of an earlier run.
    QCOMPARE(failureMessage(writeComparisonFiles(
                 strMatrice(), *compareMethods(m_dir->path(), entries({"WROC", "MPI+"}), kItalian),
                 kItalian)),
             QString());
    const QByteArray earlierValues = read(QStringLiteral("w.xls.val.csv"));
    const QByteArray earlierRanks = read(QStringLiteral("w.xls.rnk.csv"));
    QVERIFY(!earlierValues.isEmpty() && !earlierRanks.isEmpty());

    if (!file.isEmpty()) {
        if (content.isNull())
            QVERIFY(QFile::remove(path(file)));
        else
            write(file, content);
    }
    const Expected<ComparisonResult> result = compareMethods(m_dir->path(), selected, kItalian);
    QVERIFY(!result);
    QCOMPARE(result.error().kind, FailureKind::File);
    QCOMPARE(result.error().message, message);
    QCOMPARE(read(QStringLiteral("w.xls.val.csv")), earlierValues);
    QCOMPARE(read(QStringLiteral("w.xls.rnk.csv")), earlierRanks);
}

// A later method's file may not be larger than the first values file's
// lines make: 5 lines of two fields of up to 98,303 bytes and CR LF, and a
// byte-order mark, 983,043 bytes.
void TestComparison::oversizedLaterFileRefused() {
    write(QStringLiteral("w.xls.outWROC.csv"),
          "Provincia;Wroclaw\r\n" + QByteArray(1000000, 'x') + ";1\r\n");
    const Expected<ComparisonResult> result =
        compareMethods(m_dir->path(), entries({"MPI+", "WROC", "GRAD"}), kItalian);
    QVERIFY(!result);
    QCOMPARE(result.error().message,
             QStringLiteral("Impossibile leggere il file w.xls.outWROC.csv: il file occupa "
                            "1000023 byte, più di quanto il programma ne scriva in 5 righe "
                            "(983043 byte al massimo)."));
}

// A method run by an older Windows installation left its files in
// Windows-1252; the labels still match those of a UTF-8 file.
void TestComparison::windows1252ResultFile() {
    write(QStringLiteral("w.xls.outIR.csv"),
          QByteArrayLiteral("Citt\xE0;IR\r\nForl\xEC-Cesena;101,5000\r\nSant'Elp\xEC"
                            "dio \x80;98,5000\r\n"));
    write(QStringLiteral("w.xls.outIR.rnk"),
          QByteArrayLiteral("Citt\xE0;IR\r\nForl\xEC-Cesena;1\r\nSant'Elp\xEC"
                            "dio \x80;2\r\n"));
    m_corner = QString::fromUtf8("Città");
    m_labels = QStringList{QString::fromUtf8("Forlì-Cesena"), QString::fromUtf8("Sant'Elpìdio €")};
    writeMethod(QStringLiteral("M1VZ"), QStringLiteral("M1Z"),
                {QStringLiteral("-0,5000"), QStringLiteral("0,5000")},
                {QStringLiteral("2"), QStringLiteral("1")});

    for (const QStringList& selected : {entries({"M1VZ", "IR"}), entries({"IR", "M1VZ"})}) {
        const Expected<ComparisonResult> resultRun =
            compareMethods(m_dir->path(), selected, kItalian);
        QVERIFY2(resultRun, qPrintable(failureMessage(resultRun)));
        const ComparisonResult& result = *resultRun;
        QCOMPARE(result.corner(), QString::fromUtf8("Città"));
        QCOMPARE(result.label(1), QString::fromUtf8("Sant'Elpìdio €"));
        QCOMPARE(result.cograduation.at(1, 0), -1.0);
    }
    const Expected<ComparisonResult> resultRun =
        compareMethods(m_dir->path(), entries({"IR", "M1VZ"}), kItalian);
    QVERIFY(resultRun);
    const ComparisonResult& result = *resultRun;
    QCOMPARE(failureMessage(writeComparisonFiles(strMatrice(), result, kItalian)), QString());
    QCOMPARE(read(QStringLiteral("w.xls.val.csv")),
             QByteArrayLiteral("Citt\xC3\xA0;IR;M1Z\r\nForl\xC3\xAC-Cesena;101,5000;-0,5000\r\n"
                               "Sant'Elp\xC3\xAC"
                               "dio \xE2\x82\xAC;98,5000;0,5000\r\n"));
}

void TestComparison::unwritableComparisonFile_data() {
    QTest::addColumn<QString>("blocked");   // the comparison file a folder stands in for
    QTest::addColumn<QString>("untouched"); // the other comparison file, written earlier
    QTest::newRow("folder named like the ranks file")
        << QStringLiteral("w.xls.rnk.csv") << QStringLiteral("w.xls.val.csv");
    QTest::newRow("folder named like the values file")
        << QStringLiteral("w.xls.val.csv") << QStringLiteral("w.xls.rnk.csv");
}

void TestComparison::unwritableComparisonFile() {
    QFETCH(QString, blocked);
    QFETCH(QString, untouched);
    QCOMPARE(failureMessage(writeComparisonFiles(
                 strMatrice(), *compareMethods(m_dir->path(), entries({"WROC", "MPI+"}), kItalian),
                 kItalian)),
             QString());
    const QByteArray earlier = read(untouched);
    QVERIFY(QFile::remove(path(blocked)));
    QVERIFY(QDir(m_dir->path()).mkdir(blocked));

    const Expected<ComparisonResult> resultRun =
        compareMethods(m_dir->path(), entries({"MPI+", "WROC", "GRAD"}), kItalian);
    QVERIFY2(resultRun, qPrintable(failureMessage(resultRun)));
    const ComparisonResult& result = *resultRun;
    QCOMPARE(failureMessage(writeComparisonFiles(strMatrice(), result, kItalian)),
             QStringLiteral("Impossibile scrivere il file %1: esiste una cartella con lo stesso "
                            "nome.")
                 .arg(QDir::toNativeSeparators(path(blocked))));
    QCOMPARE(read(untouched), earlier);
    QVERIFY(QFileInfo(path(blocked)).isDir());

    // A workbook path under a folder that does not exist: reported, nothing
    // created.
    const QString missing = path(QStringLiteral("manca"));
    QCOMPARE(
        failureMessage(writeComparisonFiles(missing + QStringLiteral("/w.xls"), result, kItalian)),
        QStringLiteral("Impossibile scrivere il file %1: la cartella %2 non esiste.")
            .arg(QDir::toNativeSeparators(missing + QStringLiteral("/w.xls.val.csv")),
                 QDir::toNativeSeparators(missing)));
    QVERIFY(!QFileInfo::exists(missing));
}

QTEST_APPLESS_MAIN(TestComparison)
#include "tst_comparison.moc"
