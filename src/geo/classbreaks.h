#pragma once

#include <QString>

#include <optional>
#include <span>
#include <vector>

// How a map's values are put into classes.
enum class BreakMethod {
    Quantile, // each class about as many units
    Equal,    // classes of equal width between the least and the greatest value
    Jenks,    // natural breaks: the least sum of squared deviations within classes
};

// The code of a method on the command line ("quantile", "equal", "jenks")
// and back.
std::optional<BreakMethod> breakMethodFromCode(const QString& code);
QString breakMethodCode(BreakMethod method);

// The bounds of the classes of values (NaN values ignored): classes + 1
// numbers, the first the least value and the last the greatest, ascending
// but for a last class of the greatest value alone ([55, 55]). Fewer
// classes when there are fewer distinct values than classes, or when
// quantiles coincide (one class when all values are equal); empty when no
// value is a number.
std::vector<double> classBreaks(std::span<const double> values, int classes, BreakMethod method);

// The class of value among breaks: k when breaks[k] <= value < breaks[k+1],
// the last class for the greatest value; -1 for NaN or with no breaks.
int classOf(double value, std::span<const double> breaks);
