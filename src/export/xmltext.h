#pragma once

#include <QByteArray>
#include <QStringView>

// Text as XML character data or attribute value, in UTF-8 (a character
// beyond the Basic Multilingual Plane from its surrogate pair; a lone half
// of a pair as the replacement character): markup escaped, and the
// characters XML cannot hold as they are (controls other than tab and line
// feed, a carriage return, which XML reads as a line feed, U+FFFE, U+FFFF)
// written the way spreadsheet programs read them back, as _xHHHH_. The
// underscore of a text that reads as such an escape ("_x0041_") is written
// _x005F_, so that it reads back as written.
void appendXmlEscaped(QByteArray& out, QStringView text);
QByteArray xmlEscaped(QStringView text);
