#pragma once

#include "shared/cellvalue.h"
#include "shared/regional.h"

#include <QByteArrayView>

#include <span>
#include <string>
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

// The ranking key of an index value text: the number it reads as under the
// regional settings, however large (NaN for a text that is not a number).
// Two index texts of up to 15 digits get the same key exactly when they are
// equal, so units whose values agree to four decimals are tied.
double indexTextKey(const CellValue& cell, const Regional& regional);

// The ranking key of an index value: the key of its index value text
// (Regional::indexText), so that values which agree to four decimals are tied.
double indexValueKey(double value, const Regional& regional);

// Appends the index value text of value to utf8 in UTF-8 and returns its
// ranking key (indexValueKey): the text is written once for both.
double appendIndexValueText(double value, const Regional& regional, std::string& utf8);

// The ranking key of an index value text read back from a result file,
// whatever regional settings wrote it: a text that ends with a separator and
// four decimals, as every index text does, gives its digits read as a number
// with four decimals, negative when it holds a minus sign: indexTextKey of the
// text under the settings that wrote it. Any other text gives indexTextKey
// under the settings given.
double writtenIndexTextKey(const QString& text, const Regional& regional);
// The same for the text in UTF-8.
double writtenIndexTextKey(QByteArrayView utf8, const Regional& regional);
