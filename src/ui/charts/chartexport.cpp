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

QSize pixelSize(QChartView* view, const ImageSize& size) {
    return {size.width, std::max(1, int(std::lround(size.width * chartAspect(view))))};
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

QByteArray vectorImage(QChartView* view, const ImageSize& size, bool pdf) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize target = pixelSize(view, size);
    if (pdf) {
        QPdfWriter writer(&buffer);
        writer.setResolution(size.dpi);
        writer.setPageSize(QPageSize(QSizeF(target) * 72.0 / size.dpi, QPageSize::Point, QString(),
                                     QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF());
        writer.setTitle(view->chart()->title());
        writer.setCreator(QStringLiteral("Orvalta"));
        QPainter painter(&writer);
        render(view, painter, target);
    } else {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(target);
        generator.setViewBox(QRect(QPoint(), target));
        generator.setResolution(size.dpi);
        generator.setTitle(view->chart()->title());
        QPainter painter(&generator);
        render(view, painter, target);
    }
    return bytes;
}

QByteArray pngImage(QChartView* view, const ImageSize& size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = chartImage(view, size);
    if (!image.isNull())
        image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

double chartAspect(QChartView* view) {
    const QRectF source = view->sceneRect();
    return source.width() > 0 && source.height() > 0 ? source.height() / source.width() : 1.0;
}

QImage chartImage(QChartView* view, const ImageSize& size) {
    if (view->sceneRect().isEmpty() || size.width <= 0 || size.dpi <= 0)
        return QImage();
    QImage image(pixelSize(view, size), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    const int dotsPerMeter = int(std::lround(size.dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    render(view, painter, image.size());
    return image;
}

Status exportChart(QChartView* view, const QString& path, const ImageSize& size) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QByteArray bytes = view->sceneRect().isEmpty()      ? QByteArray()
                             : suffix == QLatin1String("svg") ? vectorImage(view, size, false)
                             : suffix == QLatin1String("pdf") ? vectorImage(view, size, true)
                                                              : pngImage(view, size);
    // An image that could not be made leaves no empty file behind.
    if (bytes.isEmpty())
        return failure(FailureKind::File,
                       QCoreApplication::translate(
                           "ChartExport", "Il grafico non si è potuto convertire in immagine: %1 "
                                          "non è stato scritto.")
                           .arg(QDir::toNativeSeparators(path)));
    SafeFile file(path);
    Status written = file.open();
    if (written)
        written = file.write(bytes);
    if (written)
        written = file.commit();
    return written;
}
