#include "export/xmltext.h"

#include <QString>

void appendXmlEscaped(QByteArray& out, QStringView text) {
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF) {
            out += "_x" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0') + '_';
            continue;
        }
        switch (u) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (u < 0x80) {
                out += char(u);
            } else {
                // Rare enough to convert one character at a time; a lone
                // surrogate half becomes a replacement character.
                if (ch.isHighSurrogate() || ch.isLowSurrogate())
                    continue;
                out += QString(ch).toUtf8();
            }
        }
    }
}

QByteArray xmlEscaped(QStringView text) {
    QByteArray out;
    appendXmlEscaped(out, text);
    return out;
}
