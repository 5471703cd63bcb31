#include "ui/report/reportmaps.h"

#include "export/mapseries.h"
#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "ui/maps/mappicture.h"
#include "ui/report/reportpages.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The map's height over the page's text width.
constexpr double kMapAspect = 0.72;

} // namespace

void writeReportMaps(ReportPages& pages, const ResultsCollection& results) {
    const QString path = boundariesBeside(results.strMatrice);
    if (path.isEmpty() || results.methods.empty() || !results.regional)
        return;
    pages.heading(QStringLiteral("Mappe"));
    const Expected<BoundaryLayer> layer = readBoundaries(path);
    if (!layer) {
        pages.paragraph(layer.error().message);
        return;
    }
    QStringList shows{referenceMethod(results)};
    if (results.monteCarlo || results.uncertainty)
        shows.append(QStringLiteral("width"));
    if (const QString factor = leadingSobolFactor(results); !factor.isEmpty())
        shows.append(QStringLiteral("sti:") + factor);
    bool told = false;
    for (const QString& show : shows) {
        const Expected<MapSeries> series = mapSeries(results, show);
        if (!series)
            continue;
        const Expected<BoundaryJoin> join = joinBoundaries(*layer, series->labels);
        if (!join) {
            pages.paragraph(join.error().message);
            return;
        }
        if (!told) {
            QString text =
                QStringLiteral("Confini da %1 (attributo %2).")
                    .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()), join->keyField);
            for (const QString& line : joinWarnings(*join))
                text += u' ' + line + u'.';
            pages.paragraph(text);
            told = true;
        }
        const MapPicture picture(*layer, *join, *series, MapStyle(), *results.regional,
                                 mapSourceLine(results.strMatrice, *series, *results.regional));
        const double height = pages.width() * kMapAspect;
        picture.draw(pages.painter(), pages.reserve(height));
    }
}
