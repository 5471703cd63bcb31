#pragma once

#include <QColor>

// The colours of the program's charts, on screen, in the exported images
// and in the report: teal and brown from the diverging scale of the
// coefficients, navy for medians, red for reference ranks, amber for what
// the user highlights.
namespace chartpalette {

inline const QColor kIntervalFill{0x7f, 0xb8, 0xc4};
inline const QColor kIntervalBorder{0x2f, 0x6f, 0x7f};
inline const QColor kMedian{0x1d, 0x3f, 0x6e};
inline const QColor kReference{0xc0, 0x39, 0x2b};
inline const QColor kChosenFill{0xf0, 0xa0, 0x40};
inline const QColor kChosenBorder{0xa0, 0x50, 0x10};
// The two variance indices of a factor: first order and total.
inline const QColor kFirstOrder{10, 105, 95};
inline const QColor kTotalOrder{190, 120, 40};
// Lines and marks that only guide the eye.
inline const QColor kGuide{0x99, 0x99, 0x99};
inline const QColor kBars{0x4a, 0x7f, 0xa8};

// The colour of the i-th of several lines (units, methods), in turn.
inline QColor lineColour(int i) {
    static const QColor colours[] = {kReference,
                                     kMedian,
                                     kFirstOrder,
                                     kTotalOrder,
                                     QColor(0x94, 0x67, 0xbd),
                                     QColor(0x8c, 0x56, 0x4b),
                                     QColor(0x2f, 0x8f, 0xc4),
                                     QColor(0x70, 0x70, 0x70)};
    constexpr int count = int(sizeof(colours) / sizeof(colours[0]));
    return colours[((i % count) + count) % count];
}

} // namespace chartpalette
