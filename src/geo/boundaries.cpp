#include "geo/boundaries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cpl_error.h>
#include <gdal.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <memory>
#include <mutex>

namespace {

// GDAL's own messages stay out of the program's output: the failure it
// reports is read from CPLGetLastErrorMsg and put into the user's message.
class QuietErrors {
public:
    QuietErrors() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietErrors() { CPLPopErrorHandler(); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;
};

QString lastGdalMessage() {
    const QString message = QString::fromUtf8(CPLGetLastErrorMsg()).trimmed();
    return message.isEmpty() ? QCoreApplication::translate("Boundaries", "formato non riconosciuto")
                             : message;
}

Failure fileFailure(const QString& path, const QString& why) {
    return failure(
        FailureKind::File,
        QCoreApplication::translate("Boundaries", "Il file dei confini %1 non si può usare: %2.")
            .arg(QDir::toNativeSeparators(path), why));
}

void appendRing(const OGRLinearRing* ring, std::vector<std::vector<QPointF>>& rings) {
    const int count = ring ? ring->getNumPoints() : 0;
    if (count < 3)
        return;
    std::vector<QPointF>& points = rings.emplace_back();
    points.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        points.emplace_back(ring->getX(i), ring->getY(i));
}

void appendPolygon(const OGRPolygon* polygon, std::vector<std::vector<QPointF>>& rings) {
    appendRing(polygon->getExteriorRing(), rings);
    for (int i = 0; i < polygon->getNumInteriorRings(); ++i)
        appendRing(polygon->getInteriorRing(i), rings);
}

// The rings of a geometry's polygons (curves made linear); none when it has
// no polygon.
std::vector<std::vector<QPointF>> ringsOf(const OGRGeometry* geometry) {
    std::vector<std::vector<QPointF>> rings;
    if (!geometry)
        return rings;
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    if (type == wkbPolygon) {
        appendPolygon(geometry->toPolygon(), rings);
    } else if (type == wkbMultiPolygon) {
        for (const OGRPolygon* part : *geometry->toMultiPolygon())
            appendPolygon(part, rings);
    } else if (type == wkbGeometryCollection) {
        for (const OGRGeometry* part : *geometry->toGeometryCollection())
            for (auto& ring : ringsOf(part))
                rings.push_back(std::move(ring));
    } else if (geometry->hasCurveGeometry()) {
        const std::unique_ptr<OGRGeometry> linear(geometry->getLinearGeometry());
        return ringsOf(linear.get());
    }
    return rings;
}

QString attributeText(OGRFeature& feature, int field) {
    if (!feature.IsFieldSetAndNotNull(field))
        return QString();
    return QString::fromUtf8(feature.GetFieldAsString(field));
}

QRectF boundsOf(const std::vector<std::vector<QPointF>>& rings) {
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (const auto& ring : rings)
        for (const QPointF& p : ring) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
    return left <= right ? QRectF(QPointF(left, top), QPointF(right, bottom)) : QRectF();
}

// Projects every point of the layer from the geographic system source into
// a Lambert azimuthal equal-area projection centred on the extent.
Status projectEqualArea(BoundaryLayer& layer, const OGRSpatialReference& source) {
    const QPointF centre = layer.extent.center();
    OGRSpatialReference target;
    target.CopyGeogCSFrom(&source);
    target.SetLAEA(centre.y(), centre.x(), 0, 0);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRCoordinateTransformation> transform(
        OGRCreateCoordinateTransformation(&source, &target));
    if (!transform)
        return fileFailure(layer.path,
                           QCoreApplication::translate(
                               "Boundaries", "il sistema di riferimento non si può proiettare (%1)")
                               .arg(lastGdalMessage()));
    std::vector<double> xs, ys;
    for (MapShape& shape : layer.shapes) {
        for (auto& ring : shape.rings) {
            xs.resize(ring.size());
            ys.resize(ring.size());
            for (std::size_t i = 0; i < ring.size(); ++i) {
                xs[i] = ring[i].x();
                ys[i] = ring[i].y();
            }
            if (!transform->Transform(int(ring.size()), xs.data(), ys.data()))
                return fileFailure(
                    layer.path, QCoreApplication::translate(
                                    "Boundaries", "alcune coordinate non si possono proiettare"));
            for (std::size_t i = 0; i < ring.size(); ++i)
                ring[i] = QPointF(xs[i], ys[i]);
        }
        shape.bounds = boundsOf(shape.rings);
    }
    layer.extent = QRectF();
    for (const MapShape& shape : layer.shapes)
        layer.extent = layer.extent.united(shape.bounds);
    layer.projectionCentre = centre;
    return {};
}

// The path GDAL opens: a .zip through its virtual file system.
QByteArray gdalPath(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(path).suffix().compare(QLatin1String("zip"), Qt::CaseInsensitive) == 0)
        return (QStringLiteral("/vsizip/") + absolute).toUtf8();
    return absolute.toUtf8();
}

Expected<BoundaryLayer> readLayer(OGRLayer& source, const QString& path) {
    BoundaryLayer layer;
    layer.path = path;
    const OGRFeatureDefn* definition = source.GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = definition->GetFieldDefn(i);
        layer.fields.append(QString::fromUtf8(field->GetNameRef()));
        layer.isText.push_back(field->GetType() == OFTString);
    }
    source.ResetReading();
    for (auto& feature : source) {
        MapShape shape;
        shape.rings = ringsOf(feature->GetGeometryRef());
        if (shape.rings.empty())
            continue;
        for (int i = 0; i < layer.fields.size(); ++i)
            shape.attributes.append(attributeText(*feature, i));
        shape.bounds = boundsOf(shape.rings);
        for (const auto& ring : shape.rings)
            layer.vertexCount += qint64(ring.size());
        layer.extent = layer.extent.united(shape.bounds);
        layer.shapes.push_back(std::move(shape));
    }
    if (layer.shapes.empty())
        return fileFailure(path,
                           QCoreApplication::translate("Boundaries", "non contiene poligoni"));
    return layer;
}

} // namespace

QString projectionText(const BoundaryLayer& layer, const QLocale& locale) {
    if (layer.projectedByFile)
        return layer.projection;
    const QPointF centre = layer.projectionCentre;
    return QCoreApplication::translate(
               "Boundaries",
               "proiezione azimutale equivalente di Lambert centrata su %1° %2, %3° %4")
        .arg(locale.toString(std::abs(centre.y()), 'f', 1),
             centre.y() >= 0 ? QStringLiteral("N") : QStringLiteral("S"),
             locale.toString(std::abs(centre.x()), 'f', 1),
             centre.x() >= 0 ? QStringLiteral("E") : QStringLiteral("O"));
}

Expected<BoundaryLayer> readBoundaries(const QString& path) {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    const QuietErrors quiet;
    if (!QFileInfo(path).isFile())
        return fileFailure(path, QCoreApplication::translate("Boundaries", "il file non esiste"));
    const GDALDatasetUniquePtr dataset(GDALDataset::Open(
        gdalPath(path).constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!dataset)
        return fileFailure(path, lastGdalMessage());
    if (dataset->GetLayerCount() < 1)
        return fileFailure(
            path, QCoreApplication::translate("Boundaries", "non contiene livelli vettoriali"));
    OGRLayer* source = dataset->GetLayer(0);
    const OGRSpatialReference* declared = source->GetSpatialRef();
    if (!declared)
        return fileFailure(path, QCoreApplication::translate(
                                     "Boundaries",
                                     "non dichiara il sistema di riferimento delle coordinate "
                                     "(per uno Shapefile, manca il file .prj)"));
    if (!declared->IsGeographic() && !declared->IsProjected())
        return fileFailure(
            path, QCoreApplication::translate("Boundaries",
                                              "il sistema di riferimento delle coordinate non è né "
                                              "geografico né proiettato"));
    OGRSpatialReference reference(*declared);
    reference.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    Expected<BoundaryLayer> layer = readLayer(*source, path);
    if (!layer)
        return layer;
    if (reference.IsProjected()) {
        layer->projectedByFile = true;
        const char* name = reference.GetName();
        layer->projection =
            QCoreApplication::translate("Boundaries", "coordinate proiettate del file (%1)")
                .arg(name ? QString::fromUtf8(name)
                          : QCoreApplication::translate("Boundaries", "senza nome"));
        return layer;
    }
    if (const Status projected = projectEqualArea(*layer, reference); !projected)
        return projected.error();
    return layer;
}

QString boundariesBeside(const QString& workbook) {
    const QFileInfo info(workbook);
    // As the result files are named (the workbook's whole name first), then
    // without the workbook's extension.
    for (const QString& base : {info.fileName(), info.completeBaseName()}) {
        const QString stem = info.dir().filePath(base + QStringLiteral(".confini."));
        for (const char* extension : {"geojson", "json", "shp", "zip", "gpkg"})
            if (const QString candidate = stem + QLatin1String(extension);
                QFileInfo(candidate).isFile())
                return candidate;
    }
    return QString();
}
