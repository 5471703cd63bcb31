#include "workbook/xls/biffrecordreader.h"

#include <QtEndian>

BiffRecordReader::BiffRecordReader(QByteArrayView stream, qsizetype offset)
    : m_stream(stream), m_pos(offset) {}

BiffRecordReader::Status BiffRecordReader::peek(qsizetype at, BiffRecord* record) const {
    record->offset = at;
    if (at < 0 || at > m_stream.size())
        return Status::BeyondStream;
    const qsizetype left = m_stream.size() - at;
    if (left == 0)
        return Status::End;
    if (left < 4)
        return Status::Truncated;
    const auto* header = reinterpret_cast<const uchar*>(m_stream.data() + at);
    const quint16 length = qFromLittleEndian<quint16>(header + 2);
    if (length > kMaxBodyLength)
        return Status::TooLong;
    if (length > left - 4)
        return Status::BeyondStream;
    record->type = qFromLittleEndian<quint16>(header);
    record->body = m_stream.sliced(at + 4, length);
    return Status::Ok;
}

BiffRecordReader::Status BiffRecordReader::next(BiffRecord* record) {
    BiffRecord found;
    const Status status = peek(m_pos, &found);
    if (status != Status::Ok) {
        record->offset = found.offset;
        return status;
    }
    *record = found;
    m_pos += 4 + found.body.size();
    return Status::Ok;
}

BiffRecordReader::Status BiffRecordReader::takeContinues(std::vector<QByteArrayView>* bodies) {
    for (;;) {
        BiffRecord found;
        const Status status = peek(m_pos, &found);
        if (status == Status::End)
            return Status::Ok;
        if (status != Status::Ok)
            return status;
        if (found.type != BiffType::Continue)
            return Status::Ok;
        bodies->push_back(found.body);
        m_pos += 4 + found.body.size();
    }
}

BiffFailure::Kind biffFailureKind(BiffRecordReader::Status status) {
    switch (status) {
    case BiffRecordReader::Status::Ok:
        return BiffFailure::Kind::None;
    case BiffRecordReader::Status::End:
    case BiffRecordReader::Status::Truncated:
        return BiffFailure::Kind::EndsEarly;
    case BiffRecordReader::Status::TooLong:
        return BiffFailure::Kind::RecordTooLong;
    case BiffRecordReader::Status::BeyondStream:
        return BiffFailure::Kind::RecordBeyondStream;
    }
    return BiffFailure::Kind::EndsEarly;
}

bool readBiffBof(QByteArrayView body, quint16* version, quint16* kind) {
    if (body.size() < 4)
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(body.data());
    *version = qFromLittleEndian<quint16>(bytes);
    *kind = qFromLittleEndian<quint16>(bytes + 2);
    return true;
}
