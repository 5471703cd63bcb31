#include "methods/ranking.h"

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
// a pass whose byte is the same for every key is skipped. A few keys are
// sorted by insertion instead, which is as stable and saves the passes'
// counts (a group of a structure often ranks only some tens of units).
void radixSort(std::vector<Keyed>& items) {
    if (items.size() <= 64) {
        for (std::size_t k = 1; k < items.size(); ++k) {
            const Keyed item = items[k];
            std::size_t at = k;
            for (; at > 0 && items[at - 1].key > item.key; --at)
                items[at] = items[at - 1];
            items[at] = item;
        }
        return;
    }
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

// The key of a value of 1e11 or more in magnitude, whose four-decimal text
// has more than 15 digits: the double nearest to that text.
double longIndexKey(double value) {
    char text[400];
    const double scaled = value * 32.0;
    // A tie between two four-decimal texts, (2k + 1) / 20000, is a double
    // only when it is a multiple of 1/32, whose five decimals are exact.
    if (std::isfinite(scaled) && std::floor(scaled) == scaled) {
        const auto [end, error] =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 5);
        if (error == std::errc() && end[-1] == '5') {
            // Away from zero: the four decimals kept, the last one up.
            char* last = end - 2;
            while (last >= text && (*last == '9' || *last == '.')) {
                if (*last == '9')
                    *last = '0';
                --last;
            }
            std::string away(text, end - 1);
            if (last >= text && *last >= '0' && *last <= '8') {
                away[std::size_t(last - text)] = char(*last + 1);
            } else {
                // Every digit was a 9: one more digit in front.
                away.insert(away.begin() + (value < 0.0 ? 1 : 0), '1');
            }
            double key = 0.0;
            std::from_chars(away.data(), away.data() + away.size(), key);
            return key;
        }
    }
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    double key = 0.0;
    std::from_chars(text, end, key);
    return key;
}

} // namespace

double indexKey(double value) {
    if (!std::isfinite(value))
        return std::nan("");
    if (!(std::fabs(value) < 1e11))
        return longIndexKey(value);
    // The ten-thousandths of the text from the exact product value * 1e4 =
    // scaled + lost: below 1e15 the product's spacing is at most 1/8, so the
    // rounding of scaled to a whole number is the rounding of the exact
    // product except at a half, where lost (or, for an exact tie, the sign)
    // decides.
    // The part lost is needed only at a half, which is rare: it is
    // computed there alone.
    const double scaled = value * 1e4;
    double whole = std::nearbyint(scaled);
    const double fraction = scaled - whole;
    if (fraction == 0.5 || fraction == -0.5) {
        const double lost = std::fma(value, 1e4, -scaled);
        if (fraction == 0.5 && (lost > 0.0 || (lost == 0.0 && scaled > 0.0)))
            whole += 1.0;
        else if (fraction == -0.5 && (lost < 0.0 || (lost == 0.0 && scaled < 0.0)))
            whole -= 1.0;
    }
    // At most 15 digits: the quotient is the double nearest to the text.
    return whole / 1e4;
}

std::vector<int> rankIndex(std::span<const double> index, bool ascending) {
    std::vector<double> keys(index.size());
    for (std::size_t i = 0; i < index.size(); ++i)
        keys[i] = indexKey(index[i]);
    std::vector<int> ranks(index.size());
    rankValues(keys, ascending, ranks);
    return ranks;
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
