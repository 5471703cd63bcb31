#pragma once

#include <QColor>

// Colours for coefficients from -1 to 1: brown for -1, a near white for 0,
// teal for 1, the shade deepening with the distance from 0, so that the
// sign and the strength of an agreement are seen at a glance.
namespace divergingpalette {

// The colour of value; values beyond -1 and 1 take the colour of the end.
QColor colour(double value);

// The colour of a coefficient that compares rankings, on the stepped scale
// (coefficientRgb).
QColor coefficientColour(double value);

// Black or white text over background, by the rule the exported workbook
// and the report follow too (takesWhiteText).
QColor readableText(const QColor& background);

} // namespace divergingpalette
