#pragma once

#include <QColor>
#include <QList>

// The contrast ratio of two colours as accessibility guidelines measure it,
// from 1 (the same) to 21 (black on white); alpha is ignored.
double contrastRatio(const QColor& a, const QColor& b);

// colour, laid over each background when it is translucent, moved step by
// step towards black on light backgrounds (towards white on dark ones)
// until its contrast with every background reaches minimum. An opaque
// colour is returned.
QColor readableColour(const QColor& colour, const QList<QColor>& backgrounds, double minimum);
