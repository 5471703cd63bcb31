#pragma once

#include <QByteArrayView>
#include <QString>

// 8-bit text of .xls workbooks. A compressed BIFF8 string holds the low bytes
// of UTF-16 code units, so it reads as Latin-1; a workbook that declares code
// page 1252 gets the Windows-1252 characters for bytes 0x80-0x9F, which
// Latin-1 leaves to control characters nobody types.
namespace BiffCodepage {
constexpr quint16 Utf16 = 1200;
constexpr quint16 Windows1252 = 1252;
constexpr quint16 Latin1 = 28591;
} // namespace BiffCodepage

// Appends the characters of the 8-bit bytes under the workbook's code page
// (see above; any other code page reads as Latin-1).
void appendBiff8Bit(QString* out, QByteArrayView bytes, quint16 codepage);
