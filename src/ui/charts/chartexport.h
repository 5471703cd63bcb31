#pragma once

#include "shared/expected.h"
#include "ui/platform/imagesize.h"

#include <QImage>
#include <QString>

class QChartView;

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
