#include "ui/platform/contrast.h"

#include "export/textcontrast.h"

#include <algorithm>

namespace {

Rgb rgb(const QColor& c) {
    return Rgb{c.red(), c.green(), c.blue()};
}

double luminance(const QColor& c) {
    return relativeLuminance(rgb(c));
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
    return contrastRatio(rgb(a), rgb(b));
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
