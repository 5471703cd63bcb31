#include "ui/grid/divergingpalette.h"

#include "shared/divergingscale.h"

#include <algorithm>
#include <cmath>

namespace divergingpalette {

namespace {

// The luminance of an sRGB channel as light adds up.
double linear(double channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

} // namespace

QColor colour(double value) {
    const Rgb rgb = divergingRgb(value);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableText(const QColor& background) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(black, background) >= contrast(white, background) ? black : white;
}

} // namespace divergingpalette
