#include "methods/metodi.h"
#include "record/record.h"
#include "support/testsupport.h"
#include "version.h"
#include "workbook/xlsx/xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The command-line conventions of the batch tool: help, version, refused
// options and commands, the exit status and the stream each answer goes to.
class TestBatchCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conventions_data();
    void conventions();
    void robustnessCommands();
    void ampiWritesItsFiles();
    void runReportsMethodsInListOrder();
    void semicolonsInFieldsAreQuoted();
    void resultFilesTheComparisonRefuses();
    void structures_data();
    void structures();
    void audit_data();
    void audit();
    void outlierTreatment();
    void monteCarlo();
    void gaps_data();
    void gaps();
    void gapsUnderAStructure();
    void completeMatrixUnderEveryTreatment();
    void matrixOptionsAndCounts();
    void recordHistoryAndReplay();
    void filesOfBothSeparators();
    void concurrentWritersKeepEveryEntry();
    void compositesBesideTheNine();
    void compositeComparedLikeTheNine();
    void weightsAndCoherenceOfAComposite();
};

namespace {

struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

BatchRun runBatch(const QStringList& args) {
    QProcess batch;
    batch.start(QStringLiteral(ORVALTA_BATCH), args);
    BatchRun run;
    if (!batch.waitForFinished(60000) || batch.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = batch.exitCode();
    run.out = QString::fromUtf8(batch.readAllStandardOutput());
    run.err = QString::fromUtf8(batch.readAllStandardError());
    return run;
}

int lineCount(const QString& path) {
    return int(fileContents(path).count("\r\n"));
}

} // namespace

void TestBatchCli::conventions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("nothing") << QStringList{} << 1 << ""
                             << "Uso: orvalta-batch COMANDO";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "compare CARTELLA_DI_LAVORO"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "orvalta-batch " ORVALTA_VERSION
                             << "";
    QTest::newRow("unknown tool option") << QStringList{"--frobnicate"} << 1 << ""
                                         << "Opzione sconosciuta: frobnicate";
    QTest::newRow("unknown command") << QStringList{"rank", "x.xlsx"} << 1 << ""
                                     << "Comando sconosciuto: rank";
    QTest::newRow("command help") << QStringList{"run", "--help"} << 0
                                  << "Uso: orvalta-batch run CARTELLA_DI_LAVORO"
                                  << "";
    QTest::newRow("unknown command option") << QStringList{"run", "x.xlsx", "--fast"} << 1 << ""
                                            << "Opzione sconosciuta: fast\nUso: orvalta-batch run";
    QTest::newRow("option without its value")
        << QStringList{"run", "x.xlsx", "--methods"} << 1 << ""
        << "Manca il valore dell'opzione --methods.";
    QTest::newRow("switch with a value") << QStringList{"compare", "x.xlsx", "--all=yes"} << 1 << ""
                                         << "L'opzione --all non prevede un valore.";
    QTest::newRow("codes and --all") << QStringList{"compare", "x.xlsx", "GRAD", "--all"} << 1 << ""
                                     << "Uso: orvalta-batch compare";
    QTest::newRow("ampi: a refused sheet")
        << QStringList{"ampi", fixture("panel/unita_mancante.xlsx")} << 2 << ""
        << "non riporta l'unità \"C\" del foglio \"2019\".";
    QTest::newRow("ampi: one sheet, one period")
        << QStringList{"ampi", ORVALTA_EXAMPLES "/regioni.xlsx"} << 2 << ""
        << "regioni.xlsx ha un solo foglio di dati (\"Indicatori\"). Nessun file è stato scritto.";
    QTest::newRow("ampi: unknown base period")
        << QStringList{"ampi", ORVALTA_EXAMPLES "/regioni_periodi.xlsx", "--base", "2099"} << 1
        << ""
        << "Il periodo 2099 non è tra i fogli della cartella di lavoro: 2019, 2020";
    QTest::newRow("ampi: no workbook") << QStringList{"ampi", "assente.xlsx"} << 1 << ""
                                       << "non esiste";
    QTest::newRow("export without its destination")
        << QStringList{"export", "x.xlsx"} << 1 << ""
        << "Uso: orvalta-batch export CARTELLA_DI_LAVORO FILE.xlsx";
    // A code may name a composite of the workbook: it is known unknown once
    // the workbook is read, before any file is written.
    QTest::newRow("unknown method code")
        << QStringList{"run", ORVALTA_EXAMPLES "/regioni.xls", "--methods=XYZ"} << 1 << ""
        << "Codice di metodo sconosciuto: XYZ";
}

void TestBatchCli::conventions() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess batch;
    batch.start(QStringLiteral(ORVALTA_BATCH), args);
    QVERIFY(batch.waitForFinished(30000));
    const QString stdOut = QString::fromUtf8(batch.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(batch.readAllStandardError());
    QCOMPARE(batch.exitStatus(), QProcess::NormalExit);
    QCOMPARE(batch.exitCode(), exitCode);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.contains(out), qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err), qPrintable(stdErr));
}

// robustness, sensitivity and uncertainty on the sample workbook: exit
// status, the files they leave and what they print.
void TestBatchCli::robustnessCommands() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), workbook));

    // No result files yet: refused, nothing written.
    BatchRun run = runBatch({"robustness", workbook, "MPI+", "WROC"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!QFile::exists(workbook + ".rob.csv"));

    QCOMPARE(runBatch({"run", workbook}).exitCode, 0);
    run = runBatch({"robustness", workbook, "--all"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(lineCount(workbook + ".rob.csv"), 21);
    const QStringList out = run.out.split(u'\n');
    QVERIFY2(out[0].startsWith(";MPI+;MPI-;Wroclaw;"), qPrintable(run.out));
    QCOMPARE(out[1].left(12), QStringLiteral("MPI+;1.0000;"));
    QCOMPARE(out[10], QString());
    QVERIFY(out[11].startsWith("Spostamento medio;"));

    run = runBatch({"sensitivity", workbook, "GRAD"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(lineCount(workbook + ".sensGRAD.csv"), 21);
    QVERIFY(fileContents(workbook + ".sensGRAD.csv").startsWith("Regione;Rango;PIL pro capite"));

    run = runBatch({"uncertainty", workbook, "--all"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains("(81 graduatorie)"), qPrintable(run.out));
    QCOMPARE(lineCount(workbook + ".unc.csv"), 21);

    // A record that is a pipe or too large is refused before the
    // work, naming it, and the analysis file stays as it was.
    const QString origins = workbook + ".registro.json";
    const QByteArray sensitivity = fileContents(workbook + ".sensGRAD.csv");
    QVERIFY(makeSpecialFile(origins, SpecialFile::Pipe));
    run = runBatch({"sensitivity", workbook, "GRAD"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("Il file " + origins +
                                " non può essere letto: non è un file "
                                "regolare"),
             qPrintable(run.err));
    QCOMPARE(fileContents(workbook + ".sensGRAD.csv"), sensitivity);
    run = runBatch({"export", workbook, dir.filePath("r.xlsx")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains("regioni.xlsx.sensGRAD.csv tralasciato: non si può dire da cosa è "
                              "stato calcolato."),
             qPrintable(run.err));
    QVERIFY(QFile::remove(origins) && writeFileBytes(origins, QByteArray(57 << 20, 'x')));
    run = runBatch({"montecarlo", workbook, "--all", "--runs", "20"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("occupa 59768832 byte"), qPrintable(run.err));
    QVERIFY(!QFile::exists(workbook + ".mc.csv"));
}

void TestBatchCli::ampiWritesItsFiles() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath("periodi.xlsx");
    QVERIFY(QFile::copy(ORVALTA_EXAMPLES "/regioni_periodi.xlsx", workbook));
    QProcess batch;
    batch.start(QStringLiteral(ORVALTA_BATCH), {"ampi", workbook, "--base", "2020"});
    QVERIFY(batch.waitForFinished(30000));
    QCOMPARE(batch.exitCode(), 0);
    QVERIFY(batch.readAllStandardOutput().startsWith("Periodi: 2019, 2020, 2021, 2022, 2023 (base "
                                                     "2020)\n"));

    for (const char* sign : {"+", "-"}) {
        const QString values =
            QString::fromUtf8(fileContents(workbook + ".AMPI" + QLatin1StringView(sign) + ".csv"));
        QVERIFY(values.startsWith("Regione;2019;2020;2021;2022;2023\r\nPiemonte;"));
        QCOMPARE(values.count("\r\n"), 21);
        // Every period ranks the twenty regions 1 to 20.
        const QStringList lines =
            QString::fromUtf8(
                fileContents(workbook + ".AMPI" + QLatin1StringView(sign) + ".rnk.csv"))
                .split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 21);
        for (int period = 1; period <= 5; ++period) {
            QList<int> ranks;
            for (int line = 1; line < lines.size(); ++line)
                ranks.append(lines[line].split(u';')[period].toInt());
            std::sort(ranks.begin(), ranks.end());
            QCOMPARE(ranks.constFirst(), 1);
            QCOMPARE(ranks.constLast(), 20);
            QCOMPARE(std::adjacent_find(ranks.begin(), ranks.end()), ranks.end());
        }
    }
    QVERIFY(fileContents(workbook + ".goalposts.csv")
                .startsWith("Indicatore;Polarit\xc3\xa0;Inf;Sup;Ref;Min;Max\r\nPIL pro capite "
                            "(migliaia di euro);+;"));
}

// run writes each method's files while the next one is computed: what it
// prints, the failure that stops it and the files it leaves still follow
// the method list.
void TestBatchCli::runReportsMethodsInListOrder() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath("negativi.csv");
    // A negative value: the three means of index numbers refuse the matrix.
    QVERIFY(writeFileBytes(workbook, "Zona,Reddito,Occupati\n\"Alto\r\nMonte\",-2.5,60\n"
                                     "Basso,3.5,70\nCentro,4.25,65\n"));
    BatchRun run = runBatch({"run", workbook});
    QCOMPARE(run.exitCode, 3);
    const QStringList codes{"MPI+", "MPI-", "WROC", "M1VZ", "GRAD", "INRE"};
    const QStringList out = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(out.size(), codes.size());
    for (qsizetype i = 0; i < codes.size(); ++i)
        QVERIFY2(out[i].startsWith(codes[i] + ": "), qPrintable(run.out));
    const QStringList err = run.err.split(u'\n', Qt::SkipEmptyParts);
    // Each refusal names the cell, the unit's two lines on one.
    QCOMPARE(err.size(), 6);
    QVERIFY2(err[0].startsWith("ANIM") && err[4].startsWith("QNIM"), qPrintable(run.err));
    QCOMPARE(err[1], QStringLiteral("Prima cella: B2 (Alto Monte, Reddito), valore -2.5."));
    QVERIFY(!QFile::exists(workbook + ".outM1NI.csv"));
    // The label typed on two lines stays on one line of the file.
    QVERIFY(fileContents(workbook + ".outINRE.rnk").startsWith("Zona;IR\r\nAlto Monte;3\r\n"));

    // A name the ranks file of WROC cannot take: the two methods before it
    // are reported, no later method's files are written.
    QVERIFY(QFile::remove(workbook + ".outWROC.rnk"));
    QVERIFY(QDir(dir.path()).mkdir("negativi.csv.outWROC.rnk"));
    QVERIFY(QFile::remove(workbook + ".outM1VZ.csv"));
    run = runBatch({"run", workbook});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out.count(u'\n'), 2);
    QVERIFY2(run.err.contains("negativi.csv.outWROC.rnk"), qPrintable(run.err));
    QVERIFY(!QFile::exists(workbook + ".outM1VZ.csv"));
}

// A label and an indicator holding ";": every ";" file keeps as many fields
// on each line as on its header, and reads back for the next command.
void TestBatchCli::semicolonsInFieldsAreQuoted() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath("zone.csv");
    QVERIFY(writeFileBytes(workbook, "Zona,\"Reddito;euro\",Occupati\n\"a;b\",2.5,60\n"
                                     "Basso,3.5,70\n\"\"\"c\"\"\",4.25,65\n"));
    QCOMPARE(runBatch({"run", workbook, "--methods", "MPI+,WROC"}).exitCode, 0);
    QVERIFY(fileContents(workbook + ".outMPI+.csv").contains("\r\n\"a;b\";"));
    QVERIFY(fileContents(workbook + ".outWROC.rnk").contains("\r\n\"\"\"c\"\"\";"));
    QCOMPARE(runBatch({"compare", workbook, "MPI+", "WROC"}).exitCode, 0);
    QVERIFY(fileContents(workbook + ".val.csv").contains("\r\n\"a;b\";"));
    QCOMPARE(runBatch({"robustness", workbook, "MPI+", "WROC"}).exitCode, 0);
    QVERIFY(fileContents(workbook + ".rob.csv").contains("\r\n\"a;b\";"));
    const BatchRun check = runBatch({"check", workbook});
    QVERIFY2(check.out.contains("\n\"Reddito;euro\";+;"), qPrintable(check.out));
    const BatchRun exported = runBatch({"export", workbook, dir.filePath("zone.xlsx")});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY2(exported.err.isEmpty(), qPrintable(exported.err));
}

// Values and ranks of two runs, and special files at the names of result
// files: compare and robustness refuse them (the special files at once,
// without waiting on them), export leaves them out naming the file and why.
void TestBatchCli::resultFilesTheComparisonRefuses() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), workbook));
    QCOMPARE(runBatch({"run", workbook, "--methods", "MPI+,MPI-,WROC"}).exitCode, 0);
    // Values of a later run beside the ranks of an earlier one.
    const QString wroc = workbook + ".outWROC.csv";
    QByteArray values = fileContents(wroc);
    QVERIFY(writeFileBytes(wroc, values.replace(values.indexOf("\r\n", 20) - 6, 6, "9.9999")));
    BatchRun run = runBatch({"export", workbook, dir.filePath("r.xlsx")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(
        run.err.startsWith("regioni.xlsx.outWROC.csv tralasciato: modificato dopo il calcolo."),
        qPrintable(run.err));
    // Without the record, the files are read as before, each with a notice.
    QVERIFY(QFile::remove(workbook + ".registro.json"));
    run = runBatch({"export", workbook, dir.filePath("r.xlsx")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.contains("Origine di regioni.xlsx.outMPI+.csv non verificabile"));
    QVERIFY2(run.err.startsWith("regioni.xlsx.outWROC.rnk tralasciato. I ranghi del file "
                                "regioni.xlsx.outWROC.rnk non corrispondono"),
             qPrintable(run.err));

    for (const SpecialFile kind : {SpecialFile::Device, SpecialFile::Pipe}) {
        QVERIFY(makeSpecialFile(workbook + ".outMPI+.csv", kind));
        run = runBatch({"robustness", workbook, "MPI+", "MPI-"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("Impossibile leggere il file regioni.xlsx.outMPI+.csv: non "
                                    "è un file regolare"),
                 qPrintable(run.err));
    }
}

// Where the structure comes from (the Struttura sheet, the file beside the
// workbook, --structure, none with --no-structure), what check and run
// print with it, and the exit status of a structure refused.
void TestBatchCli::structures_data() {
    QTest::addColumn<QString>("example");
    QTest::addColumn<QByteArray>("beside");    // <workbook>.struttura.csv, when not empty
    QTest::addColumn<QByteArray>("structure"); // the file STRUCTURE, when not empty
    QTest::addColumn<QStringList>("args");     // WORKBOOK: the copy of the example
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString framework = QStringLiteral("regioni_struttura.xlsx");
    const QString flat = QStringLiteral("regioni.xlsx");
    QTest::newRow("check: the tree")
        << framework << QByteArray() << QByteArray() << QStringList{"check", "WORKBOOK"} << 0
        << "Valori nulli: no\nStruttura: 4 dimensioni, 8 indicatori, dal foglio Struttura\n"
           "Indice complessivo\n  Benessere economico - quota 0.363636, peso effettivo 0.363636\n"
           "    PIL pro capite (migliaia di euro) - quota 0.500000, peso effettivo 0.181818\n"
        << "";
    QTest::newRow("check: no structure")
        << framework << QByteArray() << QByteArray()
        << QStringList{"check", "WORKBOOK", "--no-structure"} << 0 << "Valori nulli: no\n<end>"
        << "";
    QTest::newRow("run: the group files")
        << framework << QByteArray() << QByteArray()
        << QStringList{"run", "WORKBOOK", "--methods", "GRAD"} << 0
        << "regioni_struttura.xlsx.outGRAD.rnk, WORKBOOK.dimGRAD.csv, WORKBOOK.dimGRAD.rnk.csv\n"
        << "";
    QTest::newRow("beside the workbook: an indicator missing")
        << flat << QByteArray("Elemento;Padre\r\nPIL pro capite (migliaia di euro);Economia\r\n")
        << QByteArray() << QStringList{"run", "WORKBOOK"} << 2 << "<end>"
        << "Struttura: l'indicatore Tasso di occupazione 20-64 (%) della matrice non è nella "
           "struttura.";
    QTest::newRow("--structure before the sheet: a weight below 0")
        << framework << QByteArray() << QByteArray("PESO;elemento;Padre\r\n1;A;\r\n-2;B;\r\n")
        << QStringList{"sensitivity", "WORKBOOK", "GRAD", "--structure", "STRUCTURE"} << 2
        << "<end>"
        << "Struttura, riga 3: il peso di B (-2) non è un numero maggiore o uguale a 0.";
    QTest::newRow("ampi: the structure beside the panel refused")
        << QStringLiteral("regioni_periodi.xlsx")
        << QByteArray("Elemento;Padre\r\nPIL pro capite (migliaia di euro);Economia\r\n")
        << QByteArray() << QStringList{"ampi", "WORKBOOK"} << 2 << "<end>"
        << "Struttura: l'indicatore Tasso di occupazione 20-64 (%) della matrice non è nella "
           "struttura.";
    QTest::newRow("ampi: the group files, a blank row skipped")
        << QStringLiteral("regioni_periodi.xlsx") << QByteArray()
        << QByteArray("Elemento;Padre\r\n"
                      "PIL pro capite (migliaia di euro);Economia\r\n"
                      "Tasso di occupazione 20-64 (%);Economia\r\n"
                      "disoccupazione giovanile (%);Economia\r\n"
                      ";\r\n"
                      "Speranza di vita alla nascita;Società\r\n"
                      "abbandono scolastico (%);Società\r\n"
                      "Laureati 30-34 anni (%);Società\r\n"
                      "povertà relativa familiare (%);Società\r\n"
                      "emigrazione ospedaliera (%);Società\r\n")
        << QStringList{"ampi", "WORKBOOK", "--structure", "STRUCTURE"} << 0
        << "WORKBOOK.AMPI-.dim.rnk.csv\n<end>"
        << "";
    QTest::newRow("--structure: a folder")
        << flat << QByteArray() << QByteArray()
        << QStringList{"check", "WORKBOOK", "--structure", "FOLDER"} << 1 << "<end>"
        << "è una cartella";
    QTest::newRow("--structure: no such file")
        << flat << QByteArray() << QByteArray()
        << QStringList{"check", "WORKBOOK", "--structure", "assente.csv"} << 1 << "<end>"
        << "assente.csv";
    QTest::newRow("both options") << flat << QByteArray() << QByteArray("x")
                                  << QStringList{"export",      "WORKBOOK",  "r.xlsx",
                                                 "--structure", "STRUCTURE", "--no-structure"}
                                  << 1 << "<end>"
                                  << "Le opzioni --structure e --no-structure si escludono";
}

void TestBatchCli::structures() {
    QFETCH(QString, example);
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, structure);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString workbook = dir.filePath(example);
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/") + example, workbook));
    if (!beside.isEmpty())
        QVERIFY(writeFileBytes(workbook + ".struttura.csv", beside));
    if (!structure.isEmpty())
        QVERIFY(writeFileBytes(dir.filePath("s.csv"), structure));
    args.replaceInStrings("WORKBOOK", workbook)
        .replaceInStrings("STRUCTURE", dir.filePath("s.csv"))
        .replaceInStrings("FOLDER", dir.path());
    const BatchRun run = runBatch(args);
    QCOMPARE(run.exitCode, exitCode);
    // "<end>" stands for the end of the output: nothing after, or nothing at all.
    const QString printed = run.out + QStringLiteral("<end>");
    out.replace("WORKBOOK", workbook);
    QVERIFY2(out == "<end>" ? run.out.isEmpty() : printed.contains(out), qPrintable(run.out));
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
}

void TestBatchCli::audit_data() {
    QTest::addColumn<QString>("example");
    QTest::addColumn<QStringList>("lines"); // SUFFIX|LINE NUMBER|the line, from 0
    QTest::addColumn<QStringList>("out");   // lines of stdout, in order
    const QString all = QStringLiteral("|Tutti gli indicatori;");
    const QString pil = QStringLiteral("PIL pro capite (migliaia di euro)");
    const QString tasso = QStringLiteral("Tasso di occupazione 20-64 (%)");
    const QString disoccupazione = QStringLiteral("disoccupazione giovanile (%)");
    const QString poverta = QStringLiteral("povertà relativa familiare (%)");
    QTest::newRow("without a structure")
        << QStringLiteral("regioni.xlsx")
        << QStringList{".audit.csv|0|Indicatore;Polarita;Media;Scarto campionario;Minimo;Massimo;"
                       "Asimmetria;Curtosi;Anomalo",
                       ".audit.csv|8|emigrazione ospedaliera (%);-;11.7250;6.9597;4.5000;"
                       "28.4000;1.3119;0.9310;no",
                       ".correlazioni.csv|2|Tasso di occupazione 20-64 (%);0.9214;1.0000;;;;;;",
                       ".correlazioni.spearman.csv|2|Tasso di occupazione 20-64 (%);0.9444;"
                       "1.0000;;;;;;",
                       ".coerenza.csv|1" + all + "8;0.9535;6.1992;0.7749;",
                       ".pca.csv|1" + all + "PIL pro capite (migliaia di euro);0.3697",
                       ".pca.csv|8" + all + "emigrazione ospedaliera (%);0.1976"}
        << QStringList{"Coppia ridondante: " + pil + " e " + tasso + " (r = 0.9214)",
                       "Coppia ridondante: " + pil + " e " + disoccupazione + " (r = 0.9084)",
                       "Coppia ridondante: " + pil + " e " + poverta + " (r = 0.9395)",
                       "Coppia ridondante: " + tasso + " e " + disoccupazione + " (r = 0.9742)",
                       "Coppia ridondante: " + tasso + " e " + poverta + " (r = 0.9906)",
                       "Coppia ridondante: " + disoccupazione + " e " + poverta + " (r = 0.9644)"};
    QTest::newRow("groups of the structure first, pairs within a group")
        << QStringLiteral("regioni_struttura.xlsx")
        << QStringList{".coerenza.csv|1|Benessere economico;2;0.9688;1.9395;",
                       ".coerenza.csv|2|Lavoro;2;0.9869;1.9742;0.9871;1",
                       ".coerenza.csv|5" + all + "8;0.9535;6.1992;0.7749;",
                       ".pca.csv|3|Lavoro;Tasso di occupazione 20-64 (%);0.7071"}
        << QStringList{"Coppia ridondante: " + pil + " e " + poverta + " (r = 0.9395)",
                       "Coppia ridondante: " + tasso + " e " + disoccupazione + " (r = 0.9742)"};
}

// Figures computed independently of the program from the sample's data.
void TestBatchCli::audit() {
    QFETCH(QString, example);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, out);
    qputenv("LC_ALL", "C.UTF-8");
    QTemporaryDir dir;
    const QString workbook = dir.filePath(example);
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/") + example, workbook));
    const BatchRun run = runBatch({"audit", workbook});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QStringList printed = run.out.split(u'\n', Qt::SkipEmptyParts);
    printed.removeIf([](const QString& line) { return !line.startsWith("Coppia"); });
    QCOMPARE(printed, out);
    for (const QString& expected : lines) {
        const QStringList parts = expected.split(u'|');
        const QStringList file =
            QString::fromUtf8(fileContents(workbook + parts[0])).split(QStringLiteral("\r\n"));
        QVERIFY2(file.last().isEmpty(), "every line ends in CR LF");
        const int at = parts[1].toInt();
        QVERIFY2(at < file.size() && file[at].startsWith(parts[2]),
                 qPrintable(parts[0] + u' ' + file.value(at)));
    }
    // A matrix of 8 indicators: 9 lines of 9 fields; no treatment without --outliers.
    for (const char* suffix : {".correlazioni.csv", ".correlazioni.spearman.csv"})
        for (const QString& line : QString::fromUtf8(fileContents(workbook + suffix))
                                       .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            QCOMPARE(line.count(u';'), 8);
    QCOMPARE(lineCount(workbook + ".audit.csv"), 9);
    QVERIFY(!QFile::exists(workbook + ".trattamenti.csv"));
}

// An indicator with one extreme value of twelve is winsorised once: the
// record and the changed cell are written, and the methods run on the
// treated value.
void TestBatchCli::outlierTreatment() {
    qputenv("LC_ALL", "C.UTF-8");
    QTemporaryDir dir;
    const QString workbook = dir.filePath("anomali.csv");
    QByteArray text = "Unità;A;b\r\n";
    for (int i = 1; i <= 12; ++i)
        text += "U" + QByteArray::number(i) + ';' + QByteArray::number(i == 12 ? 100 : i) + ';' +
                QByteArray::number((i * 7) % 12 + 0.5) + "\r\n";
    QVERIFY(writeFileBytes(workbook, text));
    QCOMPARE(runBatch({"run", workbook, "--methods", "M1VZ"}).exitCode, 0);
    const QByteArray untreated = fileContents(workbook + ".outM1VZ.csv");
    QVERIFY(!QFile::exists(workbook + ".trattamenti.csv"));
    for (const QStringList& args :
         {QStringList{"audit", workbook, "--outliers"},
          QStringList{"run", workbook, "--outliers", "--methods", "M1VZ"}}) {
        const BatchRun run = runBatch(args);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("Trattamento dei valori anomali: "));
        QCOMPARE(fileContents(workbook + ".trattamenti.csv"),
                 QByteArray("Indicatore;Trattamento;Valori;Asimmetria prima;Curtosi prima;"
                            "Asimmetria dopo;Curtosi dopo\r\n"
                            "A;winsorizzazione;1;3.3809;11.5852;-0.1091;-1.3199\r\n"));
        QCOMPARE(fileContents(workbook + ".trattati.csv"),
                 QByteArray("Unità;Indicatore;Originale;Trattato\r\nU12;A;100;11\r\n"));
    }
    // Audited after the treatment: A is no longer flagged.
    QVERIFY(fileContents(workbook + ".audit.csv").contains("\r\nA;+;6.4167;"));
    const QByteArray treated = fileContents(workbook + ".outM1VZ.csv");
    QVERIFY(!treated.isEmpty() && treated != untreated);
    // The other commands that load the matrix take the treated one too.
    const BatchRun checked = runBatch({"check", workbook, "--outliers"});
    QCOMPARE(checked.exitCode, 0);
    QVERIFY2(checked.out.contains("\nA;+;1;11;"), qPrintable(checked.out));
}

void TestBatchCli::monteCarlo() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), workbook));

    // No factor: refused before anything is read or written.
    BatchRun run = runBatch({"montecarlo", workbook, "--methods", "WROC"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!QFile::exists(workbook + ".mc.csv"));
    QCOMPARE(runBatch({"montecarlo", workbook, "--weights", "1.5"}).exitCode, 1);

    const QStringList args{"montecarlo", workbook, "--methods",   "WROC,MPI+",
                           "--weights",  "0.3",    "--leave-out", "--outliers",
                           "--runs",     "80",     "--sobol"};
    run = runBatch(args);
    QCOMPARE(run.exitCode, 0);
    // N (k + 2) rankings computed, the unit figures over the 2N of A and B.
    QVERIFY2(run.out.endsWith("\n480 graduatorie (le cifre delle unità su 160)\n"),
             qPrintable(run.out + run.err));
    const QByteArray mc = fileContents(workbook + ".mc.csv");
    QVERIFY(mc.startsWith("Regione;Nominale;Mediana;Media;P5;P95;Migliore;Peggiore\r\n"));
    QCOMPARE(lineCount(workbook + ".mc.csv"), 21);
    const QByteArray sobol = fileContents(workbook + ".sobol.csv");
    const QList<QByteArray> factors = sobol.split('\n');
    QCOMPARE(factors.size(), 6); // header, four factors, the last line break
    QVERIFY(factors[1].startsWith("Metodo;") && factors[4].startsWith("Anomali;"));
    QVERIFY(fileContents(workbook + ".sobol.unita.csv")
                .startsWith("Regione;Metodo;Pesi;Indicatore escluso;Anomali\r\n"));

    // The same seed gives the same files; another seed other draws.
    const QByteArray units = fileContents(workbook + ".sobol.unita.csv");
    QCOMPARE(runBatch(args).exitCode, 0);
    QCOMPARE(fileContents(workbook + ".mc.csv"), mc);
    QCOMPARE(fileContents(workbook + ".sobol.csv"), sobol);
    QCOMPARE(fileContents(workbook + ".sobol.unita.csv"), units);
    QCOMPARE(runBatch(args + QStringList{"--seed", "2"}).exitCode, 0);
    QVERIFY(fileContents(workbook + ".sobol.csv") != sobol);

    // The treatment of gaps as a factor: a line of its own; an unknown one
    // refused.
    const QString gappy = dir.filePath(QStringLiteral("regioni_lacune.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_lacune.xlsx"), gappy));
    run = runBatch({"montecarlo", gappy, "--missing", "mean,em", "--runs", "40", "--sobol"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(fileContents(gappy + ".sobol.csv").contains("\nMancanti;"), qPrintable(run.err));
    QCOMPARE(runBatch({"montecarlo", gappy, "--missing", "mean,zero"}).exitCode, 1);
}

namespace {

// Five units by three indicators with an empty cell, an "NA" and an "n.d.":
// every indicator has 4 of 5 values, U2, U3 and U4 two of three.
const QByteArray kGappy = "Unità;A;b;C\r\nU1;1;5;2\r\nU2;2;;3\r\nU3;NA;7;1\r\n"
                          "U4;4;8;n.d.\r\nU5;8;6;9\r\n";

} // namespace

void TestBatchCli::gaps_data() {
    QTest::addColumn<QStringList>("args"); // after the workbook
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");        // a part of stdout
    QTest::addColumn<QByteArray>("imputed"); // .imputati.csv; empty when none is written
    QTest::addColumn<bool>("coverage");      // .copertura.csv written

    const QByteArray header = "Unità;Indicatore;Valore;Trattamento\r\n";
    QTest::newRow("check refuses and tells the coverage")
        << QStringList{"check"} << 2 << "Copertura: 3 valori mancanti (20.0%)" << QByteArray()
        << false;
    QTest::newRow("check names what the rule would leave out")
        << QStringList{"check", "--min-coverage", "0.7"} << 2
        << "Unità con copertura inferiore al 70%: U2, U3, U4" << QByteArray() << false;
    QTest::newRow("means of the available values")
        << QStringList{"run", "--missing", "mean"} << 0 << "Valori mancanti (mean): "
        << header + "U2;b;6.5;media\r\nU3;A;3.75;media\r\nU4;C;3.75;media\r\n"
        << true;
    QTest::newRow("medians") << QStringList{"run", "--missing", "median"} << 0
                             << "Valori mancanti (median): "
                             << header +
                                    "U2;b;6.5;mediana\r\nU3;A;3;mediana\r\nU4;C;2.5;mediana\r\n"
                             << true;
    QTest::newRow("available values fill nothing")
        << QStringList{"run", "--missing", "available"} << 0
        << "Valori mancanti (available): " << QByteArray() << true;
    QTest::newRow("units below the threshold left out and named")
        << QStringList{"run", "--missing", "mean", "--min-coverage", "0.7"} << 0
        << "Unità con copertura inferiore al 70%: U2, U3, U4" << header << true;
    QTest::newRow("unknown treatment")
        << QStringList{"run", "--missing", "zero"} << 1 << "" << QByteArray() << false;
    QTest::newRow("coverage out of range")
        << QStringList{"run", "--missing", "mean", "--min-coverage", "1.5"} << 1 << ""
        << QByteArray() << false;
    QTest::newRow("the audit takes gaps without a treatment, leaving nothing out")
        << QStringList{"audit", "--min-coverage", "0.7"} << 0 << "Copertura: 3 valori mancanti"
        << QByteArray() << false;
    QTest::newRow("treatments as a factor of the uncertainty")
        << QStringList{"uncertainty", "--all", "--missing-factor", "available,mean,em"} << 0
        << "(108 graduatorie)" << QByteArray() << false;
}

void TestBatchCli::gaps() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QByteArray, imputed);
    QFETCH(bool, coverage);
    qputenv("LC_ALL", "C.UTF-8");
    QTemporaryDir dir;
    const QString workbook = dir.filePath("lacune.csv");
    QVERIFY(writeFileBytes(workbook, kGappy));
    args.insert(1, workbook);
    const BatchRun run = runBatch(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.contains(out), qPrintable(run.out + run.err));
    QCOMPARE(QFile::exists(workbook + ".imputati.csv"), !imputed.isEmpty());
    if (!imputed.isEmpty())
        QCOMPARE(fileContents(workbook + ".imputati.csv"), imputed);
    QCOMPARE(QFile::exists(workbook + ".copertura.csv"), coverage);
    if (coverage) {
        const QByteArray lines = fileContents(workbook + ".copertura.csv");
        QVERIFY(lines.startsWith("Elemento;Tipo;Disponibili;Mancanti;Copertura\r\n"
                                 "A;indicatore;4;1;0.8000\r\nb;indicatore;4;1;0.8000\r\n"
                                 "C;indicatore;4;1;0.8000\r\nU1;unita;3;0;1.0000\r\n"
                                 "U2;unita;2;1;0.6667\r\n"));
        QCOMPARE(lines.count("\r\n"), 9);
    }
    if (args.first() == "audit") {
        QVERIFY2(!run.out.contains("inferiore"), qPrintable(run.out));
        QVERIFY(fileContents(workbook + ".audit.csv").contains("\r\nA;+;3.7500;"));
    }
}

// At a threshold of 19%: F (1 of 6) is left out, and with it G4, its only
// group; U4 has only E, of weight 0, so no overall index: left out too.
// The coverage file counts units over the indicators kept, groups over the
// units kept.
void TestBatchCli::gapsUnderAStructure() {
    qputenv("LC_ALL", "C.UTF-8");
    QTemporaryDir dir;
    const QString workbook = dir.filePath("lacune.csv");
    QVERIFY(writeFileBytes(workbook, "Unità;A;B;C;D;E;F\r\nU1;1;5;2;3;1;\r\nU2;2;4;3;1;;3\r\n"
                                     "U3;3;;1;2;;\r\nU4;;;;;7;\r\nU5;5;6;4;4;;\r\n"
                                     "U6;4;7;5;6;2;\r\n"));
    QVERIFY(writeFileBytes(workbook + ".struttura.csv", "Elemento;Padre;Peso\r\nA;G1;\r\nB;G2;\r\n"
                                                        "C;G2;\r\nD;G3;\r\nE;;0\r\nF;G4;\r\n"));
    const BatchRun run = runBatch(
        {"run", workbook, "--missing", "available", "--min-coverage", "0.19", "--methods", "M1VZ"});
    QCOMPARE(run.exitCode, 0);
    for (const char* line : {"Indicatori con copertura inferiore al 19%: F\n",
                             "Struttura: il gruppo G4 resta senza indicatori ed è escluso.\n",
                             "Unità senza indice complessivo: U4\n"})
        QVERIFY2(run.out.contains(QString::fromUtf8(line)), qPrintable(run.out + run.err));
    QVERIFY(!fileContents(workbook + ".outM1VZ.csv").contains("U4"));
    QVERIFY(fileContents(workbook + ".dimM1VZ.csv").startsWith("Unità;G1;G2;G3\r\n"));
    const QByteArray coverage = fileContents(workbook + ".copertura.csv");
    QVERIFY2(coverage.contains("\r\nF;indicatore;1;5;0.1667\r\n") &&
                 coverage.contains("\r\nU2;unita;4;1;0.8000\r\n") &&
                 coverage.contains("\r\nU4;unita;1;4;0.2000\r\n") &&
                 coverage.contains("\r\nU3;G2;1;1;0.5000\r\n") && !coverage.contains("U4;G") &&
                 !coverage.contains(";G4;"),
             coverage.constData());
    QCOMPARE(runBatch({"sensitivity", workbook, "GRAD", "--missing", "available", "--min-coverage",
                       "0.19"})
                 .exitCode,
             0);
}

// Every command that loads a matrix takes the same options; a text that
// marks no missing value is counted once, as a text; a row wider than its
// header is refused; Sobol indices need 10 runs.
void TestBatchCli::matrixOptionsAndCounts() {
    qputenv("LC_ALL", "C.UTF-8");
    QTemporaryDir dir;
    const QString workbook = dir.filePath("lacune.csv");
    QVERIFY(writeFileBytes(workbook, kGappy));
    BatchRun run = runBatch({"montecarlo", workbook, "--methods", "MPI+,WROC", "--missing",
                             "mean,em", "--min-coverage", "0.7", "--runs", "20"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains("Unità con copertura inferiore al 70%: U2, U3, U4"),
             qPrintable(run.out + run.err));
    QVERIFY2(run.out.endsWith("\n20 graduatorie\n"), qPrintable(run.out));
    run = runBatch({"montecarlo", workbook, "--methods", "MPI+,WROC", "--sobol", "--runs", "9"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("Gli indici di Sobol richiedono almeno 10 estrazioni"),
             qPrintable(run.err));

    QVERIFY(writeFileBytes(workbook, QByteArray(kGappy).replace("U5;8;6;9", "U5;8;6;...")));
    run = runBatch({"check", workbook, "--missing", "mean"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.out.contains("Copertura: 3 valori mancanti (20.0%) e 1 celle con un testo che "
                              "non è un numero né un valore mancante"),
             qPrintable(run.out));
    QVERIFY2(run.err.contains("Prima cella: D6 (U5)"), qPrintable(run.err));

    QVERIFY(writeFileBytes(workbook, "U,A,B\nU1,1,5,2\nU2,2,6\nU3,4,1\n"));
    run = runBatch({"check", workbook});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("Il file lacune.csv non è una tabella valida: la riga 2 ha 4 "
                                "campi, più dei 3 dell'intestazione (riga 1)"),
             qPrintable(run.err));
}

// A matrix without gaps: every treatment leaves every result file as it is.
void TestBatchCli::completeMatrixUnderEveryTreatment() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath("regioni.xlsx");
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), workbook));
    const auto results = [&]() {
        QList<QByteArray> contents;
        for (const QString& name : QDir(dir.path()).entryList({"regioni.xlsx.out*"}, QDir::Files))
            contents.append(fileContents(dir.filePath(name)));
        return contents;
    };
    QCOMPARE(runBatch({"run", workbook}).exitCode, 0);
    const QList<QByteArray> refused = results();
    QCOMPARE(refused.size(), 18);
    for (const char* treatment : {"available", "mean", "median", "em"}) {
        QCOMPARE(runBatch({"run", workbook, "--missing", treatment}).exitCode, 0);
        QVERIFY2(results() == refused, treatment);
    }
}

// The record of the sample framework's outputs: every one replayed
// identical; then the files left behind by a rewrite, a Monte Carlo without
// Sobol indices, results without the structure and another matrix are
// refused by the readers, naming why, and told by history.
void TestBatchCli::recordHistoryAndReplay() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni_struttura.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_struttura.xlsx"), workbook));
    const QList<QStringList> commands{
        {"run", workbook},
        {"compare", workbook, "--all"},
        {"robustness", workbook, "--all"},
        {"uncertainty", workbook, "--all"},
        {"montecarlo", workbook, "--all", "--runs", "20", "--seed", "7", "--sobol"}};
    for (const QStringList& command : commands)
        QCOMPARE(runBatch(command).exitCode, 0);
    // compare --all follows the method table.
    QVERIFY(fileContents(workbook + ".val.csv")
                .split('\r')
                .first()
                .endsWith(";MPI+;MPI-;Wroclaw;M1Z;Grad.RNK;IR;ANIM;GNIM;QNIM"));
    BatchRun run = runBatch({"replay", workbook, "--into", dir.filePath("replay")});
    QCOMPARE(run.exitCode, 0);
    // Four files for each method, two of the comparison, the rank summary,
    // the uncertainty and three of the Monte Carlo.
    QCOMPARE(run.out.count(": identico\n"), 43);
    QVERIFY(!run.out.contains("diverso"));

    QCOMPARE(runBatch({"montecarlo", workbook, "--all", "--runs", "20"}).exitCode, 0);
    QCOMPARE(runBatch({"run", workbook, "--no-structure", "--methods", "GRAD"}).exitCode, 0);
    run = runBatch({"export", workbook, dir.filePath("r.xlsx")});
    QCOMPARE(run.exitCode, 0);
    for (const char* line :
         {"regioni_struttura.xlsx.outGRAD.csv tralasciato: calcolato senza struttura.",
          "regioni_struttura.xlsx.sobol.csv tralasciato: scritto con "
          "regioni_struttura.xlsx.mc.csv, "
          "che è stato riscritto senza di esso."})
        QVERIFY2(run.err.contains(QString::fromUtf8(line)), qPrintable(run.err));
    run = runBatch({"history", workbook});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(
        run.out.contains("regioni_struttura.xlsx.dimGRAD.csv\n  scritto da: orvalta-batch run "));
    QVERIFY(run.out.contains("stato: da ricalcolare (scritto con regioni_struttura.xlsx.outGRAD"));

    QVERIFY(QFile::remove(workbook));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xlsx"), workbook));
    run = runBatch({"compare", workbook, "MPI+", "WROC"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("regioni_struttura.xlsx.outMPI+.csv non è aggiornato: calcolato su "
                              "un'altra versione della matrice"),
             qPrintable(run.err));
}

// Result files written under Italian settings (decimal commas), then
// compared and exported in an English session: the comparison reads every
// value and the export keeps every method.
void TestBatchCli::filesOfBothSeparators() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni.xls"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xls"), workbook));
    qputenv("LC_ALL", "it_IT.UTF-8");
    const int italianRun = runBatch({"run", workbook}).exitCode;
    qputenv("LC_ALL", "C.UTF-8");
    QCOMPARE(italianRun, 0);
    QVERIFY(QRegularExpression(QStringLiteral(";\\d+,\\d{4}\r\n"))
                .match(QString::fromUtf8(fileContents(workbook + ".outWROC.csv")))
                .hasMatch());
    QCOMPARE(runBatch({"compare", workbook, "--all"}).exitCode, 0);
    const QList<QByteArray> lines = fileContents(workbook + ".val.csv").split('\n');
    QVERIFY(lines.size() > 3);
    for (qsizetype k = 1; k < lines.size(); ++k) {
        if (lines[k].isEmpty())
            continue;
        const QList<QByteArray> fields = lines[k].trimmed().split(';');
        QCOMPARE(fields.size(), 10);
        for (qsizetype f = 1; f < fields.size(); ++f) {
            bool number = false;
            fields[f].toDouble(&number);
            QVERIFY2(number, lines[k].constData());
        }
    }
    const BatchRun exported = runBatch({"export", workbook, dir.filePath("r.xlsx")});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY2(!exported.err.contains(QStringLiteral("tralasciato")), qPrintable(exported.err));
    XlsxReader reader;
    for (int sheet = 1; sheet <= 9; ++sheet) {
        reader.setSheetIndex(sheet);
        QVERIFY(reader.open(dir.filePath("r.xlsx")));
        QVERIFY2(reader.cell(2, 2).isNumber() && reader.cell(lines.size() - 2, 2).isNumber(),
                 qPrintable(QString::number(sheet)));
    }
}

// Processes writing outputs of one workbook at once (a method each) wait
// for each other around the record: no entry is lost, every file current.
void TestBatchCli::concurrentWritersKeepEveryEntry() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni.xls"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni.xls"), workbook));
    const QStringList codes{"MPI+", "MPI-", "WROC", "M1VZ", "GRAD", "INRE", "M1NI", "M0NI", "M2NI"};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString& code : codes) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(QStringLiteral(ORVALTA_BATCH), {"run", workbook, "--methods", code});
    }
    for (const auto& writer : writers) {
        QVERIFY(writer->waitForFinished(60000));
        QCOMPARE(writer->exitCode(), 0);
    }
    const Expected<Record> record = readRecord(workbook);
    QVERIFY(record);
    QCOMPARE(record->entries.size(), std::size_t(2 * codes.size()));
    HashCache hashes;
    for (const auto& [name, entry] : record->entries)
        QVERIFY2(currencyOf(workbook, *record, dir.filePath(name), hashes).current(),
                 qPrintable(name));
    QVERIFY(!QFileInfo::exists(recordPath(workbook) + QStringLiteral(".lock")));
}

// Composites defined beside a workbook run after the nine, whose files stay
// byte for byte what they are without composites; each composite's files
// are recorded with its definition.
void TestBatchCli::compositesBesideTheNine() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("a")) &&
            QDir(dir.path()).mkdir(QStringLiteral("b")));
    const QString name = QStringLiteral("regioni_struttura.xlsx");
    const QString plain = dir.filePath(QStringLiteral("a/") + name);
    const QString workbook = dir.filePath(QStringLiteral("b/") + name);
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/") + name, plain));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/") + name, workbook));
    QVERIFY(writeFileBytes(workbook + QStringLiteral(".metodi.csv"),
                           "codice;NOME;Normalizzazione;Aggregazione;Costruzione\r\n"
                           "J;Stile JRC;minmax;mean;\r\nP;Per livello;zscore(100,10);mpi-;"
                           "per-level\r\n"));
    QCOMPARE(runBatch({"run", plain}).exitCode, 0);
    BatchRun run = runBatch({"run", workbook});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(
        run.out.contains(QStringLiteral("M2NI: ")) &&
            run.out.indexOf(QStringLiteral("M2NI: ")) < run.out.indexOf(QStringLiteral("\nJ: ")) &&
            run.out.indexOf(QStringLiteral("\nJ: ")) < run.out.indexOf(QStringLiteral("\nP: ")),
        qPrintable(run.out));
    for (const QString& code : methodCodes())
        for (const QString& suffix :
             {QStringLiteral(".out%1.csv"), QStringLiteral(".out%1.rnk"),
              QStringLiteral(".dim%1.csv"), QStringLiteral(".dim%1.rnk.csv")})
            QVERIFY2(fileContents(plain + suffix.arg(code)) ==
                         fileContents(workbook + suffix.arg(code)),
                     qPrintable(suffix.arg(code)));
    const QByteArray values = fileContents(workbook + QStringLiteral(".outJ.csv"));
    QVERIFY2(values.startsWith("Regione;Stile JRC\r\n"), values.left(40).constData());
    QCOMPARE(lineCount(workbook + QStringLiteral(".outJ.csv")),
             lineCount(workbook + QStringLiteral(".outMPI+.csv")));
    QVERIFY(QFileInfo::exists(workbook + QStringLiteral(".dimP.rnk.csv")));
    const QJsonObject files =
        QJsonDocument::fromJson(fileContents(workbook + QStringLiteral(".registro.json")))
            .object()
            .value(QStringLiteral("files"))
            .toObject();
    const QJsonObject settings = files.value(name + QStringLiteral(".dimP.csv"))
                                     .toObject()
                                     .value(QStringLiteral("settings"))
                                     .toObject();
    QCOMPARE(settings.value(QStringLiteral("composite")).toString(),
             QStringLiteral("zscore(100,10);mpi-;per-level"));
    QCOMPARE(settings.value(QStringLiteral("method")).toString(), QStringLiteral("P"));

    run = runBatch({"check", workbook});
    QVERIFY2(run.out.contains(QStringLiteral("J - Stile JRC: minmax, mean, upward")),
             qPrintable(run.out));
    run = runBatch({"run", workbook, "--methods", "j,WROC"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(QStringLiteral("Struttura")) &&
                 run.out.contains(QStringLiteral("\nWROC: ")) &&
                 run.out.indexOf(QStringLiteral("\nWROC: ")) <
                     run.out.indexOf(QStringLiteral("\nJ: ")),
             qPrintable(run.out));

    // The Monte Carlo draws among them, their normalisations and
    // aggregations after the other factors.
    run =
        runBatch({"montecarlo", workbook, "--methods", "J,P", "--normalisations",
                  "minmax(1,100),rank", "--aggregations", "geometric", "--runs", "20", "--sobol"});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> factors = fileContents(workbook + ".sobol.csv").split('\n');
    QVERIFY2(factors.size() == 5 && factors[1].startsWith("Metodo;") &&
                 factors[2].startsWith("Normalizzazione;") &&
                 factors[3].startsWith("Aggregazione;"),
             qPrintable(run.err));
    // The uncertainty crosses each pair, minmax and rank by mean and
    // geometric, with the nine indicator sets of the eight indicators.
    run = runBatch(
        {"uncertainty", workbook, "J", "--normalisations", "rank", "--aggregations", "geometric"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QStringLiteral("(36 graduatorie)")), qPrintable(run.out));
    // Refused: an unknown item, a list with none of the composites to use it.
    run = runBatch({"montecarlo", workbook, "--methods", "J", "--normalisations", "minmax,bogus"});
    QVERIFY2(run.exitCode == 1 && run.err.contains(QStringLiteral("«bogus»")), qPrintable(run.err));
    QCOMPARE(runBatch({"uncertainty", workbook, "J", "--aggregations", "mean(2)"}).exitCode, 1);
    QCOMPARE(
        runBatch({"montecarlo", workbook, "--methods", "WROC", "--aggregations", "mean"}).exitCode,
        1);
    QCOMPARE(runBatch({"uncertainty", workbook, "X"}).exitCode, 1);
}

// A composite on a matrix small enough to work by hand: compared and
// summarised beside two of the nine, its indicator sensitivity, its sheet
// in the export; its definitions file recorded as an input, so that a
// changed definition leaves its results stale.
void TestBatchCli::compositeComparedLikeTheNine() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("mini.csv"));
    // minmax: A 0, 1/3, 2/3, 1; B 1/6, 1, 0, 2/3; C 1, 0, 1/4, 1/8. Their
    // mean: 0.3889, 0.4444, 0.3056, 0.5972, ranks 3, 2, 4, 1. Without A:
    // 0.5833, 0.5, 0.125, 0.3958 (ranks 1, 2, 4, 3); without B: 0.5,
    // 0.1667, 0.4583, 0.5625 (2, 4, 3, 1); without C: 0.0833, 0.6667,
    // 0.3333, 0.8333 (4, 2, 3, 1).
    QVERIFY(writeFileBytes(workbook, "Unità;A;B;C\r\nU1;1;15;9\r\nU2;2;40;1\r\nU3;3;10;3\r\n"
                                     "U4;4;30;2\r\n"));
    const QString definitions = workbook + QStringLiteral(".metodi.csv");
    QVERIFY(writeFileBytes(definitions, "Codice;Nome;Normalizzazione;Aggregazione\r\n"
                                        "J;Media;minmax;mean\r\n"));
    QCOMPARE(runBatch({"run", workbook, "--methods", "MPI+,J,WROC"}).exitCode, 0);
    BatchRun run = runBatch({"compare", workbook, "--all"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(fileContents(workbook + ".val.csv").startsWith("Unità;MPI+;Wroclaw;Media\r\nU1;"));
    QVERIFY2(fileContents(workbook + ".val.csv").contains(";0.3889\r\nU2;"), qPrintable(run.out));
    QCOMPARE(fileContents(workbook + ".rnk.csv").split('\n').value(1).split(';').value(3),
             QByteArray("3\r"));

    run = runBatch({"robustness", workbook, "J", "MPI+", "WROC"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(QStringLiteral(";Media;MPI+;Wroclaw\n")), qPrintable(run.out));
    const QJsonObject files =
        QJsonDocument::fromJson(fileContents(workbook + QStringLiteral(".registro.json")))
            .object()
            .value(QStringLiteral("files"))
            .toObject();
    QCOMPARE(files.value(QStringLiteral("mini.csv.rob.csv"))
                 .toObject()
                 .value(QStringLiteral("settings"))
                 .toObject()
                 .value(QStringLiteral("methods"))
                 .toVariant()
                 .toStringList(),
             QStringList({"J", "MPI+", "WROC"}));

    run = runBatch({"sensitivity", workbook, "j"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(fileContents(workbook + ".sensJ.csv"),
             QByteArray("Unità;Rango;A;B;C;Spostamento massimo;Indicatore\r\n"
                        "U1;3;-2;-1;1;2;A\r\nU2;2;0;2;0;2;B\r\nU3;4;0;-1;-1;1;B\r\n"
                        "U4;1;2;0;0;2;A\r\n"));

    run = runBatch({"export", workbook, dir.filePath("r.xlsx")});
    QCOMPARE(run.exitCode, 0);
    XlsxReader reader;
    reader.setSheetIndex(3); // Dati, MPI+, WROC, J
    QVERIFY(reader.open(dir.filePath("r.xlsx")));
    QCOMPARE(reader.cell(1, 2).text(), QStringLiteral("Media"));
    QCOMPARE(reader.cell(5, 2).number(), 0.5972);

    // Another definition: what was computed from the first one is stale.
    QVERIFY(writeFileBytes(definitions, "Codice;Nome;Normalizzazione;Aggregazione\r\n"
                                        "J;Media;zscore;mean\r\n"));
    run = runBatch({"compare", workbook, "J", "MPI+"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("mini.csv.metodi.csv")), qPrintable(run.err));
}

// The weights fitted under a composite make a structure the tool reads
// back, and the audit adds that composite's coherence of every element.
void TestBatchCli::weightsAndCoherenceOfAComposite() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("regioni_struttura.xlsx"));
    QVERIFY(QFile::copy(QStringLiteral(ORVALTA_EXAMPLES "/regioni_struttura.xlsx"), workbook));
    QVERIFY(
        writeFileBytes(workbook + QStringLiteral(".metodi.csv"),
                       "Codice;Nome;Normalizzazione;Aggregazione\r\nJ;Stile JRC;minmax;mean\r\n"));
    for (const char* target : {"balance", "pca"}) {
        BatchRun run = runBatch({"weights", workbook, "--method", "j", "--target", target});
        QVERIFY2(run.exitCode == 0 &&
                     run.out.contains(QStringLiteral("  Salute: quota 0.1818 -> ")),
                 qPrintable(run.out + run.err));
        const QString weights = workbook + QStringLiteral(".pesi.J.csv");
        QVERIFY(fileContents(weights).startsWith("Elemento;Padre;Peso\r\n"));
        run = runBatch({"run", workbook, "--methods", "J", "--structure", weights});
        QVERIFY2(run.exitCode == 0 && run.out.contains(QStringLiteral(".pesi.J.csv")),
                 qPrintable(run.out + run.err));
    }
    // An unknown target or method: wrong arguments.
    QCOMPARE(runBatch({"weights", workbook, "--method", "J", "--target", "equal"}).exitCode, 1);
    QCOMPARE(runBatch({"weights", workbook, "--method", "X", "--target", "pca"}).exitCode, 1);

    QCOMPARE(runBatch({"audit", workbook, "--method", "J"}).exitCode, 0);
    const QByteArray coherence = fileContents(workbook + QStringLiteral(".coerenza.J.csv"));
    QVERIFY(coherence.startsWith("Elemento;Padre;Pearson padre;Spearman padre;Pearson indice;"
                                 "Quota nominale;Quota effettiva;Debole\r\n"));
    // The four dimensions and the eight indicators, each on its line.
    QCOMPARE(lineCount(workbook + QStringLiteral(".coerenza.J.csv")), 13);
    // A matrix without gaps: the audit fits an export with no treatment.
    const BatchRun exported =
        runBatch({"export", workbook, dir.filePath(QStringLiteral("risultati.xlsx"))});
    QVERIFY2(exported.exitCode == 0 && !exported.err.contains(QStringLiteral(".audit.csv")) &&
                 !exported.err.contains(QStringLiteral(".coerenza.J.csv")),
             qPrintable(exported.err));
}

QTEST_GUILESS_MAIN(TestBatchCli)
#include "tst_batchcli.moc"
