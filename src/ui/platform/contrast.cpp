#include "ui/platform/contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double channel(double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor blend(const QColor& top, const QColor& bottom, double weight) {
    return QColor::fromRgbF(float(top.redF() * weight + bottom.redF() * (1 - weight)),
                            float(top.greenF() * weight + bottom.greenF() * (1 - weight)),
                            float(top.blueF() * weight + bottom.blueF() * (1 - weight)));
}

double worstContrast(const QColor& colour, const QList<QColor>& backgrounds) {
    double worst = 21;
    for (const QColor& background : backgrounds)
        worst = std::min(worst, contrastRatio(colour, background));
    return worst;
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableColour(const QColor& colour, const QList<QColor>& backgrounds, double minimum) {
    if (backgrounds.isEmpty())
        return QColor(colour.rgb());
    const QColor& first = backgrounds.front();
    QColor opaque = colour.alphaF() < 1 ? blend(colour, first, colour.alphaF()) : colour;
    opaque.setAlpha(255);
    const QColor target = luminance(first) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    QColor result = opaque;
    for (int step = 1; step <= 20 && worstContrast(result, backgrounds) < minimum; ++step)
        result = blend(target, opaque, step / 20.0);
    return result;
}
