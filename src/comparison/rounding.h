#pragma once

#include <QtGlobal>

// Rounding to four decimals with an exact half going to the even digit.

// The value rounded to four decimals, as the double nearest that decimal.
// The half is judged on the exact binary value of the double: 0.03125 is a
// half and gives 0.0312, while the double written 0.00005 lies just above
// 1/20000 and gives 0.0001. Non-finite values and values too large to carry
// four decimals (|value| >= 2^51 / 10^4) come back unchanged.
double roundHalfEven4(double value);

// The fraction numerator / denominator in ten-thousandths, rounded half to
// even on the exact fraction: 153/160 = 0.95625 gives 9562. Needs
// 0 < denominator < 2^60 and |numerator / denominator| < 10^14.
qint64 tenThousandthsHalfEven(qint64 numerator, qint64 denominator);
