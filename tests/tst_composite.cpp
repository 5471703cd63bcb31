#include "composite/compositecomputation.h"
#include "composite/compositedefinitions.h"
#include "framework/structure.h"
#include "support/testsupport.h"
#include "workbook/structuresheet.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const Regional kC{QLocale::c()};

// The column 2, 4, 6, 10 (mean 5.5, population deviation sqrt(8.75)).
const std::vector<double> kColumn{2, 4, 6, 10};

Normalisation normalisation(const char* code) {
    const std::optional<Normalisation> parsed = parseNormalisation(QString::fromLatin1(code));
    if (!parsed)
        qFatal("no normalisation %s", code);
    return *parsed;
}

Aggregation aggregation(const char* code) {
    const std::optional<Aggregation> parsed = parseAggregation(QString::fromLatin1(code));
    if (!parsed)
        qFatal("no aggregation %s", code);
    return *parsed;
}

std::vector<QString> namesOf(const Matrix& matrix) {
    std::vector<QString> names;
    for (const CellValue& name : matrix.indicators)
        names.push_back(name.text());
    return names;
}

// Reads the structure and the composites from .csv texts and computes the
// first composite over the matrix: its output or the first refusal.
Expected<CompositeOutput> compositeFromTexts(const Matrix& matrix, const QByteArray& structure,
                                             const QByteArray& composites) {
    QTemporaryDir dir;
    const QString structureFile = dir.filePath(QStringLiteral("s.csv"));
    const QString compositesFile = dir.filePath(QStringLiteral("c.csv"));
    if (!writeFileBytes(structureFile, structure) || !writeFileBytes(compositesFile, composites))
        return failure(FailureKind::File, QStringLiteral("not written"));
    StructureChoice choice;
    choice.file = structureFile;
    const QString workbook = dir.filePath(QStringLiteral("m.csv"));
    Expected<std::optional<StructureSheet>> sheet = readStructure(workbook, {}, choice, kC);
    if (!sheet)
        return sheet.error();
    Expected<Structure> built = buildStructure(**sheet, namesOf(matrix), kC);
    if (!built)
        return built.error();
    Expected<CompositeList> list = readComposites(workbook, {}, compositesFile, kC);
    if (!list)
        return list.error();
    if (list->composites.empty())
        return failure(FailureKind::File, QStringLiteral("no composite"));
    return computeComposite(list->composites.front(), matrix, &*built, kC);
}

} // namespace

class TestComposite : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void normalisations_data();
    void normalisations();
    void aggregations_data();
    void aggregations();
    void constructions_data();
    void constructions();
    void humanDevelopmentIndex();
    void refusals_data();
    void refusals();
    void codesRoundTrip();
};

void TestComposite::normalisations_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<std::vector<double>>("expected");
    const double sd = std::sqrt(8.75);
    const std::vector<double> z{-3.5 / sd, -1.5 / sd, 0.5 / sd, 4.5 / sd};
    QTest::newRow("minmax") << "minmax" << false << kColumn << std::vector<double>{0, .25, .5, 1};
    QTest::newRow("minmax, negative")
        << "minmax" << true << kColumn << std::vector<double>{1, .75, .5, 0};
    QTest::newRow("minmax(0,100)")
        << "MinMax(0, 100)" << false << kColumn << std::vector<double>{0, 25, 50, 100};
    QTest::newRow("a gap stays a gap, the rest over what there is")
        << "minmax" << false << std::vector<double>{2, kNaN, 6, 10}
        << std::vector<double>{0, kNaN, .5, 1};
    QTest::newRow("zscore") << "zscore" << false << kColumn << z;
    QTest::newRow("zscore(100,10), negative")
        << "zscore(100,10)" << true << kColumn
        << std::vector<double>{100 - 10 * z[0], 100 - 10 * z[1], 100 - 10 * z[2], 100 - 10 * z[3]};
    // Goalposts 3 and 8 (the structure's Minimo and Massimo): 2 and 10 clipped.
    QTest::newRow("goalposts, clipped")
        << "goalposts" << false << kColumn << std::vector<double>{0, .2, .6, 1};
    QTest::newRow("goalposts, negative, clipped")
        << "goalposts" << true << kColumn << std::vector<double>{1, .8, .4, 0};
    QTest::newRow("goalposts(0,100)")
        << "goalposts(0,100)" << false << kColumn << std::vector<double>{0, 20, 60, 100};
    // Target 8 from the observed minimum 2; negative: target 3 from the
    // given maximum 8.
    QTest::newRow("target") << "target" << false << kColumn
                            << std::vector<double>{0, 1. / 3, 2. / 3, 1};
    QTest::newRow("target, negative")
        << "target" << true << kColumn << std::vector<double>{1, .8, .4, 0};
    QTest::newRow("rank, ties share their mean rank")
        << "rank" << false << std::vector<double>{2, 4, 4, 10}
        << std::vector<double>{1, 2.5, 2.5, 4};
    QTest::newRow("rank, negative") << "rank" << true << std::vector<double>{2, 4, 4, 10}
                                    << std::vector<double>{4, 2.5, 2.5, 1};
    QTest::newRow("percentile") << "percentile" << false << std::vector<double>{2, 4, 4, 10}
                                << std::vector<double>{0, .5, .5, 1};
    QTest::newRow("ratio") << "ratio" << false << kColumn
                           << std::vector<double>{2 / 5.5, 4 / 5.5, 6 / 5.5, 10 / 5.5};
    QTest::newRow("ratio, negative")
        << "ratio" << true << kColumn << std::vector<double>{5.5 / 2, 5.5 / 4, 5.5 / 6, 5.5 / 10};
    QTest::newRow("none") << "none" << false << kColumn << kColumn;
}

void TestComposite::normalisations() {
    QFETCH(QString, code);
    QFETCH(bool, negative);
    QFETCH(std::vector<double>, values);
    QFETCH(std::vector<double>, expected);
    const ColumnBounds bounds = code.startsWith(u't')
                                    ? ColumnBounds{std::nullopt, 8.0, negative ? 3.0 : 8.0}
                                    : ColumnBounds{3.0, 8.0, std::nullopt};
    const NormalisedColumn column =
        normaliseColumn(values, negative, normalisation(qPrintable(code)), bounds);
    QCOMPARE(int(column.problem), int(NormalisationProblem::None));
    COMPARE_NUMBERS(column.values, expected);
}

void TestComposite::aggregations_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("refused");
    // Values 1, 4, 16 weighing 1, 1, 2: scaled to sum to m = 3, w' = 0.75,
    // 0.75, 1.5.
    const std::vector<double> v{1, 4, 16};
    QTest::newRow("mean") << "mean" << v << 27.75 / 3 << -1;
    // exp((0.75 ln 4 + 1.5 ln 16) / 3) = 4^1.25 = 2^2.5.
    QTest::newRow("geometric") << "geometric" << v << std::pow(2.0, 2.5) << -1;
    QTest::newRow("harmonic") << "harmonic" << v << 3 / 1.03125 << -1;
    QTest::newRow("power(2)") << "power(2)" << v << 11.5 << -1;
    // M = 9.25, S^2 = 140.0625 / 3, M +- S^2 / M.
    QTest::newRow("mpi+") << "mpi+" << v << 9.25 + 46.6875 / 9.25 << -1;
    QTest::newRow("mpi-") << "mpi-" << v << 9.25 - 46.6875 / 9.25 << -1;
    // A gap: the weights 1 and 2 scaled to sum to 2, (2/3 + 4/3 16) / 2.
    QTest::newRow("mean over what a unit has")
        << "mean" << std::vector<double>{1, kNaN, 16} << 11.0 << -1;
    QTest::newRow("geometric with a zero")
        << "geometric" << std::vector<double>{1, 0, 16} << 0.0 << -1;
    QTest::newRow("geometric refuses a negative value")
        << "geometric" << std::vector<double>{1, -4, 16} << kNaN << 1;
    QTest::newRow("harmonic refuses a zero")
        << "harmonic" << std::vector<double>{1, 4, 0} << kNaN << 2;
    QTest::newRow("nothing to aggregate")
        << "mean" << std::vector<double>{kNaN, kNaN, kNaN} << kNaN << -1;
}

void TestComposite::aggregations() {
    QFETCH(QString, code);
    QFETCH(std::vector<double>, values);
    QFETCH(double, expected);
    QFETCH(int, refused);
    int at = -1;
    const std::vector<double> weights{1, 1, 2};
    const double value = aggregateValues(aggregation(qPrintable(code)), values, weights, &at);
    QCOMPARE(at, refused);
    COMPARE_NUMBERS(std::vector<double>{value}, std::vector<double>{expected});
}

// Two groups over three indicators, worked out by hand:
//   A 0 5 10 10 -> minmax 0 .5 1 1;  B 10 0 5 10 -> 1 0 .5 1;  C 0 10 5 2 -> 0 1 .5 .2
//   G1 = mean(A, B) = .5 .25 .75 1;  G2 = C.
void TestComposite::constructions_data() {
    QTest::addColumn<QByteArray>("construction");
    QTest::addColumn<QByteArray>("g1Aggregation");
    QTest::addColumn<std::vector<double>>("index");
    QTest::addColumn<std::vector<int>>("ranks");
    // Upward: mean(G1, G2); units 2 and 3 tie at .625, the later first.
    QTest::newRow("upward") << QByteArray("upward") << QByteArray()
                            << std::vector<double>{.25, .625, .625, .6}
                            << std::vector<int>{4, 2, 1, 3};
    // Per level: G1 normalised again, (G1 - .25) / .75 = 1/3 0 2/3 1; G2
    // already spans 0..1.
    QTest::newRow("per-level") << QByteArray("per-level") << QByteArray()
                               << std::vector<double>{1. / 6, .5, 7. / 12, .6}
                               << std::vector<int>{4, 3, 2, 1};
    // G1 a geometric mean of its own: sqrt(A B) = 0 0 sqrt(.5) 1.
    QTest::newRow("a group's own aggregation")
        << QByteArray("upward") << QByteArray("geometric")
        << std::vector<double>{0, .5, (std::sqrt(.5) + .5) / 2, .6} << std::vector<int>{4, 3, 1, 2};
}

void TestComposite::constructions() {
    QFETCH(QByteArray, construction);
    QFETCH(QByteArray, g1Aggregation);
    QFETCH(std::vector<double>, index);
    QFETCH(std::vector<int>, ranks);
    const Matrix matrix =
        gappyMatrix({{0, 5, 10, 10}, {10, 0, 5, 10}, {0, 10, 5, 2}}, {"A", "B", "C"});
    const Expected<CompositeOutput> output = compositeFromTexts(
        matrix,
        "Elemento;Padre;Aggregazione\r\nA;G1;\r\nB;G1;\r\nC;G2;\r\nG1;;" + g1Aggregation + "\r\n",
        "Codice;Nome;Normalizzazione;Aggregazione;Costruzione\r\nX;X;minmax;mean;" + construction +
            "\r\n");
    QVERIFY2(output, qPrintable(failureMessage(output)));
    COMPARE_NUMBERS(output->index, index);
    QCOMPARE(output->ranks, ranks);
}

// The example workbook against an independent computation of the index
// (Python, from the figures the examples script writes): life expectancy
// over 20..85, expected schooling over 0..18 and mean schooling over 0..15
// averaged, ln income over ln 100..ln 75000, each clipped to [0, 1]; the
// index their geometric mean.
//   Aldoria  51.4  6.4  1.5   550 -> 0.4830769231 0.2277777778 0.2575119699 -> 0.3048655522
//   Istrania 81.6 19.3 12.9 58220 -> 0.9476923077 0.9300000000 0.9617437501 -> 0.9463894543
//   Talvera  83.3 19.4 13.8 86600 -> 0.9738461538 0.9600000000 1.0000000000 -> 0.9778086214
// Talvera ranks first, Aldoria last of the 30.
void TestComposite::humanDevelopmentIndex() {
    const QString workbook = QStringLiteral(ORVALTA_EXAMPLES "/sviluppo_umano.xlsx");
    Processing processing(kC);
    const Status loaded = processing.load(workbook);
    QVERIFY2(loaded, qPrintable(loaded ? QString() : loaded.error().message));
    QVERIFY(processing.structure());
    const Expected<CompositeList> list =
        readComposites(workbook, processing.sheetNames(), QString(), kC);
    QVERIFY2(list, qPrintable(failureMessage(list)));
    const Composite* hdi = list->find(QStringLiteral("hdi"));
    QVERIFY(hdi && list->find(QStringLiteral("JRC")));
    const Expected<CompositeOutput> output =
        computeComposite(*hdi, processing.matrix(), processing.structure().get(), kC);
    QVERIFY2(output, qPrintable(failureMessage(output)));
    const Structure& structure = *processing.structure();
    const auto group = [&](const char* name) -> const std::vector<double>& {
        for (std::size_t e = 0; e < structure.elements.size(); ++e)
            if (structure.elements[e].name == QLatin1String(name))
                return output->groups[e];
        qFatal("no group %s", name);
    };
    const int units[] = {0, 8, 19}; // Aldoria, Istrania, Talvera
    const double expected[][4] = {{0.4830769231, 0.2277777778, 0.2575119699, 0.3048655522},
                                  {0.9476923077, 0.9300000000, 0.9617437501, 0.9463894543},
                                  {0.9738461538, 0.9600000000, 1.0000000000, 0.9778086214}};
    for (int k = 0; k < 3; ++k) {
        const auto i = std::size_t(units[k]);
        const double actual[] = {group("Salute")[i], group("Istruzione")[i], group("Reddito")[i],
                                 output->index[i]};
        for (int c = 0; c < 4; ++c)
            QVERIFY2(
                std::fabs(actual[c] - expected[k][c]) < 1e-9,
                qPrintable(QStringLiteral("unit %1, value %2: %3").arg(i).arg(c).arg(actual[c])));
    }
    QCOMPARE(output->ranks[19], 1);
    QCOMPARE(output->ranks[0], 30);
}

// Refusals of definitions, structure columns and computations, each
// naming its row, column, indicator or cell. The matrix: A 1 2 4, B 2 0 3,
// c 1 2 3 (lower is better).
void TestComposite::refusals_data() {
    QTest::addColumn<QByteArray>("structure");
    QTest::addColumn<QByteArray>("composites");
    QTest::addColumn<QString>("message");
    const QByteArray s = "Elemento;Padre;Minimo;Massimo;Trasformazione;Aggregazione\r\n"
                         "A;G;0;5;;\r\nB;G;;;;\r\nc;H;;;;\r\n";
    const QByteArray c = "Codice;Nome;Normalizzazione;Aggregazione\r\n";
    const auto composite = [&c](const char* row) -> QByteArray { return c + row + "\r\n"; };
    QTest::newRow("code too long") << s << composite("ABCDEFGHI;;minmax;mean")
                                   << "Metodi, riga 2: il codice «ABCDEFGHI» non è ammesso";
    QTest::newRow("code with a dot")
        << s << composite("A.B;;minmax;mean") << "il codice «A.B» non è ammesso";
    QTest::newRow("code of the nine")
        << s << composite("mpi+;;minmax;mean") << "il codice mpi+ è quello di uno dei nove metodi";
    QTest::newRow("code repeated") << s << composite("X;;minmax;mean\r\nx;;zscore;mean")
                                   << "Metodi, riga 3: il codice x è già usato";
    QTest::newRow("normalisation") << s << composite("X;;minmax(5,1);mean")
                                   << "la normalizzazione «minmax(5,1)» di X non è ammessa";
    QTest::newRow("aggregation") << s << composite("X;;minmax;power(0)")
                                 << "l'aggregazione «power(0)» di X non è ammessa";
    QTest::newRow("construction") << s
                                  << QByteArray(c.chopped(2) +
                                                ";Costruzione\r\nX;;minmax;mean;sideways\r\n")
                                  << "la costruzione «sideways» di X non è ammessa";
    QTest::newRow("column missing") << s << QByteArray("Codice;Nome;Normalizzazione\r\n")
                                    << "non ha la colonna Aggregazione nella riga 1";
    QTest::newRow("column unknown")
        << s << QByteArray(c.chopped(2) + ";Peso\r\n")
        << "le colonne ammesse sono Codice, Nome, Normalizzazione, Aggregazione, Costruzione.";
    const QByteArray m = composite("X;;minmax;mean");
    QTest::newRow("goalpost on a group")
        << QByteArray(s + "G;;1;;;\r\n") << m
        << "Struttura, riga 5: G è un gruppo: la colonna Minimo vale solo per gli indicatori.";
    QTest::newRow("aggregation on an indicator")
        << QByteArray(s).replace("B;G;;;;", "B;G;;;;mean") << m
        << "Struttura, riga 3: B è un indicatore: la colonna Aggregazione vale solo per i gruppi.";
    QTest::newRow("transformation") << QByteArray(s).replace("B;G;;;;", "B;G;;;sqrt;") << m
                                    << "la trasformazione di B (sqrt) non è ammessa";
    QTest::newRow("goalpost no number") << QByteArray(s).replace("A;G;0;", "A;G;zero;") << m
                                        << "Struttura, riga 2: Minimo di A (zero) non è un numero.";
    QTest::newRow("group's aggregation") << QByteArray(s + "G;;;;;median\r\n") << m
                                         << "Struttura, riga 5: l'aggregazione «median» di G";
    QTest::newRow("goalposts without bounds")
        << s << composite("X;;goalposts;mean")
        << "X - la normalizzazione goalposts richiede per B un Minimo minore del Massimo";
    QTest::newRow("log of zero")
        << QByteArray(s).replace("B;G;;;;", "B;G;;;log;") << m
        << "X - la trasformazione log non si applica al valore 0 della cella C3 (U2, B)";
    QTest::newRow("none on negative polarity")
        << s << composite("X;;none;mean") << "la normalizzazione none non si applica a c";
    QTest::newRow("harmonic of a zero")
        << s << composite("X;;minmax;harmonic")
        << "X - l'aggregazione harmonic del gruppo G non accetta il valore 0 di A per l'unità U1.";
}

void TestComposite::refusals() {
    QFETCH(QByteArray, structure);
    QFETCH(QByteArray, composites);
    QFETCH(QString, message);
    const Matrix matrix = gappyMatrix({{1, 2, 4}, {2, 0, 3}, {1, 2, 3}}, {"A", "B", "c"});
    const Expected<CompositeOutput> output = compositeFromTexts(matrix, structure, composites);
    QVERIFY(!output);
    QVERIFY2(output.error().message.contains(message), qPrintable(output.error().message));
}

// Codes read back as written, and lists split outside parentheses.
void TestComposite::codesRoundTrip() {
    for (const char* code : {"minmax", "minmax(1,100)", "zscore(100,10)", "goalposts(0,1.5)",
                             "target", "percentile", "none"})
        QCOMPARE(normalisation(code).code(), QString::fromLatin1(code));
    for (const char* code : {"mean", "geometric", "power(-1)", "mpi-"})
        QCOMPARE(aggregation(code).code(), QString::fromLatin1(code));
    QVERIFY(!parseNormalisation(QStringLiteral("rank(1,2)")));
    QVERIFY(!parseNormalisation(QStringLiteral("zscore(100,0)")));
    QVERIFY(!parseAggregation(QStringLiteral("mean(2)")));
    QCOMPARE(splitCodeList(QStringLiteral("minmax(1,100), zscore,,rank")),
             (QStringList{"minmax(1,100)", "zscore", "rank"}));
}

QTEST_GUILESS_MAIN(TestComposite)
#include "tst_composite.moc"
