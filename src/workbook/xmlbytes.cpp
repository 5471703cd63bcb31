#include "workbook/xmlbytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace xmlbytes {

qint64 countCharacters(const char* first, const char* last) {
    qint64 count = last - first;
#if defined(__SSE2__)
    // A continuation byte (0x80 to 0xBF) is below -64 as a signed byte. The
    // byte counters take up to 255 blocks before they are added up.
    const __m128i bound = _mm_set1_epi8(-64);
    while (last - first >= 16) {
        const qint64 blocks = std::min<qint64>((last - first) / 16, 255);
        __m128i counters = _mm_setzero_si128();
        for (qint64 b = 0; b < blocks; ++b, first += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first));
            counters = _mm_sub_epi8(counters, _mm_cmplt_epi8(v, bound));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count -= _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums));
    }
#else
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    while (last - first >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, first, 8);
        // A continuation byte has its top bit set and the next one clear;
        // the multiplication adds up the eight flags in the top byte.
        const std::uint64_t flags = (word & ~(word << 1) & kHigh) >> 7;
        count -= static_cast<qint64>((flags * 0x0101010101010101ULL) >> 56);
        first += 8;
    }
#endif
    for (; first < last; ++first) {
        if ((static_cast<unsigned char>(*first) & 0xC0) == 0x80)
            --count;
    }
    return count;
}

} // namespace xmlbytes
