#include "shared/namekey.h"

namespace {

bool isZeroWidth(char16_t c) {
    return (c >= 0x200B && c <= 0x200D) || c == 0x2060 || c == 0xFEFF;
}

// Whether the name is its own key: printable ASCII with single spaces
// inside, the common case, checked without building anything.
bool isPlainKey(const QString& name) {
    char16_t previous = u' ';
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || c >= 0x7F || (c == u' ' && previous == u' '))
            return false;
        previous = c;
    }
    return previous != u' ';
}

} // namespace

QString nameKey(const QString& name) {
    if (isPlainKey(name))
        return name;
    QString key;
    key.reserve(name.size());
    bool blank = false;
    for (const QChar ch : name) {
        if (isZeroWidth(ch.unicode()))
            continue;
        if (ch.isSpace()) {
            blank = true;
            continue;
        }
        if (blank && !key.isEmpty())
            key += u' ';
        blank = false;
        key += ch;
    }
    return key.normalized(QString::NormalizationForm_C);
}
