#pragma once

#include <QByteArrayView>

// Little-endian fields of a BIFF record body; the caller has checked that
// the body holds them.
quint16 u16At(QByteArrayView body, qsizetype at);
quint32 u32At(QByteArrayView body, qsizetype at);
double doubleAt(QByteArrayView body, qsizetype at);
