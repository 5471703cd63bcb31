#pragma once

#include "export/mapseries.h"
#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "geo/classbreaks.h"
#include "shared/regional.h"

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <memory>
#include <vector>

class QPainter;

// How the values are classed.
struct MapStyle {
    int classes = 5;
    BreakMethod breaks = BreakMethod::Quantile;
};

// One class of the legend: its bounds as the interface writes numbers, and
// its colour.
struct MapClass {
    double from = 0;
    double to = 0;
    QString text; // "12,3 – 45,6"
    QColor colour;
};

// Where draw puts each part of the map in a target: the same places in
// every format.
struct MapLayout {
    QRectF shapes; // the area the shapes are fitted in
    double fontPixels = 12;
    QPointF title; // the baseline start of the title
    struct Entry {
        QRectF swatch;
        QPointF text; // baseline start
        QString label;
        QColor colour;
        bool hatched = false;
    };
    std::vector<Entry> legend;
    std::vector<std::pair<QPointF, QString>> notes; // the units without a value, the source lines
};

// The shapes of a layer joined to the units, each as a path in the map's
// plane: built once for a layer and a join and shared by the pictures of
// every series drawn on them, so that a new choice only classes and colours.
class MapShapes {
public:
    // Each drawn shape: the unit's index in the series (-1 for a shape no
    // unit took), its path in the plane and the path's bounds, kept beside
    // it so that the hit tests and the choice of shapes to draw read them
    // from one array.
    struct Unit {
        int index;
        QPainterPath path;
        QRectF bounds;
    };

    MapShapes() = default;
    // join.shapeOfUnit is indexed like the series' labels; the projection
    // is named with the locale's numbers.
    MapShapes(const BoundaryLayer& layer, const BoundaryJoin& join, const QLocale& locale);

    const std::vector<Unit>& units() const { return m_units; }
    // The shapes of the file that no unit took, drawn unfilled.
    const std::vector<Unit>& others() const { return m_others; }
    // The whole extent of the shapes, in the map's plane.
    const QRectF& extent() const { return m_extent; }
    // The points of every path.
    long long vertexCount() const { return m_vertices; }
    // "proiezione azimutale equivalente di Lambert centrata su ..."
    const QString& projection() const { return m_projection; }

private:
    std::vector<Unit> m_units;
    std::vector<Unit> m_others;
    QRectF m_extent;
    long long m_vertices = 0;
    QString m_projection;
};

// A map ready to draw: the shapes of the joined units as paths in the map's
// plane, their classes and colours, the legend and the source line. The one
// drawing of a map on screen, in PNG, PDF (draw) and SVG (mapsvg.h).
class MapPicture {
public:
    MapPicture();
    // Builds the picture of series on shapes (their units indexed like
    // series.labels). sourceLine is written under the legend ("Fonte:
    // regioni.xlsx, MPI+, 10/12/2026").
    MapPicture(std::shared_ptr<const MapShapes> shapes, const MapSeries& series,
               const MapStyle& style, const Regional& regional, const QString& sourceLine);
    // The same on the shapes of layer joined by join.
    MapPicture(const BoundaryLayer& layer, const BoundaryJoin& join, const MapSeries& series,
               const MapStyle& style, const Regional& regional, const QString& sourceLine);

    bool isEmpty() const { return m_shapes->units().empty(); }
    const QString& title() const { return m_title; }
    const QString& sourceLine() const { return m_source; }
    const std::vector<MapClass>& classes() const { return m_classes; }
    const std::vector<double>& breaks() const { return m_breaks; }
    // The units without a value (hatched grey), by label.
    const QStringList& withoutValue() const { return m_withoutValue; }
    // The whole extent of the shapes drawn, in the map's plane.
    const QRectF& extent() const { return m_shapes->extent(); }

    // Draws the map into target: the shapes of the part `shown` of the
    // plane (the whole extent when null), fitted and centred in the map's
    // area, north up; the title above, the legend and the source line to
    // the right (or below, when target is taller than wide). Units whose
    // index is in highlighted are outlined in the highlight colour.
    void draw(QPainter& painter, const QRectF& target, const QRectF& shown = QRectF(),
              const std::vector<int>& highlighted = {}) const;

    // Where the parts of the map go in target, and the transform from the
    // map's plane to target used by draw for `shown` (north up).
    MapLayout layout(const QRectF& target) const;
    QTransform planeToTarget(const QRectF& target, const QRectF& shown = QRectF()) const;

    // The unit (index into the series' labels) whose shape holds point of
    // target, drawn with `shown`; -1 when none.
    int unitAt(const QPointF& point, const QRectF& target, const QRectF& shown = QRectF()) const;

    // The unit's label and value as the interface writes it ("Lazio: 101,2";
    // "Lazio: nessun valore"), for tooltips and the SVG's titles.
    QString unitText(int unit) const;
    // The class of a unit (-1 without a value) and its fill colour.
    int unitClass(int unit) const;
    QColor unitColour(int unit) const;

    using Unit = MapShapes::Unit;
    const std::vector<Unit>& units() const { return m_shapes->units(); }
    const std::vector<Unit>& others() const { return m_shapes->others(); }
    long long vertexCount() const { return m_shapes->vertexCount(); }

    // The grey of the units without a value, under its hatching.
    static QColor noValueColour();
    static QColor outlineColour();

private:
    void drawShapes(QPainter& painter, const QRectF& area, const QTransform& toTarget,
                    const std::vector<int>& highlighted) const;
    void drawTexts(QPainter& painter, const MapLayout& parts) const;

    std::shared_ptr<const MapShapes> m_shapes;
    std::vector<int> m_classOfUnit; // per series unit
    std::vector<double> m_values;
    QStringList m_labels;
    std::vector<double> m_breaks;
    std::vector<MapClass> m_classes;
    QStringList m_withoutValue;
    QString m_title;
    QString m_source;
    Regional m_regional{QLocale::c()};
};

// The source line of a map: "Fonte: regioni.xlsx, MPI+, 10/12/2026", the
// date that of the newest file the values were read from (today when none
// exists), written as the regional settings write dates.
QString mapSourceLine(const QString& workbook, const MapSeries& series, const Regional& regional);
