#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>

// Decoding of text files: those written by this program or by older Windows
// installations of it, and delimited text from any source.

// True when the bytes are well-formed UTF-8: no stray continuation bytes, no
// truncated, overlong or surrogate sequences, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);

// The length (1 to 4) of the UTF-8 sequence that starts at p, of which n > 0
// bytes are available: 0 when it is malformed (stray continuation byte,
// overlong or surrogate sequence, above U+10FFFF), kUtf8Incomplete when its
// lead byte asks for more than n bytes.
constexpr std::size_t kUtf8Incomplete = static_cast<std::size_t>(-1);
std::size_t utf8SequenceLength(const unsigned char* p, std::size_t n);

// The UTF-8 bytes as text, every character as written: a U+FEFF at the start
// stays a character of the text (QString::fromUtf8 would take it for a
// byte-order mark and drop it). Only the start of a whole file can hold a
// byte-order mark; its readers drop it there themselves. Malformed sequences
// become U+FFFD, as with QString::fromUtf8.
QString utf8Text(QByteArrayView bytes);

// The bytes read as Windows-1252. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, as Windows itself decodes them.
QString fromWindows1252(QByteArrayView bytes);

// One line of a text file: UTF-8 when the bytes are valid UTF-8 (utf8Text),
// otherwise Windows-1252. Deciding per line lets a file that mixes both
// still read.
QString decodeTextLine(QByteArrayView bytes);
