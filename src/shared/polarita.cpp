#include "shared/polarita.h"

bool hasNegativePolarity(const CellValue& nome) {
    if (!nome.isText() || nome.text().isEmpty())
        return false;
    const QString& text = nome.text();
    const qsizetype length = (text.at(0).isHighSurrogate() && text.size() > 1) ? 2 : 1;
    const QString first = text.left(length);
    return first.toUpper() != first;
}
