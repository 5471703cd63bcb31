#include "support/resultsfixture.h"
#include "support/testsupport.h"

#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "ui/maps/commandlinemap.h"
#include "ui/maps/mapexport.h"
#include "ui/maps/mappicture.h"

#include <QFile>
#include <QMap>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

// The map as drawn: the SVG's titles and fills against the classes, north
// up whatever the file's reference system, and `orvalta --map` on the
// sample results.
class TestMapDrawing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void svgTitlesAndFillsFollowTheClasses();
    void projectedAndGeographicDrawnTheSameWayUp_data();
    void projectedAndGeographicDrawnTheSameWayUp();
    void commandLineMapOfTheSample();
};

namespace {

// A square ring of side 1 at (x, y) in the plane.
std::vector<QPointF> squareRing(double x, double y, double side = 1) {
    return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}, {x, y}};
}

MapSeries seriesOf(const QStringList& labels, const std::vector<double>& values) {
    MapSeries series;
    series.title = QStringLiteral("Indice");
    series.method = QStringLiteral("MPI+");
    series.labels = labels;
    series.values = values;
    return series;
}

// The GeoJSON feature of a rectangle from (x0, y0) to (x1, y1) named name.
QByteArray rectangle(const QString& name, double x0, double y0, double x1, double y1) {
    return QStringLiteral(R"({"type":"Feature","properties":{"nome":"%1"},"geometry":)"
                          R"({"type":"Polygon","coordinates":[[[%2,%3],[%4,%3],[%4,%5],[%2,%5],)"
                          R"([%2,%3]]]}})")
        .arg(name)
        .arg(x0, 0, 'f', 4)
        .arg(y0, 0, 'f', 4)
        .arg(x1, 0, 'f', 4)
        .arg(y1, 0, 'f', 4)
        .toUtf8();
}

QByteArray featureCollection(const QList<QByteArray>& features, const QByteArray& crs = {}) {
    QByteArray joined;
    for (const QByteArray& feature : features)
        joined += (joined.isEmpty() ? "" : ",") + feature;
    return R"({"type":"FeatureCollection",)" + crs + R"("features":[)" + joined + "]}";
}

// Each <path> of the SVG that has a <title>: its title and fill.
QMap<QString, QString> titledFills(const QByteArray& svg) {
    QMap<QString, QString> fills;
    QXmlStreamReader reader(svg);
    QString fill;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("path"))
            fill = reader.attributes().value(QLatin1String("fill")).toString();
        else if (reader.isStartElement() && reader.name() == QLatin1String("title") &&
                 !fill.isEmpty())
            fills.insert(reader.readElementText(), fill);
        else if (reader.isEndElement() && reader.name() == QLatin1String("path"))
            fill.clear();
    }
    return reader.hasError()
               ? QMap<QString, QString>{{QStringLiteral("error"), reader.errorString()}}
               : fills;
}

} // namespace

void TestMapDrawing::svgTitlesAndFillsFollowTheClasses() {
    BoundaryLayer layer;
    layer.fields = {QStringLiteral("nome")};
    layer.isText = {true};
    const QStringList names{"A", "B", "C", "D", "E"};
    for (int i = 0; i < names.size(); ++i)
        layer.shapes.push_back({{names.at(i)}, {squareRing(2.0 * i, 0)}, QRectF(2.0 * i, 0, 1, 1)});
    const Expected<BoundaryJoin> join = joinBoundaries(layer, names);
    QVERIFY2(join, qPrintable(failureMessage(join)));
    // Two equal classes: 1 to 2.5 and 2.5 to 4.
    const MapPicture picture(layer, *join, seriesOf(names, {1.5, 1, 4, 2.5, NAN}),
                             MapStyle{2, BreakMethod::Equal}, Regional(QLocale(QLocale::Italian)),
                             QStringLiteral("Fonte: prova.xlsx, MPI+, 1/1/2026"));
    const QMap<QString, QString> fills = titledFills(mapSvg(picture, QSize(800, 600)));
    QCOMPARE(fills.keys(),
             (QStringList{"A: 1,5000", "B: 1", "C: 4", "D: 2,5000", "E: nessun valore"}));
    QCOMPARE(fills.value("A: 1,5000"), fills.value("B: 1"));
    QCOMPARE(fills.value("C: 4"), fills.value("D: 2,5000"));
    QVERIFY(fills.value("A: 1,5000") != fills.value("C: 4"));
    QCOMPARE(fills.value("A: 1,5000"), picture.classes().at(0).colour.name());
    QCOMPARE(fills.value("C: 4"), picture.classes().at(1).colour.name());
    QCOMPARE(fills.value("E: nessun valore"), QStringLiteral("url(#senza-valore)"));
    QCOMPARE(picture.withoutValue(), QStringList{"E"});
    QCOMPARE(picture.classes().at(0).text, QStringLiteral("1,00 – 2,50"));
}

void TestMapDrawing::projectedAndGeographicDrawnTheSameWayUp_data() {
    QTest::addColumn<QByteArray>("file");
    // Two boxes east of Rome, one north of the other.
    QTest::newRow("geographic") << featureCollection(
        {rectangle("Nord", 12, 45, 13, 46), rectangle("Sud", 12, 40, 13, 41)});
    // The same in UTM zone 33N (metres), roughly.
    QTest::newRow("projected") << featureCollection(
        {rectangle("Nord", 263000, 4987000, 341000, 5097000),
         rectangle("Sud", 245000, 4432000, 330000, 4542000)},
        R"("crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::32633"}},)");
}

void TestMapDrawing::projectedAndGeographicDrawnTheSameWayUp() {
    QFETCH(QByteArray, file);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("confini.geojson"));
    QVERIFY(writeFileBytes(path, file));
    const Expected<BoundaryLayer> layer = readBoundaries(path);
    QVERIFY2(layer, qPrintable(failureMessage(layer)));
    const QStringList names{"Nord", "Sud"};
    const Expected<BoundaryJoin> join = joinBoundaries(*layer, names);
    QVERIFY2(join, qPrintable(failureMessage(join)));
    const MapPicture picture(*layer, *join, seriesOf(names, {1, 2}), MapStyle{2},
                             Regional(QLocale::c()), QString());
    QImage image(600, 600, QImage::Format_ARGB32);
    QPainter painter(&image);
    picture.draw(painter, image.rect());
    painter.end();
    // Down the middle of the shapes' area: the north box's colour first,
    // the south box's below it.
    const QRectF area = picture.layout(image.rect()).shapes;
    const int x = int(area.center().x());
    const QColor upper = image.pixelColor(x, int(area.top() + area.height() * 0.1));
    const QColor lower = image.pixelColor(x, int(area.bottom() - area.height() * 0.1));
    QCOMPARE(upper, picture.unitColour(0));
    QCOMPARE(lower, picture.unitColour(1));
    QCOMPARE(picture.unitAt(QPointF(x, area.top() + area.height() * 0.1), image.rect()), 0);
    QCOMPARE(picture.unitAt(QPointF(x, area.center().y()), image.rect()), -1);
}

void TestMapDrawing::commandLineMapOfTheSample() {
    QTemporaryDir folder;
    const Regional regional(QLocale::c());
    const SampleResults sample = sampleWithResults(folder.path(), regional, false);
    QVERIFY(sample.processing);
    const QString workbook = sample.processing->workbook();
    // A shape for every region but the last, and one for no unit, in a row.
    QList<QByteArray> features;
    const std::vector<CellValue>& units = sample.processing->matrix().units;
    for (std::size_t i = 0; i + 1 < units.size(); ++i)
        features.append(rectangle(regional.generalText(units[i]), 8 + 0.5 * double(i), 40,
                                  8.4 + 0.5 * double(i), 41));
    features.append(rectangle(QStringLiteral("Corsica"), 8, 42, 9, 43));
    QVERIFY(
        writeFileBytes(workbook + QStringLiteral(".confini.geojson"), featureCollection(features)));

    MapRequest request;
    request.workbook = workbook;
    request.show = QStringLiteral("rank:MPI+");
    request.out = workbook + QStringLiteral(".mappa.svg");
    QStringList warnings;
    const Status written = writeMapFromCommandLine(request, regional, &warnings);
    QVERIFY2(written, qPrintable(failureMessage(written)));
    QCOMPARE(warnings.size(), 2);
    QVERIFY(warnings.at(0).contains(regional.generalText(units.back())));
    QVERIFY(warnings.at(1).contains(QStringLiteral("Corsica")));
    const QMap<QString, QString> fills = titledFills(fileContents(request.out));
    QCOMPARE(fills.size(), int(units.size()) - 1);
    QVERIFY(fileContents(workbook + QStringLiteral(".registro.json"))
                .contains(QFileInfo(request.out).fileName().toUtf8()));

    request.show = QStringLiteral("sti:Metodo");
    const Status refused = writeMapFromCommandLine(request, regional);
    QVERIFY(!refused);
    QCOMPARE(refused.error().kind, FailureKind::Usage);
    QVERIFY(refused.error().message.contains(QStringLiteral("Sobol")));
}

QTEST_MAIN(TestMapDrawing)
#include "tst_mapdrawing.moc"
