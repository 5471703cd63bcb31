#pragma once

// An opaque sRGB colour, each channel from 0 to 255: the colours that the
// core chooses (scales, text over a shade) without the GUI's colour type.
struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};
