#include "support/resultsfixture.h"
#include "support/scratchmount.h"
#include "support/testsupport.h"

#include "export/resultscollection.h"
#include "methods/metodi.h"
#include "ui/report/pdfreport.h"
#include "workflow/montecarlorun.h"
#include "workflow/processing.h"

#include "version.h"

#include <algorithm>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The PDF report read back through pdftotext: the sections and figures it
// must hold, the annex of a large matrix with its header on every page, and
// `orvalta --report` without a display.
class TestReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sampleReport();
    void largeMatrixGoesToAnnex();
    void timeSeriesAndNotice_data();
    void timeSeriesAndNotice();
    void commandLine();
    void fullDiskKeepsTheEarlierReport();

private:
    // The text of a PDF, pages separated by form feeds.
    static QString pdfText(const QString& path);

    const Regional m_regional{QLocale(QLocale::Italian, QLocale::Italy)};
    QTemporaryDir m_dir;
};

QString TestReport::pdfText(const QString& path) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
}

void TestReport::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void TestReport::sampleReport() {
    const SampleResults sample = sampleWithResults(m_dir.path(), m_regional);
    QVERIFY(sample.processing);
    const QString workbook = sample.processing->workbook();
    const Matrix& matrix = sample.processing->matrix();
    QVERIFY(writeRobustnessFiles(workbook, matrix, m_regional));
    QVERIFY(sample.processing->audit());
    MonteCarloChoices choices;
    choices.setup.methods = {MethodPosition::MpiPositive, MethodPosition::Ranks};
    choices.setup.weightSpread = 0.2;
    choices.setup.runs = 16;
    choices.setup.seed = 7;
    choices.setup.sobol = true;
    choices.setup.bootstrap = 20;
    QVERIFY(analyseMonteCarlo(workbookBasis(workbook), matrix, choices, m_regional));
    const ResultsCollection results = collectResults(workbook, matrix, m_regional);
    const QString pdf = m_dir.filePath(QStringLiteral("rapporto.pdf"));
    QCOMPARE(failureMessage(writePdfReport(pdf, results)), QString());

    const QString text = pdfText(pdf);
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 3 && pages.size() <= 12, qPrintable(QString::number(pages.size())));
    QVERIFY(text.contains(QStringLiteral("Rapporto: regioni.xlsx")));
    QVERIFY(text.contains(QStringLiteral("20 unità e 8 indicatori")));
    for (const MethodInfo& method : methodTable())
        QVERIFY2(text.contains(method.code + QStringLiteral(" – ")), qPrintable(method.entryText));
    // The first unit of the method of rankings, with its index value.
    const int first =
        int(std::find(results.methods[4].ranks.begin(), results.methods[4].ranks.end(), 1) -
            results.methods[4].ranks.begin());
    QVERIFY(text.contains(results.methods[4].labels[first] + QStringLiteral(" (") +
                          m_regional.indexText(results.methods[4].values[std::size_t(first)])));
    QVERIFY(text.contains(QStringLiteral("Confronto dei metodi")));
    // The robustness summary: a mean shift of 10.5 / 20, 6 units unchanged;
    // the indicator that moves most units.
    const QString flat = text.simplified();
    QVERIFY(flat.contains(QStringLiteral("Spostamento medio dal rango di riferimento: 0,5250 "
                                         "posizioni; unità con lo stesso rango per ogni metodo: "
                                         "6 su 20")));
    QVERIFY(flat.contains(QStringLiteral("spostamento maggiore è %1 (per 14 unità su 20)")
                              .arg(m_regional.generalText(matrix.indicators.front()))));
    // Long headers wrap whole instead of ending in an ellipsis.
    const QString movers = flat.mid(flat.indexOf(QStringLiteral("varia di più tra i metodi:")));
    for (const char* word : {"riferimento", "mediano", "Intervallo"})
        QVERIFY2(movers.left(300).contains(QLatin1String(word)), qPrintable(movers.left(300)));
    QVERIFY(text.contains(QStringLiteral("Incertezza")));
    // The Monte Carlo's settings and factors as recorded with its files.
    QVERIFY2(flat.contains(QStringLiteral("Impostazioni: 16 estrazioni, seme 7, pesi variati "
                                          "entro il ±20%, disegno di Saltelli. Fattori estratti: "
                                          "il metodo, tra MPI+, GRAD (nominale MPI+); i pesi")),
             qPrintable(flat.mid(flat.indexOf(QStringLiteral("Impostazioni")), 300)));
    // The audit: the indicator table (no indicator of the sample is
    // flagged) and the coherence of the whole matrix.
    QVERIFY(flat.contains(QStringLiteral("curtosi oltre 3,5: nessuno.")));
    // Each table says which deviation it shows (the header's second line):
    // the population's for the matrix, the sample's for the audit.
    const qsizetype audit = text.indexOf(QStringLiteral("Analisi statistica degli indicatori"));
    const QRegularExpression populationHeader(QStringLiteral("^\\s+popolazione$"),
                                              QRegularExpression::MultilineOption);
    const QRegularExpression sampleHeader(QStringLiteral("^\\s+campionario$"),
                                          QRegularExpression::MultilineOption);
    QVERIFY(text.left(audit).contains(populationHeader) &&
            !text.left(audit).contains(sampleHeader));
    QVERIFY(text.mid(audit).contains(sampleHeader));
    QVERIFY(text.contains(QStringLiteral("Tutti gli indicatori")));
    QVERIFY(!text.contains(QStringLiteral("Allegato")));
    for (int p = 0; p < pages.size(); ++p)
        QVERIFY(pages[p].contains(QStringLiteral("Pagina %1").arg(p + 1)));
}

void TestReport::largeMatrixGoesToAnnex() {
    // 150 units: beyond the 60 that keep their rankings in the sections.
    std::vector<std::vector<CellValue>> rows{{CellValue(QStringLiteral("Comune")),
                                              CellValue(QStringLiteral("Reddito")),
                                              CellValue(QStringLiteral("disoccupazione"))}};
    for (int i = 1; i <= 150; ++i)
        rows.push_back({CellValue(QStringLiteral("Comune %1").arg(i)), CellValue(double(i % 37)),
                        CellValue(double((i * 7) % 41))});
    const std::unique_ptr<Processing> processing =
        processingOf(m_dir.filePath(QStringLiteral("comuni.xlsx")), rows, m_regional);
    for (const MethodPosition position : {MethodPosition::MpiPositive, MethodPosition::Ranks})
        QVERIFY(processing->run(position));
    const QString pdf = m_dir.filePath(QStringLiteral("comuni.pdf"));
    QCOMPARE(failureMessage(writePdfReport(
                 pdf, collectResults(processing->workbook(), processing->matrix(), m_regional))),
             QString());

    const QStringList pages = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    qsizetype annex = -1;
    for (qsizetype p = 0; p < pages.size() && annex < 0; ++p)
        if (pages[p].contains(QStringLiteral("Allegato: graduatorie complete")))
            annex = p;
    QVERIFY(annex > 0);
    QVERIFY(pages.size() - annex >= 2);
    // The table's header on every annex page, and every unit once.
    int units = 0;
    for (qsizetype p = annex; p < pages.size(); ++p) {
        QVERIFY(pages[p].contains(QRegularExpression(QStringLiteral("Comune\\s+MPI\\+\\s+GRAD"))));
        units += int(pages[p].count(QRegularExpression(QStringLiteral("Comune \\d+ "))));
    }
    QCOMPARE(units, 150);
}

// The files of an AMPI run, each a name suffix and its lines, beside a
// workbook of three units and no other result: what the report says.
void TestReport::timeSeriesAndNotice_data() {
    QTest::addColumn<QStringList>("files"); // suffix, lines, suffix, lines...
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("absent");
    const QString notice = QStringLiteral("Non c'è ancora nulla da riportare");
    QTest::newRow("nothing yet") << QStringList{} << QStringList{notice, QStringLiteral("3 unità")}
                                 << QStringList{QStringLiteral("AMPI"),
                                                QStringLiteral("Nessun metodo")};
    // The mean of (AMPI+ + AMPI-) / 2 is 100 in 2021 alone: the base.
    QTest::newRow("both variants")
        << QStringList{QStringLiteral(".AMPI+.csv"),
                       QStringLiteral("Comune;2020;2021\nA;90;99\nB;95;100\nC;99;95"),
                       QStringLiteral(".AMPI-.csv"),
                       QStringLiteral("Comune;2020;2021\nA;92;101\nB;97;102\nC;101;103"),
                       QStringLiteral(".AMPI+.rnk.csv"),
                       QStringLiteral("Comune;2020;2021\nA;3;2\nB;2;1\nC;1;3")}
        << QStringList{QStringLiteral("Analisi temporale (AMPI)"),
                       QStringLiteral("Periodo base: 2021."),
                       QStringLiteral("2021 (base)"),
                       QStringLiteral("Prima unità per periodo: 2020 C; 2021 B."),
                       QStringLiteral("A 90,0000 99,0000"),
                       QStringLiteral("A 92,0000 101,0000"),
                       QStringLiteral("Nessun metodo")}
        << QStringList{notice};
    // One variant: no base to tell; a long period name wraps whole.
    QTest::newRow("one variant, long period")
        << QStringList{QStringLiteral(".AMPI-.csv"),
                       QStringLiteral("Comune;Rilevazione straordinaria dell'anno 2020;2021\n"
                                      "A;92;101\nB;97;102\nC;101;103")}
        << QStringList{QStringLiteral("A 92,0000 101,0000"), QStringLiteral("straordinaria"),
                       QStringLiteral("dell'anno")}
        << QStringList{notice, QStringLiteral("90,0000"), QStringLiteral("Periodo base"),
                       QStringLiteral("…")};
}

void TestReport::timeSeriesAndNotice() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, absent);
    QTemporaryDir dir;
    const std::unique_ptr<Processing> processing =
        processingOf(dir.filePath(QStringLiteral("serie.xlsx")),
                     {{CellValue(QStringLiteral("Comune")), CellValue(QStringLiteral("Reddito"))},
                      {CellValue(QStringLiteral("A")), CellValue(1.0)},
                      {CellValue(QStringLiteral("B")), CellValue(2.0)},
                      {CellValue(QStringLiteral("C")), CellValue(3.0)}},
                     m_regional);
    for (qsizetype i = 0; i + 1 < files.size(); i += 2)
        QVERIFY(writeFileBytes(processing->workbook() + files[i], files[i + 1].toUtf8()));
    const QString pdf = dir.filePath(QStringLiteral("serie.pdf"));
    QCOMPARE(failureMessage(writePdfReport(
                 pdf, collectResults(processing->workbook(), processing->matrix(), m_regional))),
             QString());
    const QString flat = pdfText(pdf).simplified();
    for (const QString& text : expected)
        QVERIFY2(flat.contains(text), qPrintable(text + QStringLiteral(" not in: ") + flat));
    for (const QString& text : absent)
        QVERIFY2(!flat.contains(text), qPrintable(text));
}

void TestReport::commandLine() {
    // The program reads the result files under the regional settings of
    // its environment, Italian here, as they are written here; an English
    // interface language changes neither the numbers nor the command line's
    // Italian words.
    QTemporaryDir dir;
    const SampleResults sample = sampleWithResults(dir.path(), m_regional, false);
    QVERIFY(sample.processing);
    const QString workbook = sample.processing->workbook();
    const QString pdf = dir.filePath(QStringLiteral("cli.pdf"));

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("it_IT.UTF-8"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ORVALTA_PROGRAM), {QStringLiteral("--report"), pdf, workbook});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    // No method left out for numbers it could not read, in either language.
    const QString warnings = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(!warnings.contains(QStringLiteral("tralasciat")) &&
                 !warnings.contains(QStringLiteral("left out")),
             qPrintable(warnings));
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("Metodo delle graduatorie")));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\d,\\d{4}"))));

    program.start(QStringLiteral(ORVALTA_PROGRAM),
                  {QStringLiteral("--report"), pdf, dir.filePath(QStringLiteral("manca.xlsx"))});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 1);
    const QString refused = QString::fromUtf8(program.readAllStandardError());
    QVERIFY(refused.contains(QStringLiteral("manca.xlsx")));
    QVERIFY2(refused.contains(QStringLiteral("non esiste")), qPrintable(refused));

    // A record that is a pipe is refused at once, named, and the analyses it
    // would tell of are left out.
    QVERIFY(makeSpecialFile(workbook + QStringLiteral(".registro.json"), SpecialFile::Pipe));
    program.start(QStringLiteral(ORVALTA_PROGRAM), {QStringLiteral("--report"), pdf, workbook});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardError().contains(".registro.json non può essere letto: non è "
                                                    "un file regolare"));

    // A workbook with gaps, under the matrix options of the batch tool.
    const QString gappy = dir.filePath(QStringLiteral("lacune.csv"));
    QVERIFY(writeFileBytes(gappy, "Unità;A;B\r\nU1;1;5\r\nU2;;7\r\nU3;4;8\r\nU4;8;6\r\n"));
    const auto reportOn = [&](const QStringList& options) {
        program.start(QStringLiteral(ORVALTA_PROGRAM),
                      QStringList{QStringLiteral("--report"), pdf, gappy} + options);
        program.waitForFinished(60000);
        return program.exitCode();
    };
    QCOMPARE(reportOn({}), 1);
    QCOMPARE(reportOn({"--missing", "available", "--min-coverage", "0.5"}), 0);
    const QByteArray told = program.readAllStandardError();
    QVERIFY2(told.contains("Copertura: 1 valori mancanti (12,5%)"), told.constData());
    QCOMPARE(reportOn({"--missing", "available", "--min-coverage", "2"}), 1);

    // Nor do the version and the help.
    program.start(QStringLiteral(ORVALTA_PROGRAM), {QStringLiteral("--version")});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardOutput().trimmed(), QByteArray("Orvalta " ORVALTA_VERSION));
    program.start(QStringLiteral(ORVALTA_PROGRAM), {QStringLiteral("--help")});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardOutput().contains("--report"));
}

// The PDF writer tells no failure of its own: on a disk that fills up part
// of the way through, the report fails with the writer's message and exit
// status 1, and the earlier report stays whole.
void TestReport::fullDiskKeepsTheEarlierReport() {
    ScratchMount disk(1024);
    if (!disk.isMounted())
        QSKIP("needs root to mount a small file system");
    const SampleResults sample = sampleWithResults(disk.path(), Regional(QLocale::c()), false);
    QVERIFY(sample.processing);
    const QString workbook = sample.processing->workbook();
    const QString pdf = disk.filePath(QStringLiteral("rapporto.pdf"));
    const auto report = [&pdf, &workbook]() {
        QProcess program;
        program.start(QStringLiteral(ORVALTA_PROGRAM), {QStringLiteral("--report"), pdf, workbook});
        program.waitForFinished(60000);
        return std::pair(program.exitCode(), QString::fromUtf8(program.readAllStandardError()));
    };
    QCOMPARE(report().first, 0);
    const QByteArray earlier = fileContents(pdf);
    QVERIFY(earlier.endsWith("%%EOF\n"));

    QVERIFY(disk.fill(earlier.size() / 2));
    const auto [exitCode, err] = report();
    QCOMPARE(exitCode, 1);
    QVERIFY2(err.contains(QStringLiteral("Impossibile scrivere il file %1: errore di scrittura, "
                                         "forse il disco è pieno")
                              .arg(pdf)),
             qPrintable(err));
    QCOMPARE(fileContents(pdf), earlier);
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter(u"rapporto"),
             QStringList{QStringLiteral("rapporto.pdf")});
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
