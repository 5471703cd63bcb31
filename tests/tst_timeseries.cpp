#include "support/testsupport.h"
#include "support/workbookfiles.h"

#include "methods/methodcomputation.h"
#include "timeseries/ampi.h"
#include "timeseries/ampifiles.h"
#include "timeseries/panelloader.h"
#include "workbook/workbookmessages.h"
#include "workflow/ampirun.h"

#include <QTest>

// The Adjusted MPI over a panel of periods: a case worked by hand, its
// agreement with the single-period MPI, and the loading of panels from every
// workbook format with the sheets it refuses.
class TestTimeseries : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void handWorked();
    void singlePeriodRescalesLikeMpi();
    void filesQuoteFieldsWithSemicolons();
    void structuredHandWorked();
    void equalWeightsKeepTheFiles();
    void examplePanel_data();
    void examplePanel();
    void structureSheetIsNoPeriod();
    void refusedPanels_data();
    void refusedPanels();
};

namespace {

const Regional kC(QLocale::c());

// Two periods, three units; "Reddito" higher is better, "povertà" lower.
// Period 2 is listed by unit as period 1 is; the loader matches by label.
Panel handPanel() {
    Panel panel;
    panel.corner = "Unità";
    panel.periods = {"2019", "2020"};
    panel.indicators = {"Reddito", "povertà"};
    panel.negative = {0, 1};
    panel.units = {"U1", "U2", "U3"};
    panel.values = {2, 10, 4, 20, 6, 30, //
                    4, 10, 8, 15, 6, 20};
    return panel;
}

} // namespace

void TestTimeseries::handWorked() {
    const Panel panel = handPanel();
    const AmpiResult result = computeAmpi(panel, 0);

    // Reddito: inf 2, sup 8, ref 4 (mean of 2019), delta 3, goalposts 1 and 7.
    // povertà: inf 10, sup 30, ref 20, delta 10, goalposts 10 and 30.
    QCOMPARE(result.goalposts.size(), std::size_t(2));
    const Goalposts& reddito = result.goalposts[0];
    const Goalposts& poverta = result.goalposts[1];
    QCOMPARE(std::vector<double>({reddito.inf, reddito.sup, reddito.ref, reddito.min, reddito.max}),
             std::vector<double>({2, 8, 4, 1, 7}));
    QCOMPARE(std::vector<double>({poverta.inf, poverta.sup, poverta.ref, poverta.min, poverta.max}),
             std::vector<double>({10, 30, 20, 10, 30}));
    // Rescaled: Reddito 70 + 10 (x - 1); povertà 70 + 3 (30 - x); the
    // references give 100.
    QCOMPARE(ampiRescaled(2, reddito, false), 80.0);
    QCOMPARE(ampiRescaled(4, reddito, false), 100.0);
    QCOMPARE(ampiRescaled(8, reddito, false), 140.0);
    QCOMPARE(ampiRescaled(15, poverta, true), 115.0);
    QCOMPARE(ampiRescaled(20, poverta, true), 100.0);

    // 2019: U1 (80, 130), U2 (100, 100), U3 (120, 70);
    // 2020: U1 (100, 130), U2 (140, 115), U3 (120, 100).
    // M +/- S^2 / M with S the population deviation of the pair.
    const std::vector<double> plus{105 + 625.0 / 105,      100,
                                   95 + 625.0 / 95,        115 + 225.0 / 115,
                                   127.5 + 156.25 / 127.5, 110 + 100.0 / 110};
    const std::vector<double> minus{105 - 625.0 / 105,      100,
                                    95 - 625.0 / 95,        115 - 225.0 / 115,
                                    127.5 - 156.25 / 127.5, 110 - 100.0 / 110};
    for (std::size_t i = 0; i < plus.size(); ++i) {
        QVERIFY2(quasiUguali(result.plus[i], plus[i]), qPrintable(QString::number(i)));
        QVERIFY2(quasiUguali(result.minus[i], minus[i]), qPrintable(QString::number(i)));
    }
    QCOMPARE(kC.indexText(result.plus[0]), "110.9524");
    QCOMPARE(kC.indexText(result.minus[2]), "88.4211");

    QCOMPARE(ampiRanks(result.plus, 2, 3), std::vector<int>({1, 3, 2, 2, 1, 3}));
    QCOMPARE(ampiRanks(result.minus, 2, 3), std::vector<int>({2, 1, 3, 2, 1, 3}));

    // Another base period moves the reference, not the spread.
    const AmpiResult on2020 = computeAmpi(panel, 1);
    QCOMPARE(on2020.goalposts[0].ref, 6.0);
    QCOMPARE(on2020.goalposts[0].max - on2020.goalposts[0].min, 6.0);
}

void TestTimeseries::singlePeriodRescalesLikeMpi() {
    // Each indicator takes two values, each on half the units: its
    // population deviation is half its range, so over one period the
    // goalposts are mean -/+ deviation and every AMPI value is 100 + 3 (v -
    // 100), v the MPI's rescaled value of the same cell.
    const auto t = [](const char* text) { return CellValue(QString::fromUtf8(text)); };
    const Rows rows{{t("Unità"), t("Reddito"), t("costo"), t("Servizi")},
                    {t("A"), 1.0, 10.0, 5.0},
                    {t("B"), 1.0, 30.0, 7.0},
                    {t("C"), 3.0, 30.0, 5.0},
                    {t("D"), 3.0, 10.0, 7.0}};
    const Matrix matrix = matrixFrom(rows);
    const std::vector<double> mpi = transformColumns(MethodPosition::MpiPositive, matrix.view());

    Panel panel;
    panel.periods = {"2020"};
    panel.indicators = {"Reddito", "costo", "Servizi"};
    panel.negative = {0, 1, 0};
    panel.units = {"A", "B", "C", "D"};
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (std::size_t c = 1; c < rows[r].size(); ++c)
            panel.values.push_back(rows[r][c].number());
    const std::vector<Goalposts> goalposts = goalpostsOf(panel, 0);
    for (int u = 0; u < 4; ++u) {
        for (int j = 0; j < 3; ++j) {
            const double v = mpi[std::size_t(j * 4 + u)];
            const double r =
                ampiRescaled(panel.value(0, u, j), goalposts[std::size_t(j)], panel.negative[j]);
            QVERIFY2(quasiUguali(r, 100 + 3 * (v - 100)),
                     qPrintable(QStringLiteral("%1 %2: %3 %4").arg(u).arg(j).arg(r).arg(v)));
        }
    }
}

// A sheet, a unit and an indicator named with ";": each line of the files
// keeps as many fields as its header, the other fields as ever.
void TestTimeseries::filesQuoteFieldsWithSemicolons() {
    Panel panel = handPanel();
    panel.periods = {"2019;x", "2020"};
    panel.units[0] = "U;1";
    panel.indicators[0] = "\"Red\"dito";
    const AmpiResult result = computeAmpi(panel, 0);
    const std::vector<int> plus = ampiRanks(result.plus, 2, 3);
    const TextLines ranks = ampiRanksLines(panel, plus);
    const auto line = [&ranks](qsizetype i) {
        QByteArray bytes;
        ranks.appendLine(i, bytes);
        return bytes;
    };
    QCOMPARE(line(0), QByteArray("Unità;\"2019;x\";2020"));
    QCOMPARE(line(1), QByteArray("\"U;1\";1;2"));
    QCOMPARE(line(2), QByteArray("U2;3;1"));
    const QStringList goalposts = ampiGoalpostsLines(panel, result, kC);
    QVERIFY2(goalposts[1].startsWith("\"\"\"Red\"\"dito\";+;2.0000;"), qPrintable(goalposts[1]));
    QVERIFY2(goalposts[2].startsWith("povertà;-;"), qPrintable(goalposts[2]));
}

namespace {

// handPanel with a third indicator, Servizi: 2019 (1, 3, 5), 2020 (3, 5, 5);
// goalposts 1 and 5, rescaled 70 + 15 (x - 1).
Panel threeIndicatorPanel() {
    Panel panel = handPanel();
    panel.indicators.append("Servizi");
    panel.negative.push_back(0);
    const std::vector<double> servizi{1, 3, 5, 3, 5, 5};
    std::vector<double> values;
    for (std::size_t at = 0; at < 6; ++at) {
        values.insert(values.end(), {panel.values[2 * at], panel.values[2 * at + 1]});
        values.push_back(servizi[at]);
    }
    panel.values = values;
    return panel;
}

std::shared_ptr<const Structure> structureOf(const Panel& panel,
                                             const std::vector<std::array<const char*, 3>>& rows) {
    const std::vector<QString> names(panel.indicators.begin(), panel.indicators.end());
    Expected<Structure> built = buildStructure(structureSheetOf(rows), names, kC);
    return built ? std::make_shared<const Structure>(std::move(*built)) : nullptr;
}

// M + S^2 / M and M - S^2 / M of two values weighted w' and 2 - w'.
std::pair<double, double> pairOf(double a, double b, double wa) {
    const double m = (wa * a + (2 - wa) * b) / 2;
    const double s2 = (wa * (a - m) * (a - m) + (2 - wa) * (b - m) * (b - m)) / 2;
    return {m + s2 / m, m - s2 / m};
}

} // namespace

// Groups over groups, by hand. Benessere holds Reddito and povertà equally
// weighted; the overall index weighs Benessere 1 and Servizi 3 (w' 0.5 and
// 1.5), its AMPI+ over Benessere's AMPI+, its AMPI- over Benessere's AMPI-.
void TestTimeseries::structuredHandWorked() {
    Panel panel = threeIndicatorPanel();
    panel.structure = structureOf(panel, {{"Reddito", "Benessere", ""},
                                          {"povertà", "Benessere", ""},
                                          {"Benessere", "", "1"},
                                          {"Servizi", "", "3"}});
    QVERIFY(panel.structure);
    const Structure& structure = *panel.structure;
    const AmpiResult result = computeAmpi(panel, 0, &structure);
    const int benessere = structure.groups.at(0);
    // U1 2019: Benessere over (80, 130) as without a structure; Servizi 70.
    const double bPlus = 105 + 625.0 / 105;
    const double bMinus = 105 - 625.0 / 105;
    QVERIFY(quasiUguali(result.groupPlus[std::size_t(benessere)][0], bPlus));
    QVERIFY(quasiUguali(result.groupMinus[std::size_t(benessere)][0], bMinus));
    QVERIFY(quasiUguali(result.plus[0], pairOf(bPlus, 70, 0.5).first));
    QVERIFY(quasiUguali(result.minus[0], pairOf(bMinus, 70, 0.5).second));
    // U3 2020: Benessere over (120, 100), Servizi 130.
    const double b3 = 110 + 100.0 / 110;
    QVERIFY(quasiUguali(result.plus[5], pairOf(b3, 130, 0.5).first));
    QCOMPARE(result.groupPlus[std::size_t(structure.root)], result.plus);
    QVERIFY(result.groupPlus[0].empty()); // Reddito, an indicator

    // The group files: a line per unit and group, the overall one last.
    const AmpiRanks ranks = rankAmpi(panel, result, &structure);
    const TextLines values = ampiGroupValuesLines(panel, structure, result.groupPlus, kC);
    const TextLines rankLines = ampiGroupRanksLines(panel, structure, ranks.groupMinus);
    const auto line = [](const TextLines& lines, qsizetype i) {
        QByteArray bytes;
        lines.appendLine(i, bytes);
        return bytes;
    };
    QCOMPARE(values.count, 7);
    QCOMPARE(line(values, 0), QByteArray("Unità;Dimensione;2019;2020"));
    QCOMPARE(line(values, 1),
             "U1;Benessere;" + kC.indexText(bPlus).toUtf8() + ";" +
                 kC.indexText(result.groupPlus[std::size_t(benessere)][3]).toUtf8());
    QVERIFY(line(values, 2).startsWith("U1;Indice complessivo;"));
    QVERIFY(line(values, 6).startsWith("U3;Indice complessivo;"));
    // Benessere's AMPI- in 2019: U1 99.05, U2 100, U3 95 - 625 / 95 = 88.42.
    QCOMPARE(line(rankLines, 1).left(15), QByteArray("U1;Benessere;2;"));
    QCOMPARE(line(rankLines, 5).left(15), QByteArray("U3;Benessere;3;"));
}

// A structure of one group over every indicator, its weights all equal,
// writes the files of no structure byte for byte, and the group files
// beside them.
void TestTimeseries::equalWeightsKeepTheFiles() {
    QTemporaryDir dir;
    Panel panel = threeIndicatorPanel();
    const QString plain = dir.filePath("plain.xlsx");
    const QString structured = dir.filePath("structured.xlsx");
    QVERIFY(runAmpi(plain, panel, 1, kC).saved);
    panel.structure = structureOf(
        panel, {{"Reddito", "Tutto", "2"}, {"povertà", "Tutto", "2"}, {"Servizi", "Tutto", "2"}});
    QVERIFY(panel.structure);
    QVERIFY(runAmpi(structured, panel, 1, kC).saved);
    for (const bool plus : {true, false}) {
        QCOMPARE(fileContents(ampiValuesFile(structured, plus)),
                 fileContents(ampiValuesFile(plain, plus)));
        QCOMPARE(fileContents(ampiRanksFile(structured, plus)),
                 fileContents(ampiRanksFile(plain, plus)));
        QVERIFY(!QFileInfo::exists(ampiGroupValuesFile(plain, plus)));
        QVERIFY(fileContents(ampiGroupRanksFile(structured, plus)).startsWith("Unità;Dimensione;"));
    }
    QCOMPARE(fileContents(ampiGoalpostsFile(structured)), fileContents(ampiGoalpostsFile(plain)));
}

void TestTimeseries::examplePanel_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx") << "regioni_periodi.xlsx";
    QTest::newRow("xls") << "regioni_periodi.xls";
    QTest::newRow("ods") << "regioni_periodi.ods";
}

void TestTimeseries::examplePanel() {
    QFETCH(QString, file);
    const QString path = QStringLiteral(ORVALTA_EXAMPLES "/") + file;
    const Expected<Panel> load = readPanel(path, kC);
    QVERIFY2(load, qPrintable(failureMessage(load)));
    const Panel& panel = *load;
    QCOMPARE(panel.periods, QStringList({"2019", "2020", "2021", "2022", "2023"}));
    QCOMPARE(panel.unitCount(), 20);
    QCOMPARE(panel.indicatorCount(), 8);
    QCOMPARE(panel.units[11], "Lazio");
    QCOMPARE(panel.value(0, 11, 0), 34.2);
    // 2021 lists the regions alphabetically: Lazio is matched by its label.
    QCOMPARE(panel.value(2, 11, 0), 33.4);
    QCOMPARE(panel.negative, std::vector<char>({0, 0, 1, 0, 1, 0, 1, 1}));

    QCOMPARE(failureMessage(openWorkbookSheet(path, 5, kC)), missingSheetMessage(file, 5, 5));
}

void TestTimeseries::refusedPanels_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const QString end = " Verificare la validità della matrice selezionata!";
    QTest::newRow("renamed indicator")
        << "indicatori_diversi.xlsx"
        << "Il foglio \"2020\" di indicatori_diversi.xlsx non ha gli indicatori del foglio "
           "\"2019\": la cella C1 riporta \"Povertà\" invece di \"povertà\".";
    QTest::newRow("indicator more")
        << "indicatore_in_piu.xlsx"
        << "Il foglio \"2020\" di indicatore_in_piu.xlsx non ha gli indicatori del foglio "
           "\"2019\": la cella D1 riporta \"1\" invece di nessun indicatore.";
    QTest::newRow("unit missing") << "unita_mancante.xlsx"
                                  << "Il foglio \"2020\" di unita_mancante.xlsx non riporta "
                                     "l'unità \"C\" del foglio \"2019\".";
    QTest::newRow("unit unknown") << "unita_estranea.xlsx"
                                  << "Il foglio \"2020\" di unita_estranea.xlsx riporta nella "
                                     "riga 3 l'unità \"D\", assente nel foglio \"2019\".";
    QTest::newRow("unit twice")
        << "unita_doppia.xlsx"
        << "Il foglio \"2020\" di unita_doppia.xlsx riporta l'unità \"A\" due volte, nelle "
           "righe 2 e 3: le unità devono avere etichette distinte.";
    QTest::newRow("empty value")
        << "valore_vuoto.xlsx"
        << "Foglio \"2020\": L'indicatore definito nella matrice come povertà risulta avere "
           "valori nulli." +
               end;
    QTest::newRow("text value")
        << "valore_testo.xlsx"
        << "Foglio \"2020\": L'indicatore definito nella matrice come Reddito risulta avere "
           "valori alfanumerici." +
               end;
    QTest::newRow("constant over the panel")
        << "costante.xlsx"
        << "L'indicatore definito nella matrice come Reddito risulta essere costante in tutte "
           "le osservazioni di tutti i periodi." +
               end;
    QTest::newRow("constant within each period only") << "costante_per_periodo.xlsx"
                                                      << "";
}

void TestTimeseries::refusedPanels() {
    QFETCH(QString, file);
    QFETCH(QString, message);
    const Expected<Panel> load = readPanel(fixture("panel/" + file), kC);
    QCOMPARE(failureMessage(load), message);
    if (message.isEmpty())
        QCOMPARE(load->periodCount(), 2);
    else
        QCOMPARE(load.error().kind, FailureKind::Refused);
}

// A workbook with a structure: its Struttura sheet, wherever it stands
// after the first, is no period; nor is a Metodi sheet of composites.
void TestTimeseries::structureSheetIsNoPeriod() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.xlsx"));
    const auto period = [](int shift) {
        QByteArray rows = "<row><c r=\"A1\" t=\"inlineStr\"><is><t>U</t></is></c>"
                          "<c r=\"B1\" t=\"inlineStr\"><is><t>A</t></is></c></row>";
        for (int u = 1; u <= 3; ++u)
            rows += "<row><c r=\"A" + QByteArray::number(u + 1) + "\" t=\"inlineStr\"><is><t>u" +
                    QByteArray::number(u) + "</t></is></c><c r=\"B" + QByteArray::number(u + 1) +
                    "\"><v>" + QByteArray::number(u * 10 + shift) + "</v></c></row>";
        return rows;
    };
    const QByteArray structure = "<row><c r=\"A1\" t=\"inlineStr\"><is><t>Elemento</t></is></c>"
                                 "<c r=\"B1\" t=\"inlineStr\"><is><t>Padre</t></is></c></row>"
                                 "<row><c r=\"A2\" t=\"inlineStr\"><is><t>A</t></is></c>"
                                 "<c r=\"B2\" t=\"inlineStr\"><is><t>Tutto</t></is></c></row>";
    QVERIFY(writeXlsxSheets(path, {{"2020", period(0)},
                                   {" struttura ", structure},
                                   {"METODI", structure},
                                   {"2021", period(1)}}));
    const Expected<Panel> load = readPanel(path, kC);
    QVERIFY2(load, qPrintable(failureMessage(load)));
    QCOMPARE(load->periods, QStringList({"2020", "2021"}));
    QCOMPARE(load->value(1, 2, 0), 31.0);
    // The sheet gives the panel its structure; --no-structure leaves it out.
    const Expected<Panel> structured = loadPanel(path, kC);
    QVERIFY2(structured, qPrintable(failureMessage(structured)));
    QVERIFY(structured->structure);
    QCOMPARE(structured->structure->elements[std::size_t(structured->structure->root)].name,
             "Tutto");
    const Expected<Panel> plain = loadPanel(path, kC, nullptr, StructureChoice{{}, true});
    QVERIFY(plain && !plain->structure);
}

QTEST_GUILESS_MAIN(TestTimeseries)
#include "tst_timeseries.moc"
