#include "workbook/xls/biffvalues.h"

#include <bit>

double decodeRk(quint32 rk) {
    double value = 0.0;
    if (rk & 0x02) {
        // Arithmetic shift keeps the sign of the 30-bit integer.
        value = static_cast<double>(static_cast<qint32>(rk) >> 2);
    } else {
        value = std::bit_cast<double>(static_cast<quint64>(rk & 0xFFFFFFFCu) << 32);
    }
    if (rk & 0x01)
        value /= 100.0;
    return value;
}

QString biffErrorText(quint8 code) {
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    default:
        return QStringLiteral("#N/A");
    }
}
