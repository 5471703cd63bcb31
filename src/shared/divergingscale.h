#pragma once

// The colour scale of coefficients from -1 to 1: brown for -1, a near white
// for 0, teal for 1, the shade deepening with the distance from 0. The
// windows' heatmaps, the exported workbook and the report share it.
struct Rgb {
    int red;
    int green;
    int blue;
};

// The colour of value; values beyond -1 and 1 take the colour of the end,
// NaN that of 0.
Rgb divergingRgb(double value);

// True when a shade of the scale is dark enough to take white text in the
// exported workbook and the report.
bool takesWhiteText(const Rgb& shade);
