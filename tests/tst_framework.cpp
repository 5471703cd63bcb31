#include "support/testsupport.h"

#include "support/workbookfiles.h"

#include "framework/frameworkcomputation.h"
#include "framework/frameworkfiles.h"
#include "framework/structure.h"
#include "shared/polarity.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const Regional kC{QLocale::c()};

bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-12 * std::max(1.0, std::fabs(b));
}

Matrix matrixOf(const std::vector<std::vector<double>>& columns, const QStringList& names) {
    Matrix matrix = Matrix::ofSize(int(columns.front().size()), int(columns.size()));
    for (std::size_t j = 0; j < columns.size(); ++j) {
        std::copy(columns[j].begin(), columns[j].end(), matrix.column(int(j)).begin());
        matrix.indicators[j] = CellValue(names[qsizetype(j)]);
        matrix.negative[j] = hasNegativePolarity(matrix.indicators[j]) ? 1 : 0;
    }
    return matrix;
}

std::vector<QString> names(const Matrix& matrix) {
    std::vector<QString> result;
    for (const CellValue& name : matrix.indicators)
        result.push_back(name.text());
    return result;
}

std::size_t elementNamed(const Structure& structure, const char* name) {
    for (std::size_t e = 0; e < structure.elements.size(); ++e)
        if (structure.elements[e].name == QLatin1String(name))
            return e;
    return structure.elements.size();
}

const Regional kItalian{QLocale(QLocale::Italian, QLocale::Italy)};
const std::vector<QString> kAB{QStringLiteral("A"), QStringLiteral("B")};

// A chain of groups over the indicator A: A in G1, G1 in G2, ..., Gn at the
// top, so that A is at level n + 1.
StructureSheet chainOf(int groups) {
    std::vector<std::array<std::string, 2>> names{{"A", "G1"}};
    for (int g = 1; g < groups; ++g)
        names.push_back({"G" + std::to_string(g), "G" + std::to_string(g + 1)});
    StructureSheet sheet;
    for (std::size_t r = 0; r < names.size(); ++r) {
        StructureRow row;
        row.row = int(r) + 2;
        row.element = QString::fromStdString(names[r][0]);
        row.parent = QString::fromStdString(names[r][1]);
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

} // namespace

class TestFramework : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusals_data();
    void refusals();
    void reading_data();
    void reading();
    void namesAsTheUserSeesThem();
    void weightsOfAnyMagnitude();
    void depth();
    void sharesAndOrder();
    void weightedFormulas();
    void equalWeightsAreTheFlatMethods();
    void leavingOutTheOnlyIndicatorOfAGroup();
    void unitWithoutAGroup();
    void groupsEmptiedByLeftOutIndicators();
    void groupWithOneIndexForEveryUnit();
    void refusalNamesACellOfTheGroup();
};

void TestFramework::refusals_data() {
    QTest::addColumn<StructureSheet>("sheet");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing indicator")
        << structureSheetOf({{"A", "G", ""}}) << "l'indicatore B della matrice";
    QTest::newRow("twice") << structureSheetOf({{"A", "G", ""}, {"B", "G", ""}, {"A", "H", ""}})
                           << "riga 4: l'elemento A è elencato due volte";
    QTest::newRow("indicator parent") << structureSheetOf({{"A", "B", ""}, {"B", "", ""}})
                                      << "riga 2: il padre di A è l'indicatore B";
    QTest::newRow("cycle") << structureSheetOf(
                                  {{"A", "G", ""}, {"B", "G", ""}, {"G", "H", ""}, {"H", "G", ""}})
                           << "riga 4: G è contenuto in se stesso";
    QTest::newRow("negative") << structureSheetOf({{"A", "", "-1"}, {"B", "", ""}})
                              << "riga 2: il peso di A (-1)";
    QTest::newRow("not a number") << structureSheetOf({{"A", "", "molto"}, {"B", "", ""}})
                                  << "riga 2: il peso di A (molto)";
    QTest::newRow("all zero") << structureSheetOf({{"A", "G", "0"}, {"B", "G", "0"}, {"G", "", ""}})
                              << "riga 4: gli elementi del gruppo G hanno tutti peso 0";
    QTest::newRow("neither a column nor a group")
        << structureSheetOf({{"A", "G", ""}, {"B", "G", ""}, {"Epsilon", "G", ""}})
        << "riga 4: Epsilon non è una colonna della matrice né un gruppo con elementi.";
    QTest::newRow("not finite") << structureSheetOf({{"A", "", "1e999"}, {"B", "", ""}})
                                << "riga 2: il peso di A (1e999)";
    QTest::newRow("decimal comma under C")
        << structureSheetOf({{"A", "", "1,5"}, {"B", "", ""}})
        << "riga 2: il peso di A (1,5) non è un numero maggiore o uguale a 0.\n«1,5» è un numero "
           "con la virgola decimale";
    StructureSheet formula = structureSheetOf({{"A", "", ""}, {"B", "", ""}});
    formula.rows[1].weight = CellValue(QString());
    QTest::newRow("formula without a result")
        << formula << "riga 3: il peso di B è una formula senza un risultato salvato";
}

void TestFramework::refusals() {
    QFETCH(StructureSheet, sheet);
    QFETCH(QString, message);
    const auto structure = buildStructure(sheet, kAB, kC);
    QVERIFY(!structure);
    QCOMPARE(structure.error().kind, FailureKind::Refused);
    QVERIFY2(structure.error().message.contains(message), qPrintable(structure.error().message));
}

// A structure file read and built over the indicators A and B: blank rows
// skipped to the end of the sheet, the header's columns known and once
// each, no row wider than the header, a folder or a pipe refused unopened.
// B's effective weight when it is built, else the refusal.
void TestFramework::reading_data() {
    QTest::addColumn<QString>("name"); // the structure file; a folder when it ends in '/'
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("italian");
    QTest::addColumn<double>("weightOfB");
    QTest::addColumn<QString>("message");
    const QByteArray blankRows = "Elemento;Padre;Peso\r\nA;G1;1\r\n\r\n;;\r\nB;G1;3\r\n";
    QTest::newRow("blank rows, .csv") << "s.csv" << blankRows << false << 0.75 << "";
    const QByteArray sheet = R"(<row r="1"><c t="inlineStr"><is><t>Elemento</t></is></c>)"
                             R"(<c t="inlineStr"><is><t>Padre</t></is></c>)"
                             R"(<c t="inlineStr"><is><t>Peso</t></is></c></row>)"
                             R"(<row r="2"><c t="inlineStr"><is><t>A</t></is></c>)"
                             R"(<c t="inlineStr"><is><t>G1</t></is></c><c><v>1</v></c></row>)"
                             R"(<row r="4"><c t="inlineStr"><is><t>B</t></is></c>)"
                             R"(<c t="inlineStr"><is><t>G1</t></is></c>)";
    QTest::newRow("blank rows, sheet")
        << "s.xlsx" << sheet + "<c><v>3</v></c></row>" << false << 0.75 << "";
    QTest::newRow("formula without a result, sheet")
        << "s.xlsx" << sheet + "<c><f>C2*3</f></c></row>" << false << -1.0
        << "Struttura, riga 4: il peso di B è una formula senza un risultato salvato";
    const auto odsCell = [](const char* text) -> QByteArray {
        return QByteArray("<table:table-cell office:value-type=\"string\"><text:p>") + text +
               "</text:p></table:table-cell>";
    };
    const QByteArray odsRows =
        "<table:table-row>" + odsCell("Elemento") + odsCell("Padre") + odsCell("Peso") +
        "</table:table-row><table:table-row>" + odsCell("A") + odsCell("G1") +
        "<table:table-cell office:value-type=\"float\" office:value=\"1\"/></table:table-row>"
        "<table:table-row>" +
        odsCell("B") + odsCell("G1");
    QTest::newRow("formula with its result, .ods sheet")
        << "s.ods"
        << odsRows + "<table:table-cell table:formula=\"of:=[.C2]*3\" office:value-type=\"float\" "
                     "office:value=\"3\"><text:p>3</text:p></table:table-cell></table:table-row>"
        << false << 0.75 << "";
    QTest::newRow("formula without a result, .ods sheet")
        << "s.ods"
        << odsRows + "<table:table-cell table:formula=\"of:=[.C2]*3\"/></table:table-row>" << false
        << -1.0 << "Struttura, riga 3: il peso di B è una formula senza un risultato salvato";
    QTest::newRow("unknown column")
        << "s.csv" << QByteArray("Elemento;Padre;Pesi\r\nA;;\r\nB;;\r\n") << false << -1.0
        << "ha la colonna «Pesi» (colonna C) nella riga 1: le colonne ammesse sono Elemento, "
           "Padre, Peso, Minimo, Massimo, Obiettivo, Trasformazione, Aggregazione.";
    QTest::newRow("column twice") << "s.csv"
                                  << QByteArray("Elemento;Padre;Peso;PESO\r\nA;;1;\r\nB;;2;\r\n")
                                  << false << -1.0
                                  << "ha due volte la colonna Peso nella riga 1 (colonne C e D).";
    QTest::newRow("more fields than the header")
        << "s.csv" << QByteArray("Elemento,Padre,Peso\r\nA,G1,1,5\r\nB,G1,1\r\n") << true << -1.0
        << "Il file s.csv non è una tabella valida: la riga 2 ha 4 campi, più dei 3 "
           "dell'intestazione (riga 1)";
    QTest::newRow("decimal point under Italian")
        << "s.csv" << QByteArray("Elemento;Padre;Peso\r\nA;;1.5\r\nB;;1\r\n") << true << -1.0
        << "LC_NUMERIC=C.UTF-8";
    QTest::newRow("a folder") << "s.csv/" << QByteArray() << false << -1.0 << "è una cartella";
    QTest::newRow("a pipe") << "s.csv|" << QByteArray() << false << -1.0
                            << "non è un file regolare";
}

void TestFramework::reading() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, italian);
    QFETCH(double, weightOfB);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(name.chopped(name.endsWith(u'/') || name.endsWith(u'|')));
    if (name.endsWith(u'/'))
        QVERIFY(QDir().mkdir(path));
    else if (name.endsWith(u'|'))
        QVERIFY(makeSpecialFile(path, SpecialFile::Pipe));
    else if (name.endsWith(QStringLiteral(".xlsx")))
        QVERIFY(writeXlsxSheets(path, {{QStringLiteral("Foglio1"), bytes}}));
    else if (name.endsWith(QStringLiteral(".ods")))
        QVERIFY(writeOdsTables(path, {{QStringLiteral("Foglio1"), bytes}}));
    else
        QVERIFY(writeFileBytes(path, bytes));
    const Regional& regional = italian ? kItalian : kC;
    StructureChoice choice;
    choice.file = path;
    const auto sheet = readStructure(dir.filePath(QStringLiteral("m.csv")), {}, choice, regional);
    Expected<Structure> structure = failure(FailureKind::Refused, QString());
    if (sheet)
        structure = buildStructure(**sheet, kAB, regional);
    const QString refusal = !sheet ? sheet.error().message : failureMessage(structure);
    if (weightOfB < 0) {
        QVERIFY2(refusal.contains(message), qPrintable(refusal));
        return;
    }
    QVERIFY2(structure, qPrintable(refusal));
    QVERIFY(near(structure->effectiveWeight(1), weightOfB));
}

// Names match as the user sees them, and show as the data sheet has them;
// with a structure, two columns that match are refused.
void TestFramework::namesAsTheUserSeesThem() {
    const QString composed = QStringLiteral("povert\u00e0");
    const QString decomposed = QStringLiteral("poverta\u0300");
    const auto structure =
        buildStructure(structureSheetOf({{decomposed.toUtf8().constData(), "G\u00a02", ""},
                                         {"B\u200b", " G \t 2", ""},
                                         {"C", "H", ""},
                                         {"G\u20032", "H", ""}}),
                       {composed, QStringLiteral("B"), QStringLiteral("C ")}, kC);
    QVERIFY2(structure, qPrintable(failureMessage(structure)));
    const Structure& s = *structure;
    QCOMPARE(s.elements[std::size_t(s.root)].name, QStringLiteral("H"));
    QCOMPARE(s.groups.size(), std::size_t(1));
    const StructureElement& g2 = s.elements[std::size_t(s.groups.front())];
    QCOMPARE(g2.name, QStringLiteral("G\u20032"));
    QCOMPARE(g2.children, (std::vector<int>{0, 1}));
    QCOMPARE(s.elements[0].name, composed);
    QCOMPARE(s.elements[0].indicator, 0);
    QCOMPARE(s.elements[1].indicator, 1);
    const auto twins = buildStructure(
        structureSheetOf({{"Alpha", "", ""}}),
        {QStringLiteral("Alpha"), QStringLiteral("B"), QStringLiteral("Alpha\u00a0")}, kC,
        {2, 3, 5});
    QVERIFY(!twins);
    QVERIFY2(twins.error().message.contains("le colonne B e E della matrice hanno lo stesso nome "
                                            "(Alpha)"),
             qPrintable(twins.error().message));
}

// Weights near the largest double weigh as their ratios: 1e308 twice is
// half and half, in the shares, the tree and the indices.
void TestFramework::weightsOfAnyMagnitude() {
    const Matrix matrix =
        matrixOf({{1, 2, 3}, {10, 30, 20}}, {QStringLiteral("A"), QStringLiteral("B")});
    const auto huge =
        buildStructure(structureSheetOf({{"A", "", "1e308"}, {"B", "", "1.5e308"}}), kAB, kC);
    const auto plain = buildStructure(structureSheetOf({{"A", "", "2"}, {"B", "", "3"}}), kAB, kC);
    QVERIFY2(huge && plain, qPrintable(failureMessage(huge)));
    const std::vector<double> effective = huge->effectiveWeights();
    QVERIFY(near(effective[0], 0.4) && near(effective[1], 0.6) && effective[2] == 1.0);
    QCOMPARE(huge->elements[1].writtenWeight, 1.5e308);
    QVERIFY(structureTree(*huge, kC).contains(
        QStringLiteral("  A - quota 0.400000, peso effettivo 0.400000")));
    for (const MethodPosition position :
         {MethodPosition::MpiPositive, MethodPosition::Wroclaw, MethodPosition::StandardizedMean}) {
        const auto a = computeFramework(position, matrix, *huge);
        const auto b = computeFramework(position, matrix, *plain);
        QVERIFY2(a && b, qPrintable(failureMessage(a)));
        COMPARE_NUMBERS(a->overall().index, b->overall().index);
    }
}

// A hundred levels at most, refused at the first row beyond them.
void TestFramework::depth() {
    const std::vector<QString> a{QStringLiteral("A")};
    QVERIFY(buildStructure(chainOf(99), a, kC));
    const auto deep = buildStructure(chainOf(100), a, kC);
    QVERIFY(!deep);
    QCOMPARE(deep.error().message,
             QStringLiteral("Struttura, riga 2: A è al livello 101 della struttura, che ne può "
                            "avere al massimo 100."));
}

// Shares within the parent, effective weights down the branch, the groups
// in order of first mention, and the overall index added over several tops.
void TestFramework::sharesAndOrder() {
    const auto structure = buildStructure(
        structureSheetOf(
            {{"A", "Salute", "1"}, {"B", "Salute", "3"}, {"C", "Lavoro", ""}, {"Salute", "", "2"}}),
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, kC);
    QVERIFY(structure);
    const Structure& s = *structure;
    QCOMPARE(s.elements[std::size_t(s.root)].name, overallIndexName());
    QCOMPARE(s.groups.size(), std::size_t(2));
    QCOMPARE(s.elements[std::size_t(s.groups[0])].name, QStringLiteral("Salute"));
    QCOMPARE(s.elements[std::size_t(s.groups[1])].name, QStringLiteral("Lavoro"));
    // Salute 2 against Lavoro 1 (no row: weight 1); B 3 of 4 within Salute.
    QVERIFY(near(s.share(1), 0.75));
    QVERIFY(near(s.effectiveWeight(1), 0.75 * 2.0 / 3.0));
    double sum = 0.0;
    for (int e = 0; e < int(s.elements.size()); ++e)
        if (!s.elements[std::size_t(e)].isGroup())
            sum += s.effectiveWeight(e);
    QVERIFY(near(sum, 1.0));
    // One group at the top is the overall index itself.
    const auto single = buildStructure(structureSheetOf({{"A", "Tutto", ""}, {"B", "Tutto", ""}}),
                                       {QStringLiteral("A"), QStringLiteral("B")}, kC);
    QCOMPARE(single->elements[std::size_t(single->root)].name, QStringLiteral("Tutto"));
    QVERIFY(single->groups.empty());
}

// Two indicators weighing 1 and 3 (w' = 0.5 and 1.5), worked out by hand.
void TestFramework::weightedFormulas() {
    const Matrix matrix =
        matrixOf({{1, 2, 3}, {10, 30, 20}}, {QStringLiteral("A"), QStringLiteral("B")});
    const auto structure =
        buildStructure(structureSheetOf({{"A", "", "1"}, {"B", "", "3"}}), names(matrix), kC);
    QVERIFY(structure);
    const auto mpi = computeFramework(MethodPosition::MpiPositive, matrix, *structure);
    QVERIFY(mpi);
    QVERIFY(near(mpi->overall().index[0], 87.75255128608411));
    QVERIFY(near(mpi->overall().index[1], 109.44317548002597));
    QVERIFY(near(mpi->overall().index[2], 103.33475652955613));
    const auto wroclaw = computeFramework(MethodPosition::Wroclaw, matrix, *structure);
    QVERIFY(near(wroclaw->overall().index[0], 0.8336334515639782));
    QVERIFY(near(wroclaw->overall().index[2], 0.3609738732494547));
    const auto geometric =
        computeFramework(MethodPosition::IndexNumbersGeometric, matrix, *structure);
    QVERIFY(near(geometric->overall().index[1], 1.3554030054147672));
    // Weight 0 leaves B out: the index is A's alone.
    const auto zero =
        buildStructure(structureSheetOf({{"A", "", "1"}, {"B", "", "0"}}), names(matrix), kC);
    const auto alone = computeFramework(MethodPosition::StandardizedMean, matrix, *zero);
    QVERIFY(near(alone->overall().index[2], 1.0 / std::sqrt(2.0 / 3.0)));
}

// Equal weights and one group give, digit for digit, the method on the
// whole matrix; a nested group enters its parent with the method's
// direction.
void TestFramework::equalWeightsAreTheFlatMethods() {
    const Matrix matrix = matrixOf({{1.5, 2.25, 3, 7}, {10, 30, 20, 5}, {4, 1, 9, 2}},
                                   {QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("C")});
    const auto structure = buildStructure(
        structureSheetOf({{"A", "Tutto", "2"}, {"b", "Tutto", "2"}, {"C", "Tutto", "2"}}),
        names(matrix), kC);
    for (const MethodInfo& method : methodTable()) {
        const MethodPosition position = MethodPosition(method.position);
        const auto flat = computeMethod(position, matrix.view());
        const auto framed = computeFramework(position, matrix, *structure);
        QVERIFY(flat && framed);
        QCOMPARE(framed->overall().index, flat->index);
        QCOMPARE(framed->overall().ranks, flat->ranks);
    }
    const auto nested = buildStructure(
        structureSheetOf({{"A", "G", ""}, {"b", "G", ""}, {"G", "Tutto", ""}, {"C", "Tutto", ""}}),
        names(matrix), kC);
    // The fourth unit is best on every indicator; G's index under GRAD is
    // smallest for it and enters Tutto with negative polarity, so it is first
    // overall too.
    Matrix best = matrix;
    best.value(3, 2) = 20;
    for (const MethodPosition position :
         {MethodPosition::Ranks, MethodPosition::Wroclaw, MethodPosition::MpiPositive}) {
        const auto run = computeFramework(position, best, *nested);
        QVERIFY(run);
        QCOMPARE(run->groups[std::size_t(nested->groups.front())].ranks[3], 1);
        QCOMPARE(run->overall().ranks[3], 1);
    }
}

// The only indicator of a group left out takes the group with it: the
// overall index is the one without the group.
void TestFramework::leavingOutTheOnlyIndicatorOfAGroup() {
    const Matrix matrix = matrixOf({{1, 2, 3, 4}, {10, 30, 20, 15}, {5, 1, 4, 2}},
                                   {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    const auto structure = buildStructure(
        structureSheetOf({{"A", "G1", ""}, {"B", "G1", ""}, {"C", "G2", ""}}), names(matrix), kC);
    QVERIFY(structure);
    const auto withoutC = withoutElement(*structure, int(elementNamed(*structure, "C")));
    const auto withoutG2 = withoutElement(*structure, int(elementNamed(*structure, "G2")));
    QVERIFY(withoutC && withoutG2);
    const auto byIndicator = computeFramework(MethodPosition::MpiPositive, matrix, *withoutC);
    const auto byGroup = computeFramework(MethodPosition::MpiPositive, matrix, *withoutG2);
    QVERIFY2(byIndicator, byIndicator ? "" : qPrintable(byIndicator.error().message));
    QVERIFY(byGroup);
    QCOMPARE(byIndicator->overall().index, byGroup->overall().index);
}

// A unit without any element of a group gets no index of it nor of the
// groups that hold only it; the groups above take what it has, and a unit
// with nothing gets no overall index (ranked last). The same with the cells
// filled, when the unit is below the coverage threshold of the group.
void TestFramework::unitWithoutAGroup() {
    const double x = NAN;
    // G3 holds only G1, G1 only A. U1 lacks A, U5 everything.
    const Matrix matrix =
        gappyMatrix({{x, 2, 3, 4, x}, {1, 5, 2, 7, x}, {3, 1, 4, 2, x}},
                    {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    const auto structure = buildStructure(
        structureSheetOf({{"A", "G1", ""}, {"G1", "G3", ""}, {"B", "G2", ""}, {"C", "G2", ""}}),
        names(matrix), kC);
    QVERIFY(structure);
    const std::size_t g1 = elementNamed(*structure, "G1");
    const std::size_t g2 = elementNamed(*structure, "G2");
    const std::size_t g3 = elementNamed(*structure, "G3");
    Matrix filled = matrix;
    for (std::size_t k = 0; k < filled.values.size(); ++k)
        filled.values[k] += matrix.missing[k] ? 2.5 : 0.0;
    filled.missing.clear();
    const GroupCoverage coverage{&matrix.missing, 0.5};
    for (const MethodInfo& method : methodTable())
        for (const bool fill : {false, true}) {
            const auto run =
                fill ? computeFramework(MethodPosition(method.position), filled, *structure,
                                        coverage)
                     : computeFramework(MethodPosition(method.position), matrix, *structure);
            QVERIFY2(run, run ? "" : qPrintable(run.error().message));
            QVERIFY(std::isnan(run->groups[g1].index[0]) && std::isnan(run->groups[g3].index[0]));
            QVERIFY(std::isfinite(run->groups[g2].index[0]));
            QVERIFY(std::isfinite(run->overall().index[0]));
            QVERIFY(std::isnan(run->overall().index[4]));
            QCOMPARE(run->overall().ranks[4], 5);
        }
    // Under the z-score mean U1's overall index is its standardised G2 index.
    const auto z = computeFramework(MethodPosition::StandardizedMean, matrix, *structure);
    const std::vector<double>& g = z->groups[g2].index;
    const double mean = (g[0] + g[1] + g[2] + g[3]) / 4.0;
    double squares = 0.0;
    for (int i = 0; i < 4; ++i)
        squares += (g[std::size_t(i)] - mean) * (g[std::size_t(i)] - mean);
    QVERIFY(near(z->overall().index[0], (g[0] - mean) / std::sqrt(squares / 4.0)));
    // Found from the gaps alone, with or without a threshold.
    const std::vector<unsigned char> lacking{0, 0, 0, 0, 1};
    QCOMPARE(unitsWithoutOverallIndex(*structure, 5, matrix.missing, 0.0), lacking);
    QCOMPARE(unitsWithoutOverallIndex(*structure, 5, matrix.missing, 0.5), lacking);
    QVERIFY(unitsWithoutOverallIndex(*structure, 5, {}, 0.5).empty());
}

// Indicators left out that empty their groups take the groups with them:
// the siblings' shares are those of weight 0.
void TestFramework::groupsEmptiedByLeftOutIndicators() {
    const Matrix matrix = matrixOf({{1, 2, 3, 4}, {10, 30, 20, 15}, {5, 1, 4, 2}},
                                   {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    const auto structure = buildStructure(
        structureSheetOf(
            {{"A", "G1", ""}, {"G1", "G3", ""}, {"G3", "", "3"}, {"B", "G2", ""}, {"C", "G2", ""}}),
        names(matrix), kC);
    QVERIFY(structure);
    std::vector<int> emptied;
    const auto kept = keptStructure(*structure, {-1, 0, 1}, &emptied);
    QVERIFY(kept);
    QCOMPARE(emptied, (std::vector<int>{int(elementNamed(*structure, "G1")),
                                        int(elementNamed(*structure, "G3"))}));
    QCOMPARE(kept->groups.size(), std::size_t(1));
    QCOMPARE(kept->elements[std::size_t(kept->groups[0])].name, QStringLiteral("G2"));
    const std::size_t b = elementNamed(*kept, "B");
    QCOMPARE(kept->elements[b].indicator, 0);
    QVERIFY(near(kept->effectiveWeight(int(b)), 0.5));
    // The same index as G3 at weight 0 over the whole matrix.
    Structure zero = *structure;
    zero.elements[elementNamed(zero, "G3")].weight = 0.0;
    const Matrix withoutA =
        matrixOf({{10, 30, 20, 15}, {5, 1, 4, 2}}, {QStringLiteral("B"), QStringLiteral("C")});
    const auto left = computeFramework(MethodPosition::Wroclaw, withoutA, *kept);
    const auto weighed = computeFramework(MethodPosition::Wroclaw, matrix, zero);
    QVERIFY(left && weighed);
    QCOMPARE(left->overall().index, weighed->overall().index);
    QVERIFY(!keptStructure(*structure, {-1, -1, -1}));
}

// Mirrored values give G1 the same index for both units: a method that
// cannot use that column in G3 says so, naming both groups; the others
// compute.
void TestFramework::groupWithOneIndexForEveryUnit() {
    const Matrix matrix =
        matrixOf({{1, 2}, {2, 1}, {1, 3}, {5, 2}}, {QStringLiteral("A"), QStringLiteral("B"),
                                                    QStringLiteral("C"), QStringLiteral("D")});
    const auto structure = buildStructure(
        structureSheetOf(
            {{"A", "G1", ""}, {"B", "G1", ""}, {"G1", "G3", ""}, {"C", "G3", ""}, {"D", "", ""}}),
        names(matrix), kC);
    QVERIFY(structure);
    int refused = 0;
    for (const MethodInfo& method : methodTable()) {
        const Expected<FrameworkRun> run =
            computeFramework(MethodPosition(method.position), matrix, *structure);
        if (run)
            continue;
        ++refused;
        QCOMPARE(run.error().kind, FailureKind::MethodRefused);
        QVERIFY2(run.error().message.contains(
                     "dimensione G3: l'indice del gruppo G1 risulta uguale per tutte le unità"),
                 qPrintable(run.error().message));
    }
    QVERIFY(refused > 0);
}

// A group refused for a zero on an indicator of negative polarity names the
// first such cell of the group in sheet order (c is listed before b), not
// the negative value of A in the other group.
void TestFramework::refusalNamesACellOfTheGroup() {
    const auto t = [](const char* text) { return CellValue(QString::fromUtf8(text)); };
    const Rows rows{{t(""), t("A"), t("b"), t("c"), t("D")},
                    {t("U1"), 1.0, 5.0, 0.0, 2.0},
                    {t("U2"), -1.0, 6.0, 4.0, 3.0},
                    {t("U3"), 2.0, 0.0, 3.0, 4.0},
                    {t("U4"), 3.0, 7.0, 2.0, 5.0}};
    const Matrix matrix = matrixFrom(rows);
    const auto structure = buildStructure(
        structureSheetOf({{"c", "G1", ""}, {"b", "G1", ""}, {"A", "G2", ""}, {"D", "G2", ""}}),
        names(matrix), kC);
    QVERIFY(structure);
    QTemporaryDir dir;
    Processing processing(kC);
    processing.setMatrix(dir.filePath(QStringLiteral("m.xlsx")), matrix,
                         std::make_shared<const Structure>(*structure));
    const auto refused = processing.run(MethodPosition::IndexNumbersArithmetic);
    QVERIFY(!refused);
    QVERIFY2(refused.error().message.endsWith(
                 QStringLiteral("dimensione G1: Il metodo non prevede valori nulli per gli "
                                "indicatori di polarità negativa\nPrima cella: C4 (U3, b), "
                                "valore 0.")),
             qPrintable(refused.error().message));
}

QTEST_GUILESS_MAIN(TestFramework)
#include "tst_framework.moc"
