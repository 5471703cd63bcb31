#pragma once

#include "shared/expected.h"

#include <QLocale>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

// One feature of a boundary file: its attributes' values as texts (in the
// order of BoundaryLayer::fields) and its outline as closed rings in the
// map's plane (metres, x to the east, y to the north). Outer rings, holes
// and the parts of a multi-part shape are all rings: drawn with the
// even-odd rule they give the shape with its holes and islands.
struct MapShape {
    QStringList attributes;
    std::vector<std::vector<QPointF>> rings;
    QRectF bounds;
};

// The shapes of a boundary file, in the plane they are drawn in.
struct BoundaryLayer {
    QString path;
    QStringList fields;       // the attributes' names
    std::vector<bool> isText; // whether each attribute is a text one
    std::vector<MapShape> shapes;
    QRectF extent; // of every shape's bounds
    // How the coordinates were placed in the plane (projectionText): the
    // file's own projection, named, or the equal-area projection centred on
    // projectionCentre (longitude, latitude) the geographic coordinates were
    // put in.
    QString projection; // the file's projection, in Italian
    bool projectedByFile = false;
    QPointF projectionCentre;
    long long vertexCount = 0;
};

// Reads the first layer of a boundary file (GeoJSON, ESRI Shapefile with
// its .dbf, .shx and .prj, also inside a .zip, GeoPackage) with GDAL/OGR.
// Coordinates the file declares projected are kept as they are; geographic
// ones are projected with a Lambert azimuthal equal-area projection centred
// on the layer's extent. Features without a polygon are skipped. Fails
// (FailureKind::File) with an Italian message when the file cannot be
// opened, holds no polygons, or declares no reference system or one the
// library cannot read.
Expected<BoundaryLayer> readBoundaries(const QString& path);

// The projection of the layer in Italian for the map's source line, the
// degrees of its centre written as locale writes numbers.
QString projectionText(const BoundaryLayer& layer, const QLocale& locale);

// The boundary file found beside the workbook: `<workbook>.confini.<ext>`
// for the formats readBoundaries reads (geojson, json, shp, zip, gpkg),
// the workbook named with its extension ("regioni.xlsx.confini.geojson")
// or without ("regioni.confini.geojson"); the first that exists, empty when
// there is none.
QString boundariesBeside(const QString& workbook);
