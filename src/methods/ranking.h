#pragma once

#include <span>
#include <vector>

// The ranks of a list of values, 1 to n: in descending order rank 1 goes to
// the largest value, in ascending order to the smallest. Among equal values
// the later one (higher index) gets the smaller rank, so tied values receive
// distinct consecutive ranks. NaN values come after every number. Runs in
// O(n log n) and takes any finite value, however large.
std::vector<int> rankValues(const std::vector<double>& values, bool ascending);

// The same, writing ranks[i] for values[i]; both spans have the same size.
void rankValues(std::span<const double> values, bool ascending, std::span<int> ranks);

// Whether ranks are the ranks rankValues(values, ascending) gives, told
// in O(n) without ranking again: every rank from 1 to n once, and the
// values in rank order one after another as the ranking orders them.
bool isRanking(std::span<const double> values, bool ascending, std::span<const int> ranks);

// The ranking key of an index value: the number its index value text (four
// decimals, rounded from the binary value, a tie away from zero) reads as,
// found without writing the text: values that agree to four decimals get
// the same key, and every regional setting writes texts that read as it.
// NaN for a value that is not finite.
double indexKey(double value);

// The ranks of index values: rank 1 to the best key (indexKey), the
// smallest in ascending order, the largest otherwise; the later of units
// with equal keys gets the smaller rank. The one ranking rule of every
// index the program computes.
std::vector<int> rankIndex(std::span<const double> index, bool ascending);
