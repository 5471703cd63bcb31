#include "workbook/xls/biffcontinuedrecord.h"

#include "workbook/xls/biffcodepage.h"

#include <QtEndian>

#include <cstring>

BiffContinuedRecord::BiffContinuedRecord(QByteArrayView body, quint16 codepage)
    : BiffContinuedRecord(std::vector<QByteArrayView>{body}, codepage) {}

BiffContinuedRecord::BiffContinuedRecord(std::vector<QByteArrayView> parts, quint16 codepage)
    : m_parts(std::move(parts)), m_codepage(codepage) {
    if (m_parts.empty())
        m_parts.emplace_back();
    for (const auto& part : m_parts)
        m_remaining += part.size();
}

bool BiffContinuedRecord::nextPart() {
    while (m_part + 1 < m_parts.size()) {
        ++m_part;
        m_pos = 0;
        if (!m_parts[m_part].isEmpty())
            return true;
    }
    return false;
}

bool BiffContinuedRecord::readBytes(char* to, qsizetype n) {
    if (n > m_remaining)
        return false;
    while (n > 0) {
        if (partLeft() == 0 && !nextPart())
            return false;
        const qsizetype take = std::min(n, partLeft());
        if (to) {
            std::memcpy(to, m_parts[m_part].data() + m_pos, static_cast<std::size_t>(take));
            to += take;
        }
        m_pos += take;
        m_remaining -= take;
        n -= take;
    }
    return true;
}

bool BiffContinuedRecord::readU8(quint8* value) {
    return readBytes(reinterpret_cast<char*>(value), 1);
}

bool BiffContinuedRecord::readU16(quint16* value) {
    uchar bytes[2];
    if (!readBytes(reinterpret_cast<char*>(bytes), 2))
        return false;
    *value = qFromLittleEndian<quint16>(bytes);
    return true;
}

bool BiffContinuedRecord::readU32(quint32* value) {
    uchar bytes[4];
    if (!readBytes(reinterpret_cast<char*>(bytes), 4))
        return false;
    *value = qFromLittleEndian<quint32>(bytes);
    return true;
}

bool BiffContinuedRecord::skip(qint64 n) {
    if (n < 0 || n > m_remaining)
        return false;
    return readBytes(nullptr, static_cast<qsizetype>(n));
}

bool BiffContinuedRecord::readCharacters(qsizetype count, bool utf16, QString* text) {
    bool firstPart = true;
    while (count > 0) {
        if (partLeft() == 0 || !firstPart) {
            // The characters go on in the next part, which opens with its
            // own option byte.
            if (partLeft() > 0) {
                // A lone byte of a UTF-16 character cut by the boundary: no
                // writer does this; drop it.
                m_remaining -= partLeft();
                m_pos = m_parts[m_part].size();
            }
            if (!nextPart())
                return false;
            quint8 options = 0;
            if (!readU8(&options))
                return false;
            utf16 = (options & 0x01) != 0;
        }
        firstPart = false;
        const qsizetype width = utf16 ? 2 : 1;
        const qsizetype take = std::min(count, partLeft() / width);
        const char* bytes = m_parts[m_part].data() + m_pos;
        if (utf16) {
            const qsizetype start = text->size();
            text->resize(start + take);
            QChar* chars = text->data() + start;
            for (qsizetype i = 0; i < take; ++i)
                chars[i] = QChar(qFromLittleEndian<quint16>(bytes + 2 * i));
        } else {
            appendBiff8Bit(text, QByteArrayView(bytes, take), m_codepage);
        }
        m_pos += take * width;
        m_remaining -= take * width;
        count -= take;
    }
    return true;
}

bool BiffContinuedRecord::readString(CountWidth width, QString* text) {
    qsizetype count = 0;
    if (width == CountWidth::Byte) {
        quint8 n = 0;
        if (!readU8(&n))
            return false;
        count = n;
    } else {
        quint16 n = 0;
        if (!readU16(&n))
            return false;
        count = n;
    }
    quint8 options = 0;
    if (!readU8(&options))
        return false;
    quint16 runs = 0;
    if ((options & 0x08) && !readU16(&runs))
        return false;
    quint32 phonetic = 0;
    if ((options & 0x04) && !readU32(&phonetic))
        return false;
    // Every character needs at least one byte: a count beyond the bytes left
    // is a short record, found before any memory is taken for it.
    if (count > m_remaining)
        return false;
    text->clear();
    text->reserve(count);
    if (!readCharacters(count, (options & 0x01) != 0, text))
        return false;
    return skip(qint64(runs) * 4) && skip(phonetic);
}
