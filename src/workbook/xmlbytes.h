#pragma once

#include <QtGlobal>

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// What the XML scanner needs to know of single bytes, and how far a run of
// bytes of one kind goes: sixteen bytes at a time where the processor
// allows, one at a time for the rest.
namespace xmlbytes {

enum ByteClass : unsigned char {
    kNameChar = 1,  // in an ASCII name
    kPlainText = 2, // character data that needs no look: ASCII, not markup
    kPlainValue = 4 // the same in an attribute value, either quote aside
};

struct ByteClasses {
    unsigned char of[256] = {};
    constexpr ByteClasses() {
        for (int ch = 0x20; ch < 0x80; ++ch) {
            const bool name = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_' ||
                              ch == ':' || (ch >= '0' && ch <= '9') || ch == '-' || ch == '.';
            of[ch] = static_cast<unsigned char>(
                (name ? kNameChar : 0) | (ch != '<' && ch != '&' && ch != ']' ? kPlainText : 0) |
                (ch != '<' && ch != '&' && ch != '"' && ch != '\'' ? kPlainValue : 0));
        }
        of[static_cast<unsigned char>('\n')] = kPlainText;
        of[static_cast<unsigned char>('\t')] = kPlainText;
    }
};

inline constexpr ByteClasses kClasses;

inline bool isNameChar(unsigned char ch) {
    return (kClasses.of[ch] & kNameChar) != 0;
}

#if defined(__SSE2__)
// The bytes of v that are of the class, one bit each.
template <ByteClass kClass> int classMask(__m128i v) {
    const auto set = [](char ch) { return _mm_set1_epi8(ch); };
    // Bytes from 0x80 compare as negative: below every bound here.
    const auto between = [&](__m128i x, char low, char high) {
        return _mm_and_si128(_mm_cmpgt_epi8(x, set(static_cast<char>(low - 1))),
                             _mm_cmplt_epi8(x, set(static_cast<char>(high + 1))));
    };
    __m128i in;
    if constexpr (kClass == kNameChar) {
        in = _mm_or_si128(between(_mm_or_si128(v, set(0x20)), 'a', 'z'), between(v, '0', ':'));
        in = _mm_or_si128(in, _mm_or_si128(between(v, '-', '.'), _mm_cmpeq_epi8(v, set('_'))));
    } else {
        const char a = kClass == kPlainText ? ']' : '"';
        const char b = kClass == kPlainText ? ']' : '\'';
        const __m128i markup =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, set('<')), _mm_cmpeq_epi8(v, set('&'))),
                         _mm_or_si128(_mm_cmpeq_epi8(v, set(a)), _mm_cmpeq_epi8(v, set(b))));
        in = _mm_andnot_si128(markup, _mm_cmpgt_epi8(v, set(0x1F)));
        if constexpr (kClass == kPlainText)
            in = _mm_or_si128(
                in, _mm_or_si128(_mm_cmpeq_epi8(v, set('\n')), _mm_cmpeq_epi8(v, set('\t'))));
    }
    return _mm_movemask_epi8(in);
}
#endif

// The first position from i on, before n, whose byte is not of the class;
// n when there is none.
template <ByteClass kClass>
[[gnu::always_inline]] inline std::size_t runEnd(const char* p, std::size_t i, std::size_t n) {
    // Many runs are short (one-letter names, small numbers): they end within
    // the first bytes, looked at one at a time.
    for (const std::size_t head = n - i > 2 ? i + 2 : n; i < head; ++i) {
        if (!(kClasses.of[static_cast<unsigned char>(p[i])] & kClass))
            return i;
    }
#if defined(__SSE2__)
    while (n - i >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const int outside = ~classMask<kClass>(v) & 0xFFFF;
        if (outside != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(outside)));
        i += 16;
    }
#endif
    while (i < n && (kClasses.of[static_cast<unsigned char>(p[i])] & kClass))
        ++i;
    return i;
}

// The characters of UTF-8 in [first, last): the bytes that are not
// continuation bytes.
qint64 countCharacters(const char* first, const char* last);

} // namespace xmlbytes
