#pragma once

#include <QLocale>
#include <QString>

// The shape of the text of a number written with four decimals and no digit
// grouping ("0.0000"): its sign and the count of its integer digits. Two
// numbers of the same shape give texts that differ only in their digits, so
// they are measured once per shape.
namespace fixedshape {

// Shapes are below this bound.
constexpr int kCount = 64;

// The shape of the four-decimal text of value, or -1 for a value whose text
// is not measured by shape (not finite, or 1e15 and beyond). A value that
// rounds to zero has no minus sign.
int of(double value);

// The text of a shape with every digit '0', under the locale's decimal
// point and minus sign; empty when the locale does not write ASCII digits.
QString pattern(int shape, const QLocale& locale);

} // namespace fixedshape
