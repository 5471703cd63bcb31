#pragma once

// The size of a chart image to write or copy: its width in pixels (the
// height follows the chart's proportions) and its resolution in dots per
// inch, which fixes its printed size (1,600 pixels at 300 dpi: 13.5 cm).
struct ImageSize {
    int width = 1600;
    int dpi = 300;
    bool operator==(const ImageSize&) const = default;
};
