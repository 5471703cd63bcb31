#pragma once

#include <QColor>

// Colours for coefficients from -1 to 1: brown for -1, a near white for 0,
// teal for 1, the shade deepening with the distance from 0, so that the
// sign and the strength of an agreement are seen at a glance.
namespace divergingpalette {

// The colour of value; values beyond -1 and 1 take the colour of the end.
QColor colour(double value);

// Black or white, whichever stands out more on background.
QColor readableText(const QColor& background);

// The contrast ratio of two colours, from 1 (the same lightness) to 21
// (black on white), by their relative luminance.
double contrast(const QColor& a, const QColor& b);

} // namespace divergingpalette
