#pragma once

#include "shared/cellvalue.h"

// The polarity of an indicator, read from its name: negative (lower values
// are better) when the first character of the name is changed by converting
// it to upper case, that is a lower-case letter of any alphabet ("è"
// included); positive for an upper-case letter, a digit, a blank, any other
// character, and for a name that is not a text.
bool hasNegativePolarity(const CellValue& name);
