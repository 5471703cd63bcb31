#pragma once

#include "workbook/xls/bifffailure.h"

#include <QByteArrayView>

#include <vector>

// BIFF record types the workbook reader looks at.
namespace BiffType {
constexpr quint16 Bof = 0x0809;
constexpr quint16 Eof = 0x000A;
constexpr quint16 Continue = 0x003C;
constexpr quint16 FilePass = 0x002F;
constexpr quint16 Codepage = 0x0042;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 Format = 0x041E;
constexpr quint16 Xf = 0x00E0;
constexpr quint16 Sst = 0x00FC;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Label = 0x0204;
constexpr quint16 RString = 0x00D6;
constexpr quint16 Number = 0x0203;
constexpr quint16 Rk = 0x027E;
constexpr quint16 MulRk = 0x00BD;
constexpr quint16 BoolErr = 0x0205;
constexpr quint16 Blank = 0x0201;
constexpr quint16 MulBlank = 0x00BE;
constexpr quint16 Formula = 0x0006;
constexpr quint16 String = 0x0207;
// The beginning-of-file records of BIFF2, BIFF3 and BIFF4.
constexpr quint16 Bof2 = 0x0009;
constexpr quint16 Bof3 = 0x0209;
constexpr quint16 Bof4 = 0x0409;
} // namespace BiffType

// One record of a BIFF stream: its type, where its header starts and its
// body (a view into the stream).
struct BiffRecord {
    quint16 type = 0;
    qsizetype offset = 0;
    QByteArrayView body;
};

// Walks the records of a BIFF stream held in memory. Every record is checked
// against the stream: a reader never reads outside it.
class BiffRecordReader {
public:
    // The longest record body BIFF8 allows; longer data goes on in CONTINUE
    // records.
    static constexpr qsizetype kMaxBodyLength = 8224;

    enum class Status {
        Ok,          // a record was read
        End,         // no bytes left in the stream
        Truncated,   // fewer than four bytes left for a record header
        TooLong,     // the header gives a body longer than kMaxBodyLength
        BeyondStream // the header gives a body that runs past the stream's end
    };

    // Reads stream from offset on.
    explicit BiffRecordReader(QByteArrayView stream, qsizetype offset = 0);

    // Reads the record at the current position into *record and moves past
    // it. On any status but Ok, *record is untouched except for offset, which
    // gives the position of the failure, and the position stays where it was.
    Status next(BiffRecord* record);

    // Reads the CONTINUE records that follow at the current position and
    // appends their bodies to *bodies; stops before the first record of
    // another type or at the end of the stream.
    Status takeContinues(std::vector<QByteArrayView>* bodies);

    qsizetype position() const { return m_pos; }
    qsizetype streamSize() const { return m_stream.size(); }

private:
    Status peek(qsizetype at, BiffRecord* record) const;

    QByteArrayView m_stream;
    qsizetype m_pos = 0;
};

// The failure a reader status other than Ok stands for; End is a stream that
// ends before its end-of-file record.
BiffFailure::Kind biffFailureKind(BiffRecordReader::Status status);

// The version and substream kind of a BOF record.
namespace BiffBof {
constexpr quint16 Biff8 = 0x0600;
constexpr quint16 Globals = 0x0005;
constexpr quint16 Worksheet = 0x0010;
constexpr quint16 Chart = 0x0020;
constexpr quint16 MacroSheet = 0x0040;
constexpr quint16 Module = 0x0006;
} // namespace BiffBof

// Reads the version and substream kind of a BOF record body; false when the
// body is too short for them.
bool readBiffBof(QByteArrayView body, quint16* version, quint16* kind);
