#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "geo/classbreaks.h"
#include "support/testsupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

class TestMaps : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void joinMatchesLabelsAsNamesAreCompared();
    void joinChoosesTheFieldThatMatchesMost();
    void joinRefusesWhatCannotBeJoined_data();
    void joinRefusesWhatCannotBeJoined();
    void breaksAgainstWorkedValues_data();
    void breaksAgainstWorkedValues();
    void breaksOfFewValues();
    void jenksFindsTheLeastDeviations();
    void classOfPutsBoundsInTheUpperClass();
    void readsRingsHolesAndPartsOfAGeoJson();
    void readsAZippedFile();
    void refusesFilesItCannotPlace_data();
    void refusesFilesItCannotPlace();
};

namespace {

// A layer of shapes with the attributes "nome" (text) and "codice".
BoundaryLayer layerOf(const QStringList& names, const QStringList& codes = {}) {
    BoundaryLayer layer;
    layer.fields = {QStringLiteral("codice"), QStringLiteral("nome")};
    layer.isText = {true, true};
    for (int i = 0; i < names.size(); ++i)
        layer.shapes.push_back({{codes.value(i, QString::number(i)), names.at(i)}, {}, {}});
    return layer;
}

// A GeoJSON square of side 1 at (x, y) named name, optionally with a hole.
QByteArray square(const char* name, double x, double y, bool hole = false) {
    QByteArray ring = QStringLiteral("[[%1,%2],[%3,%2],[%3,%4],[%1,%4],[%1,%2]]")
                          .arg(x)
                          .arg(y)
                          .arg(x + 1)
                          .arg(y + 1)
                          .toUtf8();
    QByteArray rings = ring;
    if (hole)
        rings += QStringLiteral(",[[%1,%2],[%1,%3],[%4,%3],[%4,%2],[%1,%2]]")
                     .arg(x + 0.25)
                     .arg(y + 0.25)
                     .arg(y + 0.75)
                     .arg(x + 0.75)
                     .toUtf8();
    return QByteArray(R"({"type":"Feature","properties":{"nome":")") + name +
           R"("},"geometry":{"type":"Polygon","coordinates":[)" + rings + "]}}";
}

QByteArray collection(const QByteArray& features, const QByteArray& crs = {}) {
    return R"({"type":"FeatureCollection",)" + crs + R"("features":[)" + features + "]}";
}

} // namespace

void TestMaps::joinMatchesLabelsAsNamesAreCompared() {
    // Case, composed forms and blanks do not part a label from its shape.
    const BoundaryLayer layer = layerOf({QStringLiteral("lazio"), QStringLiteral("Valle  d'Aosta"),
                                         QStringLiteral("Citt\u00e0"), QStringLiteral("Corsica")});
    const QStringList units{QStringLiteral("Lazio"), QStringLiteral("Valle\u00a0d'Aosta "),
                            QStringLiteral("Citta\u0300"), QStringLiteral("Molise")};
    const Expected<BoundaryJoin> join = joinBoundaries(layer, units, QStringLiteral("nome"));
    QVERIFY2(join, qPrintable(failureMessage(join)));
    QCOMPARE(join->shapeOfUnit, (std::vector<int>{0, 1, 2, -1}));
    QCOMPARE(join->unmatchedUnits, QStringList{QStringLiteral("Molise")});
    QCOMPARE(join->unmatchedShapes, QStringList{QStringLiteral("Corsica")});
    const QStringList warnings = joinWarnings(*join);
    QCOMPARE(warnings.size(), 2);
    QVERIFY(warnings.at(0).contains(QStringLiteral("Unità senza confine: 1 (Molise)")));
    QVERIFY(warnings.at(1).contains(QStringLiteral("Corsica")));
}

void TestMaps::joinChoosesTheFieldThatMatchesMost() {
    const BoundaryLayer layer = layerOf({QStringLiteral("Lazio"), QStringLiteral("Molise")},
                                        {QStringLiteral("ITI4"), QStringLiteral("Lazio")});
    const Expected<BoundaryJoin> join =
        joinBoundaries(layer, {QStringLiteral("Molise"), QStringLiteral("Lazio")});
    QVERIFY2(join, qPrintable(failureMessage(join)));
    QCOMPARE(join->keyField, QStringLiteral("nome"));
    QCOMPARE(join->shapeOfUnit, (std::vector<int>{1, 0}));
    QVERIFY(joinWarnings(*join).isEmpty());
}

void TestMaps::joinRefusesWhatCannotBeJoined_data() {
    QTest::addColumn<QStringList>("shapes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("named");
    QTest::newRow("key not unique") << QStringList{"Lazio", "lazio ", "Molise"} << "nome"
                                    << "non è univoco";
    QTest::newRow("no such key") << QStringList{"Lazio"} << "NAME"
                                 << "non ha l'attributo NAME";
    QTest::newRow("nothing matches") << QStringList{"Corsica", "Sardaigne"} << "nome"
                                     << "Nessun valore";
    QTest::newRow("no field matches") << QStringList{"Corsica"} << ""
                                      << "--key";
}

void TestMaps::joinRefusesWhatCannotBeJoined() {
    QFETCH(QStringList, shapes);
    QFETCH(QString, key);
    QFETCH(QString, named);
    const Expected<BoundaryJoin> join =
        joinBoundaries(layerOf(shapes), {QStringLiteral("Lazio"), QStringLiteral("Molise")}, key);
    QVERIFY(!join);
    QCOMPARE(join.error().kind, FailureKind::Refused);
    QVERIFY2(join.error().message.contains(named), qPrintable(join.error().message));
}

void TestMaps::breaksAgainstWorkedValues_data() {
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<int>("classes");
    QTest::addColumn<int>("method");
    QTest::addColumn<std::vector<double>>("expected");
    const std::vector<double> fibonacci{55, 1, 2, 3, 5, 8, 13, 21, 34, 1, NAN};
    // Width 54 / 4 = 13.5.
    QTest::newRow("equal") << fibonacci << 4 << int(BreakMethod::Equal)
                           << std::vector<double>{1, 14.5, 28, 41.5, 55};
    // Positions p * 9 between the sorted values: 2.25 -> 2 + 0.25 * 1,
    // 4.5 -> (5 + 8) / 2, 6.75 -> 13 + 0.75 * 8.
    QTest::newRow("quantile") << fibonacci << 4 << int(BreakMethod::Quantile)
                              << std::vector<double>{1, 2.25, 6.5, 19, 55};
    // The least squared deviations: {1..13} {21, 34} {55} (201.93, against
    // 289.3 for {1..8} {13, 21, 34} {55}).
    QTest::newRow("jenks, an outlier alone")
        << fibonacci << 3 << int(BreakMethod::Jenks) << std::vector<double>{1, 21, 55, 55};
    QTest::newRow("jenks, clusters")
        << std::vector<double>{31, 1, 12, 2, 3, 10, 11, 30, 33, 32} << 3 << int(BreakMethod::Jenks)
        << std::vector<double>{1, 10, 30, 33};
}

void TestMaps::breaksAgainstWorkedValues() {
    QFETCH(std::vector<double>, values);
    QFETCH(int, classes);
    QFETCH(int, method);
    QFETCH(std::vector<double>, expected);
    const std::vector<double> breaks = classBreaks(values, classes, BreakMethod(method));
    QVERIFY2(numbersDiffer(breaks, expected, 1e-12).isEmpty(),
             qPrintable(numbersDiffer(breaks, expected, 1e-12)));
}

void TestMaps::breaksOfFewValues() {
    for (const BreakMethod method :
         {BreakMethod::Quantile, BreakMethod::Equal, BreakMethod::Jenks}) {
        QCOMPARE(classBreaks(std::vector<double>{4, 4, 4}, 5, method), (std::vector<double>{4, 4}));
        QCOMPARE(classBreaks(std::vector<double>{NAN}, 5, method), std::vector<double>{});
        // Two distinct values make two classes at most.
        QCOMPARE(classBreaks(std::vector<double>{1, 5, 5, 5, 5}, 5, method).size(), std::size_t(3));
    }
}

namespace {

// The squared deviations within the classes the breaks make.
double withinDeviations(std::vector<double> values, const std::vector<double>& breaks) {
    std::vector<double> sum(breaks.size()), squares(breaks.size()), count(breaks.size());
    for (const double value : values) {
        const auto k = std::size_t(classOf(value, breaks));
        sum[k] += value;
        squares[k] += value * value;
        count[k] += 1;
    }
    double total = 0;
    for (std::size_t k = 0; k < breaks.size(); ++k)
        if (count[k] > 0)
            total += squares[k] - sum[k] * sum[k] / count[k];
    return total;
}

// The least squared deviations of sorted values in `classes` runs, trying
// every start of every last run.
double leastDeviations(std::vector<double> sorted, int classes) {
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    const auto cost = [&](std::size_t from, std::size_t to) {
        double sum = 0, squares = 0;
        for (std::size_t i = from; i < to; ++i) {
            sum += sorted[i];
            squares += sorted[i] * sorted[i];
        }
        return squares - sum * sum / double(to - from);
    };
    std::vector<double> best(n + 1);
    for (std::size_t j = 1; j <= n; ++j)
        best[j] = cost(0, j);
    for (int c = 1; c < classes; ++c) {
        std::vector<double> next(n + 1, INFINITY);
        for (std::size_t j = std::size_t(c) + 1; j <= n; ++j)
            for (std::size_t i = std::size_t(c); i < j; ++i)
                next[j] = std::min(next[j], best[i] + cost(i, j));
        best = next;
    }
    return best[n];
}

} // namespace

void TestMaps::jenksFindsTheLeastDeviations() {
    // Spread, clustered and tied values.
    for (int seed = 1; seed <= 12; ++seed) {
        std::vector<double> values;
        for (int i = 0; i < 40 + 7 * seed; ++i)
            values.push_back(seed % 3 == 0 ? double((i * i + seed) % 11)
                                           : std::sin(i * 0.7 * seed) * 10 + (i % 5) * seed);
        for (const int classes : {2, 4, 7}) {
            const double found =
                withinDeviations(values, classBreaks(values, classes, BreakMethod::Jenks));
            const double least = leastDeviations(values, classes);
            QVERIFY2(found <= least + 1e-9 * (1 + least),
                     qPrintable(QStringLiteral("seed %1, %2 classes: %3 against %4")
                                    .arg(seed)
                                    .arg(classes)
                                    .arg(found, 0, 'g', 17)
                                    .arg(least, 0, 'g', 17)));
        }
    }
}

void TestMaps::classOfPutsBoundsInTheUpperClass() {
    const std::vector<double> breaks{1, 21, 55, 55};
    QCOMPARE(classOf(1, breaks), 0);
    QCOMPARE(classOf(20.9, breaks), 0);
    QCOMPARE(classOf(21, breaks), 1);
    QCOMPARE(classOf(54.9, breaks), 1);
    QCOMPARE(classOf(55, breaks), 2);
    QCOMPARE(classOf(NAN, breaks), -1);
    QCOMPARE(classOf(3, std::vector<double>{1, 5}), 0);
    QCOMPARE(classOf(5, std::vector<double>{1, 5}), 0);
}

void TestMaps::readsRingsHolesAndPartsOfAGeoJson() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("confini.geojson"));
    const QByteArray twoParts =
        R"({"type":"Feature","properties":{"nome":"Isole"},"geometry":{"type":"MultiPolygon",)"
        R"("coordinates":[[[[20,40],[21,40],[21,41],[20,40]]],[[[22,40],[23,40],[23,41],[22,40]]]]}})";
    QVERIFY(
        writeFileBytes(path, collection(square("Lago", 10, 45, true) + ',' + twoParts +
                                        R"(,{"type":"Feature","properties":{"nome":"Punto"},)"
                                        R"("geometry":{"type":"Point","coordinates":[1,1]}})")));
    const Expected<BoundaryLayer> layer = readBoundaries(path);
    QVERIFY2(layer, qPrintable(failureMessage(layer)));
    QCOMPARE(layer->shapes.size(), std::size_t(2)); // the point is no shape
    QCOMPARE(layer->shapes[0].rings.size(), std::size_t(2));
    QCOMPARE(layer->shapes[1].rings.size(), std::size_t(2));
    QCOMPARE(layer->shapes[1].attributes.at(int(layer->fields.indexOf(QStringLiteral("nome")))),
             QStringLiteral("Isole"));
    QVERIFY(!layer->projectedByFile);
    // The centre's degrees written as the regional settings write numbers.
    QVERIFY(projectionText(*layer, QLocale::c()).contains(QStringLiteral("Lambert")));
    QVERIFY(projectionText(*layer, QLocale::c()).contains(QStringLiteral("43.0° N, 16.5° E")));
    QVERIFY(projectionText(*layer, QLocale(QLocale::Italian))
                .contains(QStringLiteral("43,0° N, 16,5° E")));
    // Equal-area: the hole is a quarter of its square, wherever it lies.
    const auto area = [](const std::vector<QPointF>& ring) {
        double twice = 0;
        for (std::size_t i = 0; i + 1 < ring.size(); ++i)
            twice += ring[i].x() * ring[i + 1].y() - ring[i + 1].x() * ring[i].y();
        return std::abs(twice) / 2;
    };
    QVERIFY(
        quasiUguali(area(layer->shapes[0].rings[1]) / area(layer->shapes[0].rings[0]), 0.25, 2e-3));
    // The Lago, further north, lies above the islands.
    QVERIFY(layer->shapes[0].bounds.top() > layer->shapes[1].bounds.bottom());
}

void TestMaps::readsAZippedFile() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("confini.zip"));
    QVERIFY(
        writeZip(path, {{QStringLiteral("confini.geojson"), collection(square("Lazio", 12, 41))}}));
    const Expected<BoundaryLayer> layer = readBoundaries(path);
    QVERIFY2(layer, qPrintable(failureMessage(layer)));
    QCOMPARE(layer->shapes.size(), std::size_t(1));
}

void TestMaps::refusesFilesItCannotPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("named");
    QTest::newRow("not a boundary file") << "confini.geojson" << QByteArray("{\"type\": 3") << "";
    QTest::newRow("no polygons") << "confini.geojson"
                                 << collection(
                                        R"({"type":"Feature","properties":{},)"
                                        R"("geometry":{"type":"Point","coordinates":[1,1]}})")
                                 << "non contiene poligoni";
    QTest::newRow("geocentric reference system")
        << "confini.geojson"
        << collection(square("Lazio", 12, 41),
                      R"("crs":{"type":"name","properties":{"name":"EPSG:4978"}},)")
        << "né geografico né proiettato";
    QTest::newRow("missing") << "" << QByteArray() << "non esiste";
}

void TestMaps::refusesFilesItCannotPlace() {
    QFETCH(QString, name);
    QFETCH(QByteArray, contents);
    QFETCH(QString, named);
    QTemporaryDir folder;
    const QString path = folder.filePath(name.isEmpty() ? QStringLiteral("nessuno.geojson") : name);
    if (!name.isEmpty())
        QVERIFY(writeFileBytes(path, contents));
    const Expected<BoundaryLayer> layer = readBoundaries(path);
    QVERIFY(!layer);
    QCOMPARE(layer.error().kind, FailureKind::File);
    QVERIFY2(layer.error().message.contains(QStringLiteral("confini")) &&
                 layer.error().message.contains(named),
             qPrintable(layer.error().message));
}

QTEST_GUILESS_MAIN(TestMaps)
#include "tst_maps.moc"
