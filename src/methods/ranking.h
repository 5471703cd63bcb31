#pragma once

#include <vector>

// The ranks of a list of values, 1 to n: in descending order rank 1 goes to
// the largest value, in ascending order to the smallest. Among equal values
// the later one (higher index) gets the smaller rank, so tied values receive
// distinct consecutive ranks. NaN values come after every number. Runs in
// O(n log n) and takes any finite value, however large.
std::vector<int> rankValues(const std::vector<double>& values, bool ascending);
