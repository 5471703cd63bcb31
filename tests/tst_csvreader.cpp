#include "support/testsupport.h"
#include "workbook/csv/csvparser.h"
#include "workbook/csv/csvreader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Delimited text: splitting into fields, the delimiter told by the first
// records, and the reader (encodings, numbers under the regional settings,
// failures) on hand-made files (fixtures/csv, make_fixtures.py).
class TestCsvReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fields_data();
    void fields();
    void delimiter_data();
    void delimiter();
    void cells_data();
    void cells();
    void failures_data();
    void failures();
    void rowsWithinHeader();
};

namespace {

const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const Regional kC{QLocale::c()};

// The records as "field|field" lines, fields at their row and column.
class Records : public CsvFieldSink {
public:
    bool field(qint64 row, qint64 col, std::string_view text) override {
        while (lines.size() < row)
            lines.append(QString());
        QString& line = lines[row - 1];
        if (col > 1)
            line += u'|';
        line += QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        return true;
    }
    QStringList lines;
};

CellValue text(const char* value) {
    return CellValue(QString::fromUtf8(value));
}

} // namespace

void TestCsvReader::fields_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("line ends") << QByteArray("a;b\r\nc;d\ne;f\rg;h")
                               << QStringList{"a|b", "c|d", "e|f", "g|h"};
    QTest::newRow("trailing line end") << QByteArray("a;b\r\n") << QStringList{"a|b"};
    QTest::newRow("blank line inside") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"};
    QTest::newRow("quotes") << QByteArray("\"a;b\";\"say \"\"hi\"\"\";\"x\ny\";\"\"\n")
                            << QStringList{"a;b|say \"hi\"|x\ny|"};
    QTest::newRow("quote inside a bare field")
        << QByteArray("5\" pollici;b") << QStringList{"5\" pollici|b"};
    QTest::newRow("text after the closing quote")
        << QByteArray("\"ab\"c;d") << QStringList{"abc|d"};
    QTest::newRow("delimiter at the end") << QByteArray("a;\nb;") << QStringList{"a|", "b|"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestCsvReader::fields() {
    QFETCH(QByteArray, input);
    QFETCH(QStringList, records);
    Records sink;
    CsvStop stop;
    QVERIFY(parseCsv(input, ';', 100, sink, &stop));
    QCOMPARE(sink.lines, records);
}

void TestCsvReader::delimiter_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<char>("delimiter");
    QTest::newRow("semicolons, decimal commas")
        << QByteArray("Regione;PIL;occupati\nPiemonte;31,2;70,1\nLiguria;31,9;68,3\n") << ';';
    QTest::newRow("commas, decimal commas quoted")
        << QByteArray("Regione,PIL,occupati\nPiemonte,\"31,2\",\"70,1\"\n") << ',';
    QTest::newRow("tabs") << QByteArray("A\tB\tC\nx\t1,5\t2\n") << '\t';
    QTest::newRow("commas, a semicolon quoted") << QByteArray("A,B\n\"x;y\",1\n\"z;w\",2\n") << ',';
    QTest::newRow("semicolons, commas in names")
        << QByteArray("Unità;Reddito, euro;Quota, %\nx;1;2\n") << ';';
    QTest::newRow("one column") << QByteArray("A\nx\n") << ';';
}

void TestCsvReader::delimiter() {
    QFETCH(QByteArray, input);
    QFETCH(char, delimiter);
    QCOMPARE(sniffCsvDelimiter(input), delimiter);
}

void TestCsvReader::cells_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("italian");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<CellValue>("expected");
    const auto add = [](const char* what, const char* file, bool italian, int row, int col,
                        const CellValue& expected) {
        QTest::newRow(what) << fixture(QStringLiteral("csv/") + QString::fromUtf8(file)) << italian
                            << row << col << expected;
    };
    add("Windows-1252 name", "cp1252.csv", true, 1, 2, text("Reddito €"));
    add("Windows-1252 label", "cp1252.csv", true, 3, 1, text("Sant’Angelo"));
    add("CR line ends", "cp1252.csv", true, 3, 2, 17.25);
    add("decimal comma under C stays text", "cp1252.csv", false, 2, 2, text("18,5"));
    add("byte-order mark dropped", "bom.tsv", false, 1, 1, text("Unità"));
    add("label with a line break", "bom.tsv", false, 2, 1, text("Valle d'Aosta\r\nVallée d'Aoste"));
    add("doubled quotes", "bom.tsv", false, 3, 1, text("Il \"Nord\""));
    add("exponent", "bom.tsv", false, 3, 2, -25.0);
    add("spaces around a number", "bom.tsv", false, 3, 3, 0.0);
    add("trailing empty line", "bom.tsv", false, 4, 1, CellValue());
    add("corner stays text", "virgole.txt", true, 1, 1, text("007"));
    add("label stays text", "virgole.txt", true, 3, 1, text("2024"));
    add("quoted comma in a label", "virgole.txt", true, 2, 1, text("Bolzano, Bozen"));
    add("quoted decimal comma", "virgole.txt", true, 2, 2, 101.5);
    add("no final line end", "virgole.txt", true, 3, 3, 0.75);
}

void TestCsvReader::cells() {
    QFETCH(QString, file);
    QFETCH(bool, italian);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(CellValue, expected);
    CsvReader reader(italian ? kItalian : kC);
    VERIFY_DONE(reader.open(file));
    COMPARE_CELL(reader.cell(row, col), expected);
}

void TestCsvReader::failures_data() {
    QTest::addColumn<QByteArray>("content"); // written to a file, or a fixture's name
    QTest::addColumn<qint64>("maxCells");
    QTest::addColumn<QString>("message");
    QTest::newRow("quote never closed")
        << QByteArray("aperte.csv") << kMaxWorkbookCells
        << QStringLiteral("Il file aperte.csv non è un testo delimitato valido: il campo alla "
                          "riga 2, colonna 2 apre le virgolette senza chiuderle.");
    QTest::newRow("UTF-16") << QByteArray("utf16.csv") << kMaxWorkbookCells
                            << QStringLiteral("Il file utf16.csv è un testo in codifica UTF-16, "
                                              "non supportata: salvarlo di nuovo come testo CSV "
                                              "in UTF-8.");
    QTest::newRow("text too long")
        << QByteArray("A;B\nx;" + QByteArray(32768, 'y') + "\n") << kMaxWorkbookCells
        << QStringLiteral("Il file dati.csv non può essere letto: il campo alla riga 2, colonna 2 "
                          "contiene un testo di più di 32.767 caratteri.");
    QTest::newRow("text too long, Windows-1252")
        << QByteArray("A;\xE8\n" + QByteArray(32768, '\xE8')) << kMaxWorkbookCells
        << QStringLiteral("Il file dati.csv non può essere letto: il campo alla riga 2, colonna 1 "
                          "contiene un testo di più di 32.767 caratteri.");
    QTest::newRow("cells") << QByteArray("A;B\nx;1\ny;2\n") << qint64(5)
                           << QStringLiteral("Il file dati.csv non può essere letto: il primo "
                                             "foglio contiene più di 5 celle non vuote.");
    QTest::newRow("columns") << QByteArray("A" + QByteArray(16384, ';') + "x\n")
                             << kMaxWorkbookCells
                             << QStringLiteral("Il file dati.csv non può essere letto: la riga 1 "
                                               "contiene più di 16.384 campi.");
    // Found at the next row, or at the end of the text.
    QTest::newRow("row wider than the header")
        << QByteArray("U,A,B\nU1,1,5,2\nU2,2,6\n") << kMaxWorkbookCells
        << QStringLiteral("Il file dati.csv non è una tabella valida: la riga 2 ha 4 campi, più "
                          "dei 3 dell'intestazione (riga 1): i valori in più non sono di alcuna "
                          "colonna.");
    QTest::newRow("last row wider than the header")
        << QByteArray("U;A;B\nU1;1;5\nU2;1;5;;7") << kMaxWorkbookCells
        << QStringLiteral("Il file dati.csv non è una tabella valida: la riga 3 ha 5 campi, più "
                          "dei 3 dell'intestazione (riga 1): i valori in più non sono di alcuna "
                          "colonna.");
}

// Empty fields at the end of a row are no values, and the rows below the
// matrix (after a row without a label) are not its rows.
void TestCsvReader::rowsWithinHeader() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dati.csv"));
    QVERIFY(writeFileBytes(path, "U,A,B,\nU1,1,5,,\nU2,2,6\n\nFonte: a, b, c, d\n"));
    CsvReader reader(kC);
    VERIFY_DONE(reader.open(path));
    COMPARE_CELL(reader.cell(2, 3), CellValue(5.0));
}

void TestCsvReader::failures() {
    QFETCH(QByteArray, content);
    QFETCH(qint64, maxCells);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QString path = fixture(QStringLiteral("csv/") + QString::fromLatin1(content));
    if (!QFile::exists(path)) {
        path = dir.filePath(QStringLiteral("dati.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    CsvReader reader(kItalian);
    WorkbookLimits limits;
    limits.maxCells = maxCells;
    reader.setLimits(limits);
    QCOMPARE(failureMessage(reader.open(path)), message);
}

QTEST_APPLESS_MAIN(TestCsvReader)
#include "tst_csvreader.moc"
