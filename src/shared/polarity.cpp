#include "shared/polarity.h"

bool hasNegativePolarity(const CellValue& name) {
    if (!name.isText() || name.text().isEmpty())
        return false;
    const QString& text = name.text();
    const qsizetype length = (text.at(0).isHighSurrogate() && text.size() > 1) ? 2 : 1;
    const QString first = text.left(length);
    return first.toUpper() != first;
}
