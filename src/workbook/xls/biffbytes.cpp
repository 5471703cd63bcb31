#include "workbook/xls/biffbytes.h"

#include <QtEndian>

#include <bit>

quint16 u16At(QByteArrayView body, qsizetype at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(body.data() + at));
}

quint32 u32At(QByteArrayView body, qsizetype at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(body.data() + at));
}

double doubleAt(QByteArrayView body, qsizetype at) {
    return std::bit_cast<double>(
        qFromLittleEndian<quint64>(reinterpret_cast<const uchar*>(body.data() + at)));
}
