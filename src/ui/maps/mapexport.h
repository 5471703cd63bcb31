#pragma once

#include "ui/charts/chartexport.h"
#include "ui/maps/mappicture.h"
#include "ui/platform/imagesize.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// The map as an SVG document of size pixels: each unit's shape one path
// filled with its class's colour and carrying a <title> with its label and
// value (a tooltip in any browser), then the title, legend and source line.
QByteArray mapSvg(const MapPicture& picture, const QSize& size);

// The map as the charts' writers draw it (its PNG and PDF); it refers to
// picture, which must outlive it.
ChartPicture mapChartPicture(const MapPicture& picture);

// The map drawn at size: size.width pixels wide, the height from
// mapAspect, on white, its resolution recorded.
QImage mapImage(const MapPicture& picture, const ImageSize& size);

// The height over the width the map is drawn in.
double mapAspect(const MapPicture& picture);

// Writes the map to path, the format told by the extension: ".svg"
// (mapSvg), ".pdf" (a page of the map's size at size.dpi), anything else as
// PNG. The file goes through the safe writer; when it is beside the
// workbook (not empty), it is recorded with the inputs named (the workbook,
// the boundary file, the result files) and `what` in its settings. A File
// failure's Italian message names the file.
Status exportMap(const MapPicture& picture, const QString& path, const ImageSize& size,
                 const QString& workbook = QString(), const QStringList& inputs = QStringList(),
                 const QString& what = QString());
