#pragma once

#include <QByteArrayView>
#include <QString>

#include <string_view>

// Receives the fields of delimited text, record by record.
class CsvFieldSink {
public:
    virtual ~CsvFieldSink() = default;
    // One field of record row, column col (both 1-based), unquoted, as raw
    // bytes; empty fields are delivered too. Returns false to stop the parse.
    virtual bool field(qint64 row, qint64 col, std::string_view text) = 0;
    // A record has ended: nothing before `next` in the text is read again.
    virtual void recordEnd(const char* next) { Q_UNUSED(next); }
};

// Splits delimited text (RFC 4180) into fields: records end at CR LF, LF or
// CR outside quotes; a field that begins with a double quote runs to the
// matching quote, with doubled quotes standing for one and delimiters and
// line ends kept as text; anything between a closing quote and the next
// delimiter is kept as written. A line end at the very end of the text
// starts no further record. Fields longer than maxFieldBytes are not
// delivered: the parse stops there. Returns true when the whole text (or
// the part the sink wanted) was split; false when a quoted field is never
// closed or a field is too long, with *stop saying which and where.
struct CsvStop {
    qint64 row = 0; // the record and field at fault
    qint64 col = 0;
    bool tooLong = false; // else a quoted field never closed
};
bool parseCsv(QByteArrayView text, char delimiter, qint64 maxFieldBytes, CsvFieldSink& sink,
              CsvStop* stop);

// The delimiter of delimited text: ';', ',' or a tab, whichever splits the
// first records (up to 20) into the same number of fields, more than one;
// among several, the one giving the most fields, then ';' before a tab
// before ','. Delimiters inside quotes do not count. ';' when none splits.
char sniffCsvDelimiter(QByteArrayView text);
