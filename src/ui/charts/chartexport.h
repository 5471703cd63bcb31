#pragma once

#include "shared/expected.h"
#include "ui/platform/imagesize.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QChartView;
class QPainter;

// A picture written and copied as the charts are: its title (the document
// title of an SVG or PDF), its height over its width, and how it draws
// itself into a rectangle of the size given, from (0, 0). A picture with no
// drawing, or whose draw answers false, has nothing to show. One with a
// write of its own writes its files with it (returning what exportPicture
// returns), for a format it writes better than a painter does.
struct ChartPicture {
    std::function<QString()> title;
    std::function<double()> aspect;
    std::function<bool(QPainter& painter, const QSize& target)> draw;
    std::function<Status(const QString& path, const ImageSize& size)> write;
};

// The picture of the chart on view: its scene, as the functions below draw it.
ChartPicture chartPicture(QChartView* view);

// What the three functions below do with a chart, done with any picture.
QImage pictureImage(const ChartPicture& picture, const ImageSize& size);
Status exportPicture(const ChartPicture& picture, const QString& path,
                     const ImageSize& size = ImageSize());

// The picture's file as exportPicture writes it to path (the format told by
// the extension), without writing it; empty when nothing could be drawn.
QByteArray pictureBytes(const ChartPicture& picture, const QString& path, const ImageSize& size);
// The File failure of a picture that could not be drawn, naming path.
Status pictureNotWritten(const QString& path);

// The chart on view drawn at size: size.width pixels wide, as high as the
// chart's proportions give, on white, its resolution recorded. A null
// image when there is nothing to draw (an empty or hidden view).
QImage chartImage(QChartView* view, const ImageSize& size);

// The chart's height over its width (1 for an empty view).
double chartAspect(QChartView* view);

// Writes the chart on view to path, the format told by the extension:
// ".svg" and ".pdf" as vectors, anything else as PNG; all of them size.width
// units wide at size.dpi (the printed size of the PDF page and of the SVG).
// The file goes through the safe writer. A File failure whose Italian
// message names the file (nothing is written when no image could be made,
// as of an empty view).
Status exportChart(QChartView* view, const QString& path, const ImageSize& size = ImageSize());
