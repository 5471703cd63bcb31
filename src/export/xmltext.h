#pragma once

#include <QByteArray>
#include <QStringView>

// Text as XML character data or attribute value, in UTF-8: markup escaped,
// and the characters XML cannot hold (controls other than tab and line ends,
// U+FFFE, U+FFFF) written the way spreadsheet programs read them back, as
// _xHHHH_.
void appendXmlEscaped(QByteArray& out, QStringView text);
QByteArray xmlEscaped(QStringView text);
