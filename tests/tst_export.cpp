#include "support/resultsfixture.h"
#include "support/scratchmount.h"
#include "support/testsupport.h"

#include "comparison/resultfilereader.h"
#include "export/resultscollection.h"
#include "export/resultsworkbook.h"
#include "export/xlsxstyles.h"
#include "export/xlsxworkbookwriter.h"
#include "methods/metodi.h"
#include "methods/resultfiles.h"
#include "record/outputrecorder.h"
#include "record/record.h"
#include "robustness/analysisorigins.h"
#include "robustness/kendall.h"
#include "shared/resultnames.h"
#include "workbook/caricamatrice.h"
#include "workbook/xlsx/xlsxreader.h"
#include "workflow/methodcoherence.h"
#include "workflow/montecarlorun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// The results workbook read back with the program's own .xlsx reader: the
// source matrix on the first sheet, every number of the result and
// comparison files on the others.
class TestExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void workbookHoldsEveryResult();
    void structureSheetAndGroupColumns();
    void delimitedTables();
    void auditSheet();
    void monteCarloSheets();
    void kendallOnlyWithTheRankSummary();
    void filesThatDoNotFitAreLeftOut_data();
    void filesThatDoNotFitAreLeftOut();
    void analysesFitByMethodsAndReference();
    void unwritableDestination();
    void fullDiskLeavesNothing();
    void cellsReadBackAsWritten();
    void textsReadBackAsWritten_data();
    void textsReadBackAsWritten();
    void stylesAreConsistent();

private:
    // The sheet at position index of the exported workbook.
    static XlsxReader* sheet(const QString& path, int index);

    const Regional m_regional{QLocale(QLocale::Italian, QLocale::Italy)};
    std::unique_ptr<QTemporaryDir> m_dir;
    SampleResults m_sample;
    QString m_path;
};

XlsxReader* TestExport::sheet(const QString& path, int index) {
    static XlsxReader reader;
    reader.setSheetIndex(index);
    return reader.open(path) ? &reader : nullptr;
}

void TestExport::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_sample = sampleWithResults(m_dir->path(), m_regional);
    QVERIFY(m_sample.processing);
    m_path = m_sample.processing->workbook();
}

void TestExport::workbookHoldsEveryResult() {
    const Matrix& source = m_sample.processing->matrix();
    QVERIFY(writeRobustnessFiles(m_path, source, m_regional));

    // M2NI ran last: its results come from memory, in full precision.
    const MethodRun& m2ni = *m_sample.last;
    const ResultsCollection results =
        collectResults(m_path, source, m_regional, MethodInMemory{m2ni.position, &m2ni.output});
    QVERIFY2(results.warnings.isEmpty(), qPrintable(results.warnings.join(u'\n')));
    const QString out = m_dir->filePath(QStringLiteral("risultati.xlsx"));
    QCOMPARE(failureMessage(writeResultsWorkbook(out, results)), QString());

    // "Dati" reads back as the same source matrix.
    const Expected<Matrix> back = carica_matrice(out, m_regional);
    QVERIFY(back);
    QCOMPARE(back->corner, source.corner);
    QCOMPARE(back->units, source.units);
    QCOMPARE(back->indicators, source.indicators);
    QCOMPARE(back->values, source.values);

    // One sheet per method, in list order: label, value, rank.
    const auto& methods = methodTable();
    for (std::size_t i = 0; i < methods.size(); ++i) {
        const QString code = methods[i].code;
        const XlsxReader* reader = sheet(out, int(i) + 1);
        QVERIFY2(reader, qPrintable(code));
        const ResultFileContent values =
            readResultFile(valuesResultFile(m_path, code), ResultFileBounds{});
        const ResultFileContent ranks =
            readResultFile(ranksResultFile(m_path, code), ResultFileBounds{});
        COMPARE_CELL(reader->cell(1, 2), CellValue(values.value(0)));
        for (int r = 2; r <= source.unitCount() + 1; ++r) {
            COMPARE_CELL(reader->cell(r, 1), CellValue(values.label(r - 1)));
            const CellValue value = reader->cell(r, 2);
            QVERIFY(value.isNumber());
            if (code == QLatin1String("M2NI"))
                QCOMPARE(value.number(), m2ni.output.index[std::size_t(r - 2)]);
            else
                QCOMPARE(m_regional.indexText(value.number()), values.value(r - 1));
            COMPARE_CELL(reader->cell(r, 3), CellValue(ranks.value(r - 1).toDouble()));
        }
        // The transformed matrix only for the method in memory.
        QCOMPARE(reader->cell(2, 6).isNumber(), code == QLatin1String("M2NI"));
    }

    // "Confronto": the comparison files' numbers, then the Spearman matrix.
    const XlsxReader* confronto = sheet(out, int(methods.size()) + 1);
    QVERIFY(confronto);
    const ResultFileBounds bounds =
        boundsForMatrix(m_sample.processing->matrix(), ResultFileBounds::Shape::Table);
    const auto valRead =
        readDelimitedTable(m_path + QStringLiteral(".val.csv"), m_regional, bounds);
    const auto rnkRead =
        readDelimitedTable(m_path + QStringLiteral(".rnk.csv"), m_regional, bounds);
    QVERIFY(valRead && *valRead && rnkRead && *rnkRead);
    const std::optional<DelimitedTable>& val = *valRead;
    const std::optional<DelimitedTable>& rnk = *rnkRead;
    const int n = val->columnCount();
    for (int r = 0; r < val->rowCount(); ++r)
        for (int k = 0; k < n; ++k) {
            COMPARE_CELL(confronto->cell(r + 2, k + 2), CellValue(val->number(r, k)));
            COMPARE_CELL(confronto->cell(r + 2, n + 3 + k), CellValue(rnk->number(r, k)));
        }
    const int matrix = 2 * n + 4; // the Spearman matrix's header column
    COMPARE_CELL(confronto->cell(1, matrix), CellValue(QStringLiteral("Spearman")));
    for (int j = 0; j < n; ++j)
        for (int k = 0; k < n; ++k) {
            const CellValue rho = confronto->cell(j + 2, matrix + 1 + k);
            QCOMPARE(rho.isNumber(), k <= j);
            if (k <= j)
                QCOMPARE(rho.number(), results.comparison->cograduation[std::size_t(j * n + k)]);
        }
    QVERIFY(qAbs(confronto->cell(3, matrix + 1).number()) < 1.0);

    // Kendall's matrix below it, from the same rankings.
    const int kendall = n + 3; // its title row
    COMPARE_CELL(confronto->cell(kendall, matrix), CellValue(QStringLiteral("Kendall")));
    for (int j = 0; j < n; ++j)
        for (int k = 0; k < n; ++k) {
            const CellValue tau = confronto->cell(kendall + 1 + j, matrix + 1 + k);
            QCOMPARE(tau.isNumber(), k <= j);
            if (k > j)
                continue;
            std::vector<int> a, b;
            for (int r = 0; r < rnk->rowCount(); ++r) {
                a.push_back(int(rnk->number(r, j)));
                b.push_back(int(rnk->number(r, k)));
            }
            QCOMPARE(tau.number(), KendallCoefficient(a, b).value());
        }

    // "Robustezza", "Sensibilità GRAD", "Incertezza" after it: numbers as
    // numbers, texts as texts; nothing more.
    const int last = int(methods.size()) + 4;
    const XlsxReader* incertezza = sheet(out, last);
    QVERIFY(incertezza);
    COMPARE_CELL(incertezza->cell(3, 3), CellValue(2.5));
    const XlsxReader* sensibilita = sheet(out, last - 1);
    QVERIFY(sensibilita);
    COMPARE_CELL(sensibilita->cell(2, 3), CellValue(-1.0));
    COMPARE_CELL(sensibilita->cell(2, source.indicatorCount() + 4),
                 CellValue(m_regional.generalText(source.indicators.front())));
    QVERIFY(!sheet(out, last + 1));
}

// With a structure: a "Struttura" sheet after "Dati", and each method's
// groups after its rank, as its group file holds them.
void TestExport::structureSheetAndGroupColumns() {
    const QString copy = m_dir->filePath(QStringLiteral("regioni_struttura.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_struttura.xlsx"), copy));
    Processing processing(m_regional);
    QVERIFY(processing.load(copy));
    QVERIFY(processing.structure());
    QVERIFY(processing.run(MethodPosition::MpiPositive));
    const Structure& structure = *processing.structure();
    const ResultsCollection results =
        collectResults(copy, processing.matrix(), m_regional, std::nullopt, nullptr, &structure);
    QVERIFY2(results.warnings.isEmpty(), qPrintable(results.warnings.join(u'\n')));
    const QString out = m_dir->filePath(QStringLiteral("risultati.xlsx"));
    QCOMPARE(failureMessage(writeResultsWorkbook(out, results)), QString());

    const XlsxReader* struttura = sheet(out, 1);
    QVERIFY(struttura);
    COMPARE_CELL(struttura->cell(1, 4), CellValue(QStringLiteral("Peso effettivo")));
    const StructureElement& first = structure.elements.front();
    COMPARE_CELL(struttura->cell(2, 1), CellValue(first.name));
    COMPARE_CELL(struttura->cell(2, 2),
                 CellValue(structure.elements[std::size_t(first.parent)].name));
    COMPARE_CELL(struttura->cell(2, 3), CellValue(first.writtenWeight));
    COMPARE_CELL(struttura->cell(2, 4), CellValue(structure.effectiveWeight(0)));

    const auto groupsRead = readDelimitedTable(
        resultFileName(copy, ResultFileKind::GroupValues, QStringLiteral("MPI+")), m_regional,
        ResultFileBounds{});
    QVERIFY(groupsRead && *groupsRead);
    const std::optional<DelimitedTable>& groups = *groupsRead;
    QCOMPARE(groups->columnCount(), int(structure.groups.size()));
    const XlsxReader* mpi = sheet(out, 2);
    QVERIFY(mpi);
    for (int k = 0; k < groups->columnCount(); ++k) {
        COMPARE_CELL(mpi->cell(1, 4 + k), CellValue(groups->headers[k + 1]));
        for (int r = 0; r < groups->rowCount(); ++r)
            COMPARE_CELL(mpi->cell(r + 2, 4 + k), CellValue(groups->number(r, k)));
    }
}

// Once the matrix is audited, the last sheet holds the indicator table,
// Pearson's correlations and the coherence lines, one under the other.
void TestExport::auditSheet() {
    const Expected<Processing::Audit> audit = m_sample.processing->audit();
    QVERIFY(audit);
    const Matrix& source = m_sample.processing->matrix();
    const ResultsCollection results = collectResults(m_path, source, m_regional);
    QVERIFY(results.audit);
    const QString out = m_dir->filePath(QStringLiteral("risultati.xlsx"));
    QCOMPARE(failureMessage(writeResultsWorkbook(out, results)), QString());
    int last = 0;
    while (sheet(out, last + 1))
        ++last;
    const XlsxReader* reader = sheet(out, last);
    const int m = source.indicatorCount();
    const Distribution& first = audit->audit.distributions[0];
    COMPARE_CELL(reader->cell(1, 1), CellValue(QStringLiteral("Indicatore")));
    COMPARE_CELL(reader->cell(2, 1), source.indicators[0]);
    COMPARE_CELL(reader->cell(2, 3), CellValue(std::round(first.mean * 1e4) / 1e4));
    COMPARE_CELL(reader->cell(2, 9),
                 CellValue(first.flagged() ? QStringLiteral("si") : QStringLiteral("no")));
    // The correlations after an empty row: the diagonal, a pair below it.
    const int corr = m + 3;
    COMPARE_CELL(reader->cell(corr + 1, 2), CellValue(1.0));
    COMPARE_CELL(reader->cell(corr + 2, 2),
                 CellValue(std::round(audit->audit.pearson[std::size_t(m)] * 1e4) / 1e4));
    QVERIFY(reader->cell(corr + 1, 3).isEmpty());
    // The coherence of the whole matrix closes the sheet.
    const int coherence = corr + m + 2;
    COMPARE_CELL(reader->cell(coherence, 1), CellValue(QStringLiteral("Gruppo")));
    const int whole = coherence + int(audit->audit.groups.size());
    COMPARE_CELL(reader->cell(whole, 1), CellValue(allIndicatorsName()));
    COMPARE_CELL(reader->cell(whole, 2), CellValue(double(m)));

    // A method's coherence of the elements, once audited, comes after it.
    AnalysedMethod wroclaw;
    wroclaw.position = MethodPosition::Wroclaw;
    const Processing& processing = *m_sample.processing;
    const Expected<QStringList> lines =
        methodCoherenceLines(wroclaw, source, processing.structure().get(), m_regional);
    QVERIFY(lines && writeMethodCoherence(m_path, processing.basis(), wroclaw, *lines, m_regional));
    const ResultsCollection withMethod = collectResults(m_path, source, m_regional);
    QCOMPARE(failureMessage(writeResultsWorkbook(out, withMethod)), QString());
    reader = sheet(out, last);
    COMPARE_CELL(reader->cell(whole + 2, 1), CellValue(QStringLiteral("Coerenza WROC")));
    COMPARE_CELL(reader->cell(whole + 3, 1), CellValue(QStringLiteral("Elemento")));
    COMPARE_CELL(reader->cell(whole + 4, 1), CellValue(lines->at(1).section(u';', 0, 0)));
}

// Fields in quotes read as written; a file written before quoting has its
// After a Monte Carlo with the Saltelli design: a "Monte Carlo" sheet as its
// file, then a "Sobol" sheet with the factors and, under them, each unit's
// total indices.
void TestExport::monteCarloSheets() {
    const Matrix& source = m_sample.processing->matrix();
    MonteCarloChoices choices;
    choices.setup.methods = {MethodPosition::Wroclaw, MethodPosition::Ranks};
    choices.setup.leaveOut = true;
    choices.setup.runs = 20;
    choices.setup.sobol = true;
    QVERIFY(analyseMonteCarlo(m_sample.processing->basis(), source, choices, m_regional));
    const ResultsCollection results = collectResults(m_path, source, m_regional);
    QVERIFY2(results.warnings.isEmpty(), qPrintable(results.warnings.join(u'\n')));
    QVERIFY(results.monteCarlo && results.sobol && results.sobolUnits);
    const QString out = m_dir->filePath(QStringLiteral("risultati.xlsx"));
    QCOMPARE(failureMessage(writeResultsWorkbook(out, results)), QString());
    int last = 0;
    while (sheet(out, last + 1))
        ++last;

    const XlsxReader* sobol = sheet(out, last);
    COMPARE_CELL(sobol->cell(1, 1), CellValue(QStringLiteral("Fattore")));
    COMPARE_CELL(sobol->cell(2, 1), CellValue(QStringLiteral("Metodo")));
    COMPARE_CELL(sobol->cell(2, 5), CellValue(results.sobol->number(0, 3)));
    const int units = results.sobol->rowCount() + 3;
    COMPARE_CELL(sobol->cell(units, 2), CellValue(results.sobolUnits->headers[1]));
    COMPARE_CELL(sobol->cell(units + 1, 1), CellValue(results.sobolUnits->labels[0]));

    const XlsxReader* mc = sheet(out, last - 1);
    COMPARE_CELL(mc->cell(1, 2), CellValue(QStringLiteral("Nominale")));
    COMPARE_CELL(mc->cell(2, 1), CellValue(results.monteCarlo->labels[0]));
    COMPARE_CELL(mc->cell(2, 3), CellValue(results.monteCarlo->number(0, 1)));
}

// extra leading fields in the label.
void TestExport::delimitedTables() {
    const QString path = m_dir->filePath(QStringLiteral("t.csv"));
    const ResultFileBounds bounds =
        boundsForMatrix(m_sample.processing->matrix(), ResultFileBounds::Shape::Table);
    for (const QByteArray& bytes :
         {QByteArray("Prov;A;B\r\nAl;fa;1.234,5;x\r\nBeta;-2;\r\n"),
          QByteArray("Prov;A;B\r\n\"Al;fa\";1.234,5;x\r\nBeta;-2;\r\n")}) {
        QVERIFY(writeFileBytes(path, bytes));
        const auto read = readDelimitedTable(path, m_regional, bounds);
        QVERIFY(read && *read);
        const std::optional<DelimitedTable>& table = *read;
        QCOMPARE(table->labels, (QStringList{"Al;fa", "Beta"}));
        QCOMPARE(table->number(0, 0), 1234.5);
        QVERIFY(std::isnan(table->number(0, 1)));
        QVERIFY(std::isnan(table->number(1, 1)));
        QCOMPARE(table->texts.size(), std::size_t(1));
        QCOMPARE(table->texts.front().second, QStringLiteral("x"));
    }
    QVERIFY(writeFileBytes(path, "\"Prov;2019\";\"A;\"\"x\"\"\";B\r\n\"\"\"q\"\"\";1;2\r\n"));
    const auto quoted = readDelimitedTable(path, m_regional, bounds);
    QVERIFY(quoted && *quoted);
    QCOMPARE((*quoted)->headers, (QStringList{"Prov;2019", "A;\"x\"", "B"}));
    QCOMPARE((*quoted)->labels, QStringList{"\"q\""});

    // A short line: no table; a file that cannot be read: why.
    QVERIFY(writeFileBytes(path, "Prov;A;B\r\nAlfa;1\r\n"));
    const auto ragged = readDelimitedTable(path, m_regional, bounds);
    QVERIFY(ragged && !*ragged);
    const QString pipe = m_dir->filePath(QStringLiteral("p.csv"));
    QVERIFY(makeSpecialFile(pipe, SpecialFile::Pipe));
    const auto unreadable = readDelimitedTable(pipe, m_regional, bounds);
    QVERIFY(!unreadable);
    QCOMPARE(unreadable.error().kind, FailureKind::File);
    QVERIFY2(unreadable.error().message.contains(QStringLiteral("non è un file regolare")),
             qPrintable(unreadable.error().message));
}

void TestExport::kendallOnlyWithTheRankSummary() {
    const ResultsCollection results =
        collectResults(m_path, m_sample.processing->matrix(), m_regional);
    QVERIFY(results.comparison && results.comparison->kendall.empty());
    const QString out = m_dir->filePath(QStringLiteral("risultati.xlsx"));
    QCOMPARE(failureMessage(writeResultsWorkbook(out, results)), QString());
    const XlsxReader* confronto = sheet(out, int(methodTable().size()) + 1);
    QVERIFY(confronto);
    const int n = results.comparison->methodCount();
    QVERIFY(confronto->cell(n + 1, 2 * n + 4).isText()); // Spearman's last row
    QVERIFY(confronto->cell(n + 3, 2 * n + 4).isEmpty());
    QVERIFY(confronto->cell(n + 5, 2 * n + 5).isEmpty());
}

namespace {
// How a test spoils one result file.
enum class Spoil {
    DropLastLine,
    RankOutOfRange,
    ValueOfAnotherRun,
    Pipe,
    LongLine,
    Grown,
    OtherMethods
};
} // namespace

void TestExport::filesThatDoNotFitAreLeftOut_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("spoil");
    QTest::addColumn<QString>("cause");
    QTest::newRow("values of an older matrix")
        << "regioni.xlsx.outWROC.csv" << int(Spoil::DropLastLine)
        << "ha 20 righe, mentre regioni.xlsx ne ha 21";
    QTest::newRow("rank out of range") << "regioni.xlsx.outGRAD.rnk" << int(Spoil::RankOutOfRange)
                                       << "non contiene un rango intero da 1 a 20";
    // What compare and robustness refuse: a value of 999 at rank 10.
    QTest::newRow("values of another run")
        << "regioni.xlsx.outMPI+.rnk" << int(Spoil::ValueOfAnotherRun)
        << "vengono da elaborazioni diverse";
    QTest::newRow("pipe at the comparison's file")
        << "regioni.xlsx.val.csv" << int(Spoil::Pipe)
        << "e regioni.xlsx.rnk.csv tralasciati. Impossibile leggere il file "
           "regioni.xlsx.val.csv: non è un file regolare";
    // The matrix's labels are short: a field takes up to a number's 1024
    // bytes, a line 2050, a file of 21 lines 43,053.
    QTest::newRow("label longer than the matrix's")
        << "regioni.xlsx.outM1NI.csv" << int(Spoil::LongLine) << "la riga 2 è più lunga";
    QTest::newRow("larger than 21 lines make")
        << "regioni.xlsx.outM0NI.csv" << int(Spoil::Grown) << "(43053 byte al massimo)";
    // An analysis recorded as computed on three methods, beside a comparison
    // of nine.
    QTest::newRow("uncertainty of other methods")
        << "regioni.xlsx.unc.csv" << int(Spoil::OtherMethods)
        << "tralasciato: calcolata su 3 metodi, il confronto attuale ne ha 9.";
}

void TestExport::filesThatDoNotFitAreLeftOut() {
    QFETCH(QString, file);
    QFETCH(int, spoil);
    QFETCH(QString, cause);
    // Files without entries, as an older version wrote them: read and checked
    // as before (the record would refuse every spoiled one as edited).
    QVERIFY(QFile::remove(recordPath(m_path)));
    const QString path = m_dir->filePath(file);
    QByteArray bytes = fileContents(path);
    QList<QByteArray> lines = bytes.split('\n');
    switch (Spoil(spoil)) {
    case Spoil::DropLastLine:
        bytes.truncate(bytes.lastIndexOf("\r\n", bytes.size() - 3) + 2);
        break;
    case Spoil::RankOutOfRange:
        bytes.replace(";1\r\n", ";99\r\n");
        break;
    case Spoil::ValueOfAnotherRun: {
        // The ranks stay; the values file gives the unit at rank 10 a 999.
        const QString values = valuesResultFile(m_path, QStringLiteral("MPI+"));
        QList<QByteArray> valueLines = fileContents(values).split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            if (lines[i].endsWith(";10\r"))
                valueLines[i] = valueLines[i].left(valueLines[i].lastIndexOf(';')) + ";999,0000\r";
        QVERIFY(writeFileBytes(values, valueLines.join('\n')));
        break;
    }
    case Spoil::Pipe:
        QVERIFY(makeSpecialFile(path, SpecialFile::Pipe));
        break;
    case Spoil::LongLine:
        lines[1] = QByteArray(3000, 'x') + lines[1].mid(lines[1].lastIndexOf(';'));
        bytes = lines.join('\n');
        break;
    case Spoil::Grown:
        bytes += QByteArray("x;1\r\n").repeated(10000);
        break;
    case Spoil::OtherMethods: {
        QVERIFY(writeRobustnessFiles(m_path, m_sample.processing->matrix(), m_regional));
        bytes = fileContents(path);
        AnalysisOrigin origin;
        origin.methods = QStringList{"MPI+", "WROC", "GRAD"};
        const RecordScope scope(m_path, m_regional, originSettings(origin));
        SafeFile file(path);
        QVERIFY(file.open() && file.write(bytes) && file.commit());
        break;
    }
    }
    if (spoil != int(Spoil::Pipe) && spoil != int(Spoil::ValueOfAnotherRun))
        QVERIFY(writeFileBytes(path, bytes));

    const ResultsCollection results =
        collectResults(m_path, m_sample.processing->matrix(), m_regional);
    const bool methodFile = file.contains(QStringLiteral(".out"));
    QCOMPARE(results.methods.size(), methodTable().size() - (methodFile ? 1 : 0));
    QVERIFY(!results.methods.front().fullPrecision);
    QCOMPARE(results.comparison.has_value(), methodFile || spoil == int(Spoil::OtherMethods));
    if (spoil == int(Spoil::OtherMethods))
        QVERIFY(!results.uncertainty && results.robustness);
    QCOMPARE(results.warnings.size(), 1);
    QVERIFY2(results.warnings[0].startsWith(
                 file + (methodFile ? QStringLiteral(" tralasciato. ") : QStringLiteral(" "))) &&
                 results.warnings[0].contains(cause),
             qPrintable(results.warnings[0]));
}

// The methods of an analysis fit the comparison's in any order with the same
// first one, the reference.
void TestExport::analysesFitByMethodsAndReference() {
    AnalysisOrigin origin;
    origin.methods = QStringList{"MPI+", "WROC", "GRAD"};
    const QStringList reordered{"MPI+", "GRAD", "WROC"};
    const QStringList otherFirst{"GRAD", "MPI+", "WROC"};
    VERIFY_DONE(analysisFits(origin, &reordered, std::nullopt));
    QCOMPARE(
        failureMessage(analysisFits(origin, &otherFirst, std::nullopt)),
        QStringLiteral("calcolata con riferimento MPI+, il confronto attuale ha per primo GRAD"));
    origin.structure = QStringLiteral("sì");
    QCOMPARE(failureMessage(analysisFits(origin, nullptr, false)),
             QStringLiteral("calcolata su una struttura, i risultati attuali senza"));
}

void TestExport::unwritableDestination() {
    const ResultsCollection results =
        collectResults(m_path, m_sample.processing->matrix(), m_regional);
    const QString out = m_dir->filePath(QStringLiteral("manca/risultati.xlsx"));
    const QString error = failureMessage(writeResultsWorkbook(out, results));
    QVERIFY(error.contains(out));
    QVERIFY(!QFile::exists(out));
}

void TestExport::fullDiskLeavesNothing() {
    ScratchMount disk(256);
    if (!disk.isMounted())
        QSKIP("needs root to mount a small file system");
    const ResultsCollection results =
        collectResults(m_path, m_sample.processing->matrix(), m_regional);
    QVERIFY(disk.fill());
    const QString out = disk.filePath(QStringLiteral("risultati.xlsx"));
    const QString error = failureMessage(writeResultsWorkbook(out, results));
    QVERIFY2(error.contains(out), qPrintable(error));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter(u"risultati"),
             QStringList());
}

// The writer's own rules, read back with the program's reader.
void TestExport::cellsReadBackAsWritten() {
    const QString out = m_dir->filePath(QStringLiteral("celle.xlsx"));
    const double seventeenDigits = 0.1 + 0.2; // 0.30000000000000004
    // Markup, a control character XML cannot hold, blanks at both ends.
    const QString awkward = QStringLiteral(" a<b>&c") + QChar(1) + u' ';
    {
        XlsxWorkbookWriter book(out);
        const int bold = book.addFormat({.bold = true, .numberFormat = {}});
        QCOMPARE(book.addFormat({.bold = true, .numberFormat = {}}), bold);
        book.addSheet(QStringLiteral("Prima & <ultima>"), 1, 1);
        book.writeText(0, 2, QStringLiteral("dopo"), bold);
        book.writeText(0, 0, QStringLiteral(" a<b>&c\u0001 "));
        book.setColumnWidth(0, 2, 20);
        book.writeNumber(0, 1, 1.0);
        book.writeNumber(0, 1, -2.5e-300); // the later of two wins
        book.writeNumber(1, 0, seventeenDigits);
        book.writeNumber(1, 1, std::nan(""));
        book.writeNumber(1, 2, 1e21);
        book.writeNumber(3, 0, 7);
        book.writeNumber(2, 0, 99); // a row already passed: ignored
        book.addSheet(QStringLiteral("Vuota"), 0, 0);
        QVERIFY(book.close());
    }
    const XlsxReader* first = sheet(out, 0);
    QVERIFY(first);
    COMPARE_CELL(first->cell(1, 1), CellValue(awkward));
    COMPARE_CELL(first->cell(1, 2), CellValue(-2.5e-300));
    COMPARE_CELL(first->cell(1, 3), CellValue(QStringLiteral("dopo")));
    COMPARE_CELL(first->cell(2, 1), CellValue(seventeenDigits));
    QVERIFY(first->cell(2, 2).isEmpty());
    COMPARE_CELL(first->cell(2, 3), CellValue(1e21));
    QVERIFY(first->cell(3, 1).isEmpty());
    COMPARE_CELL(first->cell(4, 1), CellValue(7.0));
    QVERIFY(sheet(out, 1));
    QVERIFY(!sheet(out, 2));

    // Every entry unpacks readable by all: the Unix mode in the high half of
    // each central directory record's external attributes.
    const QByteArray zip = fileContents(out);
    int entries = 0;
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0 && at + 42 <= zip.size();
         at = zip.indexOf("PK\x01\x02", at + 4), ++entries) {
        const auto byte = [&](qsizetype i) { return quint32(quint8(zip[at + i])); };
        const quint32 mode = byte(40) | byte(41) << 8;
        QCOMPARE(mode & 0644u, 0644u);
    }
    QCOMPARE(entries, 8); // 2 sheets and 6 other parts
}

// Texts that XML or the spreadsheet escapes would change: each cell comes
// back as written.
void TestExport::textsReadBackAsWritten_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600
    QTest::newRow("beyond the BMP") << "x" + emoji + "y"
                                    << "x" + emoji + "y";
    QTest::newRow("only beyond the BMP") << emoji << emoji;
    QTest::newRow("text that reads as an escape") << "A_x0041_b"
                                                  << "A_x0041_b";
    QTest::newRow("escaped underscore as text") << "_x005F_x0041_"
                                                << "_x005F_x0041_";
    QTest::newRow("lower-case escape") << "_x00e8_"
                                       << "_x00e8_";
    QTest::newRow("no escape") << "_x00zz_ _x12_"
                               << "_x00zz_ _x12_";
    QTest::newRow("carriage return") << "a\rb\r\nc"
                                     << "a\rb\r\nc";
    QTest::newRow("lone surrogate half")
        << QString(QChar(0xD83D)) + "a" << QString(QChar(0xFFFD)) + "a";
}

void TestExport::textsReadBackAsWritten() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString out = m_dir->filePath(QStringLiteral("testi.xlsx"));
    {
        XlsxWorkbookWriter book(out);
        book.addSheet(QStringLiteral("Testi"), 1, 1);
        book.writeText(0, 0, text);
        book.writeText(1, 0, QStringLiteral("dopo"));
        QVERIFY(book.close());
    }
    const XlsxReader* reader = sheet(out, 0);
    QVERIFY(reader);
    COMPARE_CELL(reader->cell(1, 1), CellValue(expected));
    COMPARE_CELL(reader->cell(2, 1), CellValue(QStringLiteral("dopo")));
}

// A styles part whose counts or references disagree is what spreadsheet
// programs offer to repair: every count matches its list, every format
// points at a font, fill and number format that exist.
void TestExport::stylesAreConsistent() {
    XlsxStyles styles;
    const int decimal = styles.add({.numberFormat = "0.0000"});
    QCOMPARE(styles.add({.bold = true, .numberFormat = {}}), decimal + 1);
    styles.add({.numberFormat = "0"});
    styles.add({.numberFormat = "#,##0.0\"%\"", .fill = 0xC0FFC0});
    styles.add({.whiteText = true, .numberFormat = "0.0000", .fill = 0x123456});
    QCOMPARE(styles.add({.numberFormat = "0.0000"}), decimal);

    const QByteArray part = styles.xml();
    QXmlStreamReader xml(part);
    QMap<QString, int> declared, listed;
    QSet<int> numberFormats{0, 1, 2};
    struct Reference {
        int font, fill, numberFormat;
    };
    QList<Reference> xfs;
    QString list;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        const auto attributes = xml.attributes();
        if (attributes.hasAttribute(QLatin1String("count"))) {
            list = name;
            declared[name] = attributes.value(QLatin1String("count")).toInt();
        } else if (!list.isEmpty() && (name == u"font" || name == u"fill" || name == u"xf" ||
                                       name == u"numFmt" || name == u"border")) {
            ++listed[list];
        }
        if (name == u"numFmt")
            numberFormats.insert(attributes.value(QLatin1String("numFmtId")).toInt());
        if (name == u"xf" && list == u"cellXfs")
            xfs.append(Reference{attributes.value(QLatin1String("fontId")).toInt(),
                                 attributes.value(QLatin1String("fillId")).toInt(),
                                 attributes.value(QLatin1String("numFmtId")).toInt()});
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    for (auto it = declared.cbegin(); it != declared.cend(); ++it)
        if (it.key() != u"cellStyles")
            QCOMPARE(listed.value(it.key()), it.value());
    QCOMPARE(xfs.size(), 6); // the default look and the five added
    for (const Reference& xf : xfs) {
        QVERIFY(xf.font < declared[QStringLiteral("fonts")]);
        QVERIFY(xf.fill < declared[QStringLiteral("fills")]);
        QVERIFY(numberFormats.contains(xf.numberFormat));
    }
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
