#include "shared/delimitedfields.h"

namespace {

constexpr char kSeparator = ';';
constexpr char kQuote = '"';

bool is(char ch, char ascii) {
    return ch == ascii;
}

bool is(QChar ch, char ascii) {
    return ch.unicode() == char16_t(ascii);
}

} // namespace

bool needsQuotes(QByteArrayView field) {
    return !field.isEmpty() && (field.front() == kQuote || field.contains(kSeparator));
}

bool needsQuotes(QStringView field) {
    return !field.isEmpty() &&
           (field.front() == QLatin1Char(kQuote) || field.contains(QLatin1Char(kSeparator)));
}

namespace {

// Appends the field between quotes, each quote doubled.
template <typename Line> void appendQuoted(Line& line, QByteArrayView field) {
    line.push_back(kQuote);
    for (const char ch : field) {
        line.push_back(ch);
        if (ch == kQuote)
            line.push_back(kQuote);
    }
    line.push_back(kQuote);
}

template <typename Line> void appendTo(Line& line, QByteArrayView field) {
    if (needsQuotes(field))
        appendQuoted(line, field);
    else
        line.append(field.data(), field.size());
}

template <typename Text> bool splitFields(Text line, std::vector<FieldSpan>& fields) {
    fields.clear();
    const qsizetype size = line.size();
    qsizetype at = 0;
    for (;;) {
        if (at < size && is(line[at], kQuote)) {
            // Up to the quote that is not doubled.
            qsizetype k = at + 1;
            for (;;) {
                while (k < size && !is(line[k], kQuote))
                    ++k;
                if (k == size)
                    return false; // left open
                if (k + 1 < size && is(line[k + 1], kQuote)) {
                    k += 2;
                    continue;
                }
                break;
            }
            fields.push_back({at + 1, k, true});
            at = k + 1;
            if (at == size)
                return true;
            if (!is(line[at], kSeparator))
                return false;
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < size && !is(line[end], kSeparator))
            ++end;
        fields.push_back({at, end, false});
        if (end == size)
            return true;
        at = end + 1;
    }
}

} // namespace

void appendField(QByteArray& line, QByteArrayView field) {
    appendTo(line, field);
}

void appendField(std::string& line, QByteArrayView field) {
    appendTo(line, field);
}

QString joinFields(const QStringList& fields) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QChar::fromLatin1(kSeparator);
        const QString& field = fields[i];
        if (!needsQuotes(QStringView(field))) {
            line += field;
            continue;
        }
        QString doubled = field;
        doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        line += QChar::fromLatin1(kQuote) + doubled + QChar::fromLatin1(kQuote);
    }
    return line;
}

bool splitQuotedFields(QByteArrayView line, std::vector<FieldSpan>& fields) {
    return splitFields(line, fields);
}

bool splitQuotedFields(QStringView line, std::vector<FieldSpan>& fields) {
    return splitFields(line, fields);
}

QString fieldText(QStringView line, const FieldSpan& field) {
    const QStringView text = line.sliced(field.begin, field.end - field.begin);
    if (!field.quoted)
        return text.toString();
    QString unquoted = text.toString();
    unquoted.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return unquoted;
}

qsizetype unquoteTo(char* to, const char* line, const FieldSpan& field) {
    char* const start = to;
    for (qsizetype k = field.begin; k < field.end; ++k) {
        *to++ = line[k];
        if (field.quoted && line[k] == kQuote)
            ++k; // the second of a doubled quote
    }
    return to - start;
}
