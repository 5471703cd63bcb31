#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// A record read together with the CONTINUE records that follow it, as one
// sequence of bytes in parts. Numbers read straight across part boundaries;
// the characters of a string that go on in the next part are preceded there
// by a fresh option byte that says whether they are 8-bit or UTF-16. Every
// read checks the bytes left: a short record makes it return false, never
// read beyond the parts.
class BiffContinuedRecord {
public:
    // Width of a string's character count: one byte (short strings of sheet
    // names) or two.
    enum class CountWidth { Byte, Word };

    explicit BiffContinuedRecord(QByteArrayView body, quint16 codepage = 1200);
    explicit BiffContinuedRecord(std::vector<QByteArrayView> parts, quint16 codepage = 1200);

    // Bytes left in this part and all later ones.
    qsizetype remaining() const { return m_remaining; }

    bool readU8(quint8* value);
    bool readU16(quint16* value);
    bool readU32(quint32* value);
    // Skips n bytes, across parts as needed.
    bool skip(qint64 n);

    // Reads one BIFF8 unicode string: its character count, its option byte
    // (bit 0: UTF-16 characters, bit 2: phonetic data, bit 3: rich-text
    // runs), the run count and phonetic size when flagged, the characters,
    // then skips the runs (4 bytes each) and the phonetic data. False when
    // the bytes end first; *text is then unspecified.
    bool readString(CountWidth width, QString* text);

private:
    bool readBytes(char* to, qsizetype n);
    // Moves to the next part with bytes; false when none is left.
    bool nextPart();
    qsizetype partLeft() const { return m_parts[m_part].size() - m_pos; }
    bool readCharacters(qsizetype count, bool utf16, QString* text);

    std::vector<QByteArrayView> m_parts;
    std::size_t m_part = 0;
    qsizetype m_pos = 0;
    qsizetype m_remaining = 0;
    quint16 m_codepage;
};
