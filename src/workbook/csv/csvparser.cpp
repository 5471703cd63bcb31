#include "workbook/csv/csvparser.h"

#include <cstring>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first delimiter or line end from p on, or end: sixteen bytes at a time
// where the processor allows.
const char* fieldEnd(const char* p, const char* end, char delimiter) {
#if defined(__SSE2__)
    const __m128i delimiters = _mm_set1_epi8(delimiter);
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    const __m128i returns = _mm_set1_epi8('\r');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i found =
            _mm_or_si128(_mm_cmpeq_epi8(v, delimiters),
                         _mm_or_si128(_mm_cmpeq_epi8(v, lineFeeds), _mm_cmpeq_epi8(v, returns)));
        if (const int mask = _mm_movemask_epi8(found))
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && *p != delimiter && *p != '\n' && *p != '\r')
        ++p;
    return p;
}

// Reads the quoted field at p (its opening quote) into unquoted, up to the
// quote that is not doubled and on to the field's end: where the field
// ends, or null when the quotes are never closed.
const char* readQuoted(const char* p, const char* end, char delimiter, std::string& unquoted) {
    unquoted.clear();
    ++p;
    for (;;) {
        const auto* quote =
            static_cast<const char*>(std::memchr(p, '"', static_cast<std::size_t>(end - p)));
        if (!quote)
            return nullptr;
        unquoted.append(p, static_cast<std::size_t>(quote - p));
        p = quote + 1;
        if (p < end && *p == '"') {
            unquoted.push_back('"');
            ++p;
            continue;
        }
        break;
    }
    const char* rest = p;
    p = fieldEnd(p, end, delimiter);
    unquoted.append(rest, static_cast<std::size_t>(p - rest));
    return p;
}

} // namespace

bool parseCsv(QByteArrayView text, char delimiter, qint64 maxFieldBytes, CsvFieldSink& sink,
              CsvStop* stop) {
    const char* p = text.data();
    const char* const end = p + text.size();
    std::string unquoted; // a quoted field without its quotes, reused
    qint64 record = 1;
    qint64 col = 1;
    while (p < end) {
        std::string_view value;
        if (*p == '"') {
            p = readQuoted(p, end, delimiter, unquoted);
            if (!p) {
                *stop = {record, col, false};
                return false;
            }
            value = unquoted;
        } else {
            const char* start = p;
            p = fieldEnd(p, end, delimiter);
            value = std::string_view(start, static_cast<std::size_t>(p - start));
        }
        if (static_cast<qint64>(value.size()) > maxFieldBytes) {
            *stop = {record, col, true};
            return false;
        }
        if (!sink.field(record, col, value))
            return true;
        if (p == end)
            break;
        if (*p == delimiter) {
            ++p;
            ++col;
            // A delimiter at the very end leaves one more, empty, field.
            if (p == end && !sink.field(record, col, std::string_view()))
                return true;
            continue;
        }
        // A line end: CR LF, LF or CR.
        if (*p++ == '\r' && p < end && *p == '\n')
            ++p;
        sink.recordEnd(p);
        ++record;
        col = 1;
    }
    return true;
}

namespace {

// Counts the fields of the first records.
class FieldCounter : public CsvFieldSink {
public:
    static constexpr qint64 kRecords = 20;
    bool field(qint64 row, qint64 col, std::string_view text) override {
        if (row > kRecords)
            return false;
        if (static_cast<std::size_t>(row) > counts.size())
            counts.resize(static_cast<std::size_t>(row), 0);
        // A blank line says nothing about the delimiter.
        counts[static_cast<std::size_t>(row - 1)] = col == 1 && text.empty() ? 0 : col;
        return true;
    }
    std::vector<qint64> counts;
};

} // namespace

char sniffCsvDelimiter(QByteArrayView text) {
    char best = ';';
    qint64 bestFields = 1;
    bool bestAlike = false;
    for (const char candidate : {';', '\t', ','}) {
        FieldCounter counter;
        CsvStop stop;
        parseCsv(text, candidate, text.size(), counter, &stop);
        qint64 fields = 0;
        bool alike = true;
        for (const qint64 count : counter.counts) {
            if (count == 0)
                continue;
            if (fields == 0)
                fields = count;
            alike = alike && count == fields;
        }
        alike = alike && fields > 1;
        // Records alike first, then more fields; the earlier candidate on a tie.
        if ((alike && !bestAlike) || (alike == bestAlike && fields > bestFields)) {
            best = candidate;
            bestFields = fields;
            bestAlike = alike;
        }
    }
    return best;
}
