#include "workbook/xls/biffcodepage.h"

namespace {

// Windows-1252 for bytes 0x80-0x9F; 0 where the code page leaves a byte
// undefined (it then keeps its Latin-1 meaning).
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

void appendBiff8Bit(QString* out, QByteArrayView bytes, quint16 codepage) {
    const qsizetype start = out->size();
    out->append(QLatin1StringView(bytes.data(), bytes.size()));
    if (codepage != BiffCodepage::Windows1252)
        return;
    QChar* chars = out->data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char16_t code = chars[i].unicode();
        if (code >= 0x80 && code <= 0x9F && kWindows1252High[code - 0x80] != 0)
            chars[i] = QChar(kWindows1252High[code - 0x80]);
    }
}
