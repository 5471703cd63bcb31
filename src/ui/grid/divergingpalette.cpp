#include "ui/grid/divergingpalette.h"

#include "export/divergingscale.h"
#include "export/textcontrast.h"

namespace divergingpalette {

namespace {

QColor qColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

QColor colour(double value) {
    return qColor(divergingRgb(value));
}

QColor coefficientColour(double value) {
    return qColor(coefficientRgb(value));
}

QColor readableText(const QColor& background) {
    return takesWhiteText(Rgb{background.red(), background.green(), background.blue()})
               ? QColor(Qt::white)
               : QColor(Qt::black);
}

} // namespace divergingpalette
