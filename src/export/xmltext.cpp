#include "export/xmltext.h"

namespace {

bool isHexDigit(char16_t u) {
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

// Whether text at i reads as an escape _xHHHH_.
bool escapeAt(QStringView text, qsizetype i) {
    if (i + 6 >= text.size() || text[i + 1] != u'x' || text[i + 6] != u'_')
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!isHexDigit(text[k].unicode()))
            return false;
    return true;
}

void appendEscape(QByteArray& out, char16_t u) {
    out += "_x";
    out += QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    out += '_';
}

void appendUtf8(QByteArray& out, char32_t code) {
    if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
    }
    out += char(0x80 | (code & 0x3F));
}

} // namespace

void appendXmlEscaped(QByteArray& out, QStringView text) {
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = text[i].unicode();
        // A carriage return as such would come back as a line feed.
        if ((u < 0x20 && u != '\t' && u != '\n') || u == 0xFFFE || u == 0xFFFF) {
            appendEscape(out, u);
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
        case '_':
            // The underscore of a text that reads as an escape is escaped
            // itself, so that the text comes back as written.
            if (escapeAt(text, i))
                out += "_x005F_";
            else
                out += '_';
            break;
        default:
            if (u < 0x80) {
                out += char(u);
            } else if (QChar::isHighSurrogate(u) && i + 1 < size && text[i + 1].isLowSurrogate()) {
                appendUtf8(out, QChar::surrogateToUcs4(u, text[i + 1].unicode()));
                ++i;
            } else if (QChar::isSurrogate(u)) {
                appendUtf8(out, 0xFFFD); // a lone half: the replacement character
            } else {
                appendUtf8(out, u);
            }
        }
    }
}

QByteArray xmlEscaped(QStringView text) {
    QByteArray out;
    appendXmlEscaped(out, text);
    return out;
}
