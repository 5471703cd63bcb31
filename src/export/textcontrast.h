#pragma once

#include "export/rgb.h"

// The one rule for text over a coloured cell, shared by the windows, the
// exported workbook and the report, so that a shade takes the same text
// colour wherever it is shown.

// The relative luminance of colour, from 0 (black) to 1 (white): the
// channels decoded from sRGB to linear light and weighted as the eye sees
// them.
double relativeLuminance(const Rgb& colour);

// The contrast ratio of two colours as accessibility guidelines measure
// it, from 1 (the same luminance) to 21 (black on white).
double contrastRatio(const Rgb& a, const Rgb& b);

// True when white text stands out more than black on background (by the
// contrast ratio; black when the two tie).
bool takesWhiteText(const Rgb& background);
