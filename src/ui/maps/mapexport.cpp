#include "ui/maps/mapexport.h"

#include "record/outputrecorder.h"
#include "shared/safefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <optional>

namespace {

QSize pixelSize(const MapPicture& picture, const ImageSize& size) {
    return {size.width, std::max(1, int(std::lround(size.width * mapAspect(picture))))};
}

QByteArray pdfBytes(const MapPicture& picture, const ImageSize& size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize target = pixelSize(picture, size);
    QPdfWriter writer(&buffer);
    writer.setResolution(size.dpi);
    writer.setPageSize(QPageSize(QSizeF(target) * 72.0 / size.dpi, QPageSize::Point, QString(),
                                 QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF());
    writer.setTitle(picture.title());
    writer.setCreator(QStringLiteral("Orvalta"));
    QPainter painter(&writer);
    picture.draw(painter, QRectF(QPointF(), QSizeF(target)));
    painter.end();
    return bytes;
}

QByteArray pngBytes(const MapPicture& picture, const ImageSize& size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = mapImage(picture, size);
    if (!image.isNull())
        image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

double mapAspect(const MapPicture& picture) {
    // The shapes' own proportions, with the legend beside them.
    const QRectF extent = picture.extent();
    if (extent.width() <= 0 || extent.height() <= 0)
        return 0.75;
    return std::clamp(extent.height() / extent.width() / 1.35, 0.5, 1.2);
}

QImage mapImage(const MapPicture& picture, const ImageSize& size) {
    if (picture.isEmpty() || size.width <= 0 || size.dpi <= 0)
        return QImage();
    QImage image(pixelSize(picture, size), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    const int dotsPerMeter = int(std::lround(size.dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    picture.draw(painter, QRectF(QPointF(), QSizeF(image.size())));
    return image;
}

Status exportMap(const MapPicture& picture, const QString& path, const ImageSize& size,
                 const QString& workbook, const QStringList& inputs, const QString& what) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QByteArray bytes = picture.isEmpty() ? QByteArray()
                             : suffix == QLatin1String("svg")
                                 ? mapSvg(picture, pixelSize(picture, size))
                             : suffix == QLatin1String("pdf") ? pdfBytes(picture, size)
                                                              : pngBytes(picture, size);
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
    SafeFile file(path);
    Status written = file.open();
    if (written)
        written = file.write(bytes);
    if (written)
        written = file.commit();
    return written;
}
