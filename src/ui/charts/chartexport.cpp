#include "ui/charts/chartexport.h"

#include "shared/safefile.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

QSize pixelSize(const ChartPicture& picture, const ImageSize& size) {
    return {size.width, std::max(1, int(std::lround(size.width * picture.aspect())))};
}

// The chart laid out again at least kLayoutWidth wide for the image, so
// that a chart shown small keeps its titles and labels whole, the type in
// the same proportion to the picture as on a chart of that width.
constexpr qreal kLayoutWidth = 1000;

void render(QChartView* view, QPainter& painter, const QSize& target) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QChart* chart = view->chart();
    const QRectF shown = view->sceneRect();
    if (!chart || shown.width() >= kLayoutWidth) {
        view->scene()->render(&painter, QRectF(QPointF(), QSizeF(target)), shown);
        return;
    }
    const QRectF geometry = chart->geometry();
    const qreal grow = kLayoutWidth / shown.width();
    const QRectF laidOut(shown.topLeft(), shown.size() * grow);
    chart->setGeometry(QRectF(geometry.topLeft(), geometry.size() * grow));
    if (chart->layout())
        chart->layout()->activate();
    view->scene()->render(&painter, QRectF(QPointF(), QSizeF(target)), laidOut);
    chart->setGeometry(geometry);
    if (chart->layout())
        chart->layout()->activate();
}

QByteArray vectorImage(const ChartPicture& picture, const ImageSize& size, bool pdf) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize target = pixelSize(picture, size);
    bool drawn = false;
    if (pdf) {
        QPdfWriter writer(&buffer);
        writer.setResolution(size.dpi);
        writer.setPageSize(QPageSize(QSizeF(target) * 72.0 / size.dpi, QPageSize::Point, QString(),
                                     QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF());
        writer.setTitle(picture.title());
        writer.setCreator(QStringLiteral("Orvalta"));
        QPainter painter(&writer);
        drawn = picture.draw(painter, target);
    } else {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(target);
        generator.setViewBox(QRect(QPoint(), target));
        generator.setResolution(size.dpi);
        generator.setTitle(picture.title());
        QPainter painter(&generator);
        drawn = picture.draw(painter, target);
    }
    return drawn ? bytes : QByteArray();
}

QByteArray pngImage(const ChartPicture& picture, const ImageSize& size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = pictureImage(picture, size);
    if (!image.isNull())
        image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

ChartPicture chartPicture(QChartView* view) {
    ChartPicture picture;
    picture.title = [view] { return view->chart() ? view->chart()->title() : QString(); };
    picture.aspect = [view] { return chartAspect(view); };
    picture.draw = [view](QPainter& painter, const QSize& target) {
        if (view->sceneRect().isEmpty())
            return false;
        render(view, painter, target);
        return true;
    };
    return picture;
}

double chartAspect(QChartView* view) {
    const QRectF source = view->sceneRect();
    return source.width() > 0 && source.height() > 0 ? source.height() / source.width() : 1.0;
}

QImage chartImage(QChartView* view, const ImageSize& size) {
    if (view->sceneRect().isEmpty())
        return QImage();
    return pictureImage(chartPicture(view), size);
}

QImage pictureImage(const ChartPicture& picture, const ImageSize& size) {
    if (!picture.draw || size.width <= 0 || size.dpi <= 0)
        return QImage();
    QImage image(pixelSize(picture, size), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    const int dotsPerMeter = int(std::lround(size.dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (!picture.draw(painter, image.size()))
        return QImage();
    return image;
}

Status exportChart(QChartView* view, const QString& path, const ImageSize& size) {
    return exportPicture(chartPicture(view), path, size);
}

QByteArray pictureBytes(const ChartPicture& picture, const QString& path, const ImageSize& size) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return !picture.draw                    ? QByteArray()
           : suffix == QLatin1String("svg") ? vectorImage(picture, size, false)
           : suffix == QLatin1String("pdf") ? vectorImage(picture, size, true)
                                            : pngImage(picture, size);
}

Status pictureNotWritten(const QString& path) {
    return failure(FailureKind::File,
                   QCoreApplication::translate(
                       "ChartExport", "Il grafico non si è potuto convertire in immagine: %1 "
                                      "non è stato scritto.")
                       .arg(QDir::toNativeSeparators(path)));
}

Status exportPicture(const ChartPicture& picture, const QString& path, const ImageSize& size) {
    const QByteArray bytes = pictureBytes(picture, path, size);
    // An image that could not be made leaves no empty file behind.
    if (bytes.isEmpty())
        return pictureNotWritten(path);
    return writeFileSafely(path, bytes);
}
