#include "ui/maps/mapexport.h"

#include "record/outputrecorder.h"
#include "shared/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

QSize pixelSize(const MapPicture& picture, const ImageSize& size) {
    return {size.width, std::max(1, int(std::lround(size.width * mapAspect(picture))))};
}

} // namespace

ChartPicture mapChartPicture(const MapPicture& picture) {
    ChartPicture chart;
    chart.title = [&picture] { return picture.title(); };
    chart.aspect = [&picture] { return mapAspect(picture); };
    chart.draw = [&picture](QPainter& painter, const QSize& target) {
        if (picture.isEmpty())
            return false;
        picture.draw(painter, QRectF(QPointF(), QSizeF(target)));
        return true;
    };
    return chart;
}

double mapAspect(const MapPicture& picture) {
    // The shapes' own proportions, with the legend beside them.
    const QRectF extent = picture.extent();
    if (extent.width() <= 0 || extent.height() <= 0)
        return 0.75;
    return std::clamp(extent.height() / extent.width() / 1.35, 0.5, 1.2);
}

QImage mapImage(const MapPicture& picture, const ImageSize& size) {
    return pictureImage(mapChartPicture(picture), size);
}

Status exportMap(const MapPicture& picture, const QString& path, const ImageSize& size,
                 const QString& workbook, const QStringList& inputs, const QString& what) {
    const bool svg = QFileInfo(path).suffix().toLower() == QLatin1String("svg");
    const QByteArray bytes = picture.isEmpty() ? QByteArray()
                             : svg             ? mapSvg(picture, pixelSize(picture, size))
                                               : pictureBytes(mapChartPicture(picture), path, size);
    if (bytes.isEmpty())
        return failure(FailureKind::File, QCoreApplication::translate(
                                              "MapExport", "La mappa non si è potuta disegnare: "
                                                           "%1 non è stato scritto.")
                                              .arg(QDir::toNativeSeparators(path)));
    // A map beside the workbook goes into its record with what it was drawn
    // from.
    std::optional<RecordScope> record;
    if (!workbook.isEmpty()) {
        record.emplace(
            workbook, Regional(QLocale()),
            QJsonObject{{QStringLiteral("map"), what}, {QStringLiteral("title"), picture.title()}});
        record->recorder().addInput(workbook, InputRole::Matrix);
        for (const QString& input : inputs)
            if (QFileInfo(input).isFile())
                record->recorder().addInput(input, InputRole::File);
    }
    return writeFileSafely(path, bytes);
}
