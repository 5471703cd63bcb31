#include "ui/maps/commandlinemap.h"

#include "export/mapseries.h"
#include "export/resultscollection.h"
#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "ui/maps/mapexport.h"
#include "ui/maps/mappicture.h"
#include "workflow/processing.h"

#include <QDir>
#include <QFileInfo>

namespace {

QCommandLineOption option(const char* name, const char* description, const char* value) {
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description),
                              QString::fromLatin1(value));
}

Failure usage(const QString& message) {
    return failure(FailureKind::Usage, message + u'\n' + mapUsage());
}

} // namespace

QList<QCommandLineOption> mapOptions() {
    return {option("boundaries",
                   "il file dei confini (GeoJSON, Shapefile, anche in .zip, GeoPackage)", "FILE"),
            option("show",
                   "che cosa mostra la mappa: CODICE, CODICE/GRUPPO, rank:CODICE, width, "
                   "sti:FATTORE, ampi+:PERIODO",
                   "COSA"),
            option("out", "la mappa da scrivere (.svg, .png o .pdf)", "FILE"),
            option("key", "l'attributo dei confini che porta le etichette delle unità", "CAMPO"),
            option("classes", "il numero delle classi (5 se non indicato)", "N"),
            option("breaks", "come si formano le classi: quantile, equal o jenks", "METODO")};
}

QString mapUsage() {
    return QStringLiteral("Uso: orvalta --map CARTELLA_DI_LAVORO [--boundaries FILE] --show COSA "
                          "--out FILE.(svg|png|pdf) [--key CAMPO] [--classes N] "
                          "[--breaks quantile|equal|jenks]") +
           matrixUsage();
}

Expected<MapRequest> mapRequest(const QCommandLineParser& parser, const QString& workbook) {
    MapRequest request;
    request.workbook = workbook;
    request.boundaries = parser.value(QStringLiteral("boundaries"));
    request.show = parser.value(QStringLiteral("show"));
    request.out = parser.value(QStringLiteral("out"));
    request.key = parser.value(QStringLiteral("key"));
    if (request.show.isEmpty() || request.out.isEmpty())
        return usage(QStringLiteral("Le opzioni --show e --out sono necessarie."));
    if (parser.isSet(QStringLiteral("classes"))) {
        bool ok = false;
        request.classes = parser.value(QStringLiteral("classes")).toInt(&ok);
        if (!ok || request.classes < 1 || request.classes > 12)
            return usage(QStringLiteral("--classes vuole un numero intero da 1 a 12."));
    }
    if (parser.isSet(QStringLiteral("breaks"))) {
        const auto method = breakMethodFromCode(parser.value(QStringLiteral("breaks")));
        if (!method)
            return usage(QStringLiteral("--breaks vuole quantile, equal o jenks."));
        request.breaks = *method;
    }
    const Expected<MatrixChoices> choices = matrixChoices(parser);
    if (!choices)
        return choices.error();
    request.choices = *choices;
    return request;
}

Status writeMapFromCommandLine(const MapRequest& request, const Regional& regional,
                               QStringList* warnings) {
    const QString workbook = QFileInfo(request.workbook).absoluteFilePath();
    const QString boundaries =
        request.boundaries.isEmpty() ? boundariesBeside(workbook) : request.boundaries;
    if (boundaries.isEmpty())
        return usage(QStringLiteral("Nessun file dei confini accanto a %1 (%2.confini.geojson): "
                                    "indicarlo con --boundaries.")
                         .arg(QDir::toNativeSeparators(workbook), QFileInfo(workbook).fileName()));
    const Expected<BoundaryLayer> layer = readBoundaries(boundaries);
    if (!layer)
        return layer.error();
    Processing source(regional);
    source.setStructureChoice(request.choices.structure);
    source.setMissingChoice(request.choices.missing);
    if (Status loaded = source.load(workbook); !loaded)
        return loaded;
    if (request.choices.outliers)
        if (const Expected<QStringList> written = source.treatOutliers(); !written)
            return written.error();
    const ResultsCollection results =
        collectResults(source.workbook(), source.matrix(), regional, std::nullopt, nullptr,
                       source.structure().get(), basisSettings(source.basis()));
    const Expected<MapSeries> series = mapSeries(results, request.show);
    if (!series)
        return failure(series.error().kind, series.error().message);
    const Expected<BoundaryJoin> join = joinBoundaries(*layer, series->labels, request.key);
    if (!join)
        return join.error();
    if (warnings)
        *warnings = joinWarnings(*join) + results.warnings;
    const MapPicture picture(*layer, *join, *series, MapStyle{request.classes, request.breaks},
                             regional, mapSourceLine(workbook, *series, regional));
    QStringList inputs{QFileInfo(boundaries).absoluteFilePath()};
    inputs += series->files;
    return exportMap(picture, QFileInfo(request.out).absoluteFilePath(), ImageSize(),
                     source.workbook(), inputs, request.show);
}
