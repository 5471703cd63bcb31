#include "shared/textdecoding.h"

#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Windows-1252 for 0x80..0x9F; the rest of the code page coincides with
// Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::size_t utf8SequenceLength(const unsigned char* p, std::size_t n) {
    const unsigned char lead = p[0];
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80; // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        else if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90; // overlong
        else if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0; // continuation byte, C0/C1 overlong lead, F5..FF
    }
    if (n < length)
        return kUtf8Incomplete;
    if (p[1] < low || p[1] > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!isContinuation(p[k]))
            return 0;
    return length;
}

bool isValidUtf8(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        // Plain ASCII eight bytes at a time.
        while (size - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, data + i, sizeof word);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i == size)
            break;
        const std::size_t length = utf8SequenceLength(data + i, std::size_t(size - i));
        if (length == 0 || length == kUtf8Incomplete)
            return false;
        i += qsizetype(length);
    }
    return true;
}

QString utf8Text(QByteArrayView bytes) {
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kHighControls[byte - 0x80])
                                                : QChar(char16_t(byte));
    }
    return text;
}

QString decodeTextLine(QByteArrayView bytes) {
    if (isValidUtf8(bytes))
        return utf8Text(bytes);
    return fromWindows1252(bytes);
}
