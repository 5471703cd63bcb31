#pragma once

#include "shared/cellvalue.h"
#include "shared/regional.h"

#include <QByteArrayView>
#include <QString>

// The ranking keys of index value texts read back from files: the numbers
// they read as, so that equal texts get equal keys (indexKey of the value
// that was written, for every text the program writes).

// The ranking key of an index value text: the number it reads as under the
// regional settings, however large (NaN for a text that is not a number).
// Two index texts of up to 15 digits get the same key exactly when they are
// equal, so units whose values agree to four decimals are tied.
double indexTextKey(const CellValue& cell, const Regional& regional);

// The ranking key of an index value text read back from a result file,
// whatever regional settings wrote it: a text that ends with a separator and
// four decimals, as every index text does, gives its digits read as a number
// with four decimals, negative when it holds a minus sign: indexTextKey of the
// text under the settings that wrote it. Any other text gives indexTextKey
// under the settings given.
double writtenIndexTextKey(const QString& text, const Regional& regional);
// The same for the text in UTF-8.
double writtenIndexTextKey(QByteArrayView utf8, const Regional& regional);
