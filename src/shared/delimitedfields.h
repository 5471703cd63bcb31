#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>
#include <vector>

// The fields of the ";"-separated lines the program writes (result,
// comparison, robustness and AMPI files, and the tables the batch tool
// prints), and how they are read back.
//
// A field is written as it is, unless it holds a ";" or begins with a
// double quote: then it goes between double quotes, each double quote in it
// doubled, as delimited text quotes a field (a;b -> "a;b", "x" -> """x""").
// Any other field, a number or a plain label, comes out byte for byte as
// before quoting existed. Line breaks never reach a field: the writers make
// them spaces beforehand.

// Whether a field (in UTF-8, or any text where ";" and '"' are the ASCII
// bytes) is written in quotes.
bool needsQuotes(QByteArrayView field);
bool needsQuotes(QStringView field);

// Appends a field to a line, quoted when it needs it.
void appendField(QByteArray& line, QByteArrayView field);
void appendField(std::string& line, QByteArrayView field);
// The fields joined by ";", each quoted when it needs it.
QString joinFields(const QStringList& fields);

// One field of a line read back: [begin, end) of the line, and whether it
// was quoted (then the bytes are those between the quotes, a doubled quote
// standing for one).
struct FieldSpan {
    qsizetype begin;
    qsizetype end;
    bool quoted;
};

// Splits a line into its fields, a field that begins with a double quote
// taken up to its closing quote. False when the line cannot have been
// written so (a quote left open, or a closing quote followed by anything
// but ";" or the line's end): a line written before quoting, to be split at
// every ";".
bool splitQuotedFields(QByteArrayView line, std::vector<FieldSpan>& fields);
bool splitQuotedFields(QStringView line, std::vector<FieldSpan>& fields);

// The text of a field: the bytes between its quotes with doubled quotes made
// single, or the span as it is.
QString fieldText(QStringView line, const FieldSpan& field);
// The same in bytes, written to `to`, which may lie in the line itself at
// or before the field's first byte (the text is never longer than the
// span); returns its length.
qsizetype unquoteTo(char* to, const char* line, const FieldSpan& field);
