#include "methods/ranking.h"

#include <QStringView>

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// An unsigned key that orders like the double it comes from (-0 as +0).
std::uint64_t orderedBits(double value) {
    if (value == 0.0)
        value = 0.0;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return (bits & 0x8000000000000000ULL) ? ~bits : bits | 0x8000000000000000ULL;
}

struct Keyed {
    std::uint64_t key;
    int index;
};

// Stable least-significant-digit radix sort on the keys, a byte at a time;
// a pass whose byte is the same for every key is skipped.
void radixSort(std::vector<Keyed>& items) {
    std::vector<Keyed> buffer(items.size());
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> count{};
        for (const Keyed& item : items)
            ++count[((item.key >> shift) & 0xFF) + 1];
        bool trivial = false;
        for (std::size_t b = 1; b <= 256; ++b)
            if (count[b] == items.size())
                trivial = true;
        if (trivial)
            continue;
        for (std::size_t b = 1; b <= 256; ++b)
            count[b] += count[b - 1];
        for (const Keyed& item : items)
            buffer[count[(item.key >> shift) & 0xFF]++] = item;
        items.swap(buffer);
    }
}

// The value in ten-thousandths when it is a whole number of them, exactly
// (an index text's number, data with up to four decimals); nothing
// otherwise.
std::optional<std::int64_t> wholeTenThousandths(double value) {
    const double scaled = value * 1e4;
    if (!(std::fabs(scaled) < 9e15))
        return std::nullopt;
    const auto whole = static_cast<std::int64_t>(std::llround(scaled));
    if (static_cast<double>(whole) / 1e4 != value)
        return std::nullopt;
    return whole;
}

// When every value is a whole number of ten-thousandths, the keys become
// those numbers (from the smallest up): they order the values the same way,
// equal ones equal, and differ in fewer bytes, which the sort then skips.
void wholeTenThousandthKeys(std::vector<Keyed>& order, std::span<const double> values,
                            bool ascending) {
    std::int64_t least = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::optional<std::int64_t> whole =
            wholeTenThousandths(values[std::size_t(order[k].index)]);
        if (!whole)
            return;
        const std::int64_t key = ascending ? *whole : -*whole;
        least = k == 0 ? key : std::min(least, key);
    }
    for (Keyed& entry : order) {
        const std::int64_t whole = *wholeTenThousandths(values[std::size_t(entry.index)]);
        entry.key = static_cast<std::uint64_t>((ascending ? whole : -whole) - least);
    }
}

} // namespace

// A text as indexText writes it (a sign, digits with group separators, the
// decimal separator and four decimals) is read digit by digit into an exact
// whole number; any other text goes through the locale's parser.
double indexTextKey(const CellValue& cell, const Regional& regional) {
    if (cell.isText()) {
        const QString& text = cell.text();
        const QLocale& locale = regional.locale();
        const QString minus = locale.negativeSign();
        const QString group = locale.groupSeparator();
        const QString point = locale.decimalPoint();
        qsizetype i = 0;
        const bool negative = text.startsWith(minus);
        if (negative)
            i = minus.size();
        qint64 number = 0;
        int digits = 0;
        int decimals = -1; // digits after the separator, -1 before it
        bool ok = i < text.size();
        while (ok && i < text.size()) {
            const int digit = text.at(i).digitValue();
            if (digit >= 0) {
                // Past 15 digits the locale's parser reads the text.
                ok = ++digits <= 15;
                number = number * 10 + digit;
                if (decimals >= 0)
                    ++decimals;
                ++i;
            } else if (decimals < 0 && QStringView(text).sliced(i).startsWith(point)) {
                decimals = 0;
                i += point.size();
            } else if (decimals < 0 && digits > 0 &&
                       QStringView(text).sliced(i).startsWith(group)) {
                i += group.size();
            } else {
                ok = false;
            }
        }
        // At most 15 digits: the whole number and its quotient are exact, so
        // the key is the number the text reads as.
        if (ok && decimals == 4)
            return static_cast<double>(negative ? -number : number) / 1e4;
    }
    const auto number = regional.numberOf(cell);
    return number ? *number : std::nan("");
}

double writtenIndexTextKey(const QString& text, const Regional& regional) {
    const qsizetype size = text.size();
    bool shaped = size >= 5 && text.at(size - 5).digitValue() < 0;
    for (qsizetype i = size - 4; shaped && i < size; ++i)
        shaped = text.at(i).digitValue() >= 0;
    if (!shaped)
        return indexTextKey(CellValue(text), regional);
    // The same digits in the C form, read to the nearest double as the
    // writer's settings read them.
    std::string number(1, '0');
    bool negative = false;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text.at(i);
        if (i == size - 4)
            number += '.';
        if (const int digit = ch.digitValue(); digit >= 0)
            number += static_cast<char>('0' + digit);
        else if (ch == u'-' || ch == QChar(0x2212))
            negative = true;
    }
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

// Plain ASCII, the form of every index text written under settings with
// ASCII separators, is read byte by byte as the text is read above: a digit
// is an ASCII digit, and a '-' anywhere makes the number negative.
double writtenIndexTextKey(QByteArrayView utf8, const Regional& regional) {
    const qsizetype size = utf8.size();
    const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
    const bool ascii =
        std::none_of(utf8.begin(), utf8.end(), [](char ch) { return (ch & 0x80) != 0; });
    if (!ascii)
        return writtenIndexTextKey(QString::fromUtf8(utf8), regional);
    bool shaped = size >= 5 && !isDigit(utf8[size - 5]);
    for (qsizetype i = size - 4; shaped && i < size; ++i)
        shaped = isDigit(utf8[i]);
    if (!shaped)
        return indexTextKey(CellValue(QString::fromLatin1(utf8)), regional);
    qint64 number = 0;
    int digits = 0;
    bool negative = false;
    for (const char ch : utf8) {
        if (isDigit(ch)) {
            if (++digits <= 15)
                number = number * 10 + (ch - '0');
        } else if (ch == '-') {
            negative = true;
        }
    }
    // Up to 15 digits the whole number and its quotient are exact: the
    // double nearest the decimal, as the digits read below give it.
    if (digits > 15)
        return writtenIndexTextKey(QString::fromLatin1(utf8), regional);
    const double value = static_cast<double>(number) / 1e4;
    return negative ? -value : value;
}

double indexValueKey(double value, const Regional& regional) {
    if (const std::optional<double> key = regional.indexTextValue(value))
        return *key;
    return indexTextKey(CellValue(regional.indexText(value)), regional);
}

double appendIndexValueText(double value, const Regional& regional, std::string& utf8) {
    const std::size_t start = utf8.size();
    if (const std::optional<double> key = regional.appendIndexText(value, utf8))
        return *key;
    const QString text = QString::fromUtf8(utf8.data() + start, qsizetype(utf8.size() - start));
    return indexTextKey(CellValue(text), regional);
}

std::vector<int> rankValues(const std::vector<double>& values, bool ascending) {
    std::vector<int> ranks(values.size());
    rankValues(values, ascending, ranks);
    return ranks;
}

void rankValues(std::span<const double> values, bool ascending, std::span<int> ranks) {
    assert(values.size() == ranks.size());
    // Keys in order of decreasing index, so that the stable sort puts the
    // later of equal values first; NaN values are ranked last, later first.
    std::vector<Keyed> order;
    order.reserve(values.size());
    std::vector<int> missing;
    for (std::size_t i = values.size(); i-- > 0;) {
        const double v = values[i];
        if (std::isnan(v))
            missing.push_back(static_cast<int>(i));
        else
            order.push_back({orderedBits(ascending ? v : -v), static_cast<int>(i)});
    }
    wholeTenThousandthKeys(order, values, ascending);
    radixSort(order);
    int rank = 1;
    for (const Keyed& entry : order)
        ranks[static_cast<std::size_t>(entry.index)] = rank++;
    for (const int index : missing)
        ranks[static_cast<std::size_t>(index)] = rank++;
}

bool isRanking(std::span<const double> values, bool ascending, std::span<const int> ranks) {
    const std::size_t n = values.size();
    if (ranks.size() != n)
        return false;
    std::vector<int> unitOf(n, -1);
    for (std::size_t i = 0; i < n; ++i) {
        const int rank = ranks[i];
        if (rank < 1 || std::size_t(rank) > n || unitOf[std::size_t(rank - 1)] >= 0)
            return false;
        unitOf[std::size_t(rank - 1)] = static_cast<int>(i);
    }
    // Unit a comes right before unit b: numbers in the ranking's direction
    // (-0 equal to +0), NaN after them, the later of equal values first.
    const auto before = [values, ascending](int a, int b) {
        const double va = values[std::size_t(a)];
        const double vb = values[std::size_t(b)];
        if (std::isnan(va) || std::isnan(vb))
            return std::isnan(vb) && (!std::isnan(va) || a > b);
        const double x = ascending ? va : -va;
        const double y = ascending ? vb : -vb;
        return x < y || (x == y && a > b);
    };
    for (std::size_t k = 0; k + 1 < n; ++k)
        if (!before(unitOf[k], unitOf[k + 1]))
            return false;
    return true;
}
