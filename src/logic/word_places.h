#pragma once
// Every place a word starts in a text, found sixteen bytes at a time where the
// processor allows: a place is looked at closely only when its first and last bytes
// are the word's.
#include <bit>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Calls place(at) for each start of word in text, in order; word is not empty.
template <typename Place> void eachPlace(std::string_view text, std::string_view word, Place&& place)
{
    const size_t k = word.size();
    if (k > text.size()) return;
    const char* const begin = text.data();
    const char* const last = begin + (text.size() - k);  // the last place a word can start
    const char* p = begin;
#if defined(__SSE2__)
    if (k >= 2) {
        const __m128i first = _mm_set1_epi8(word.front()), end = _mm_set1_epi8(word.back());
        for (; p + 16 <= last + 1; p += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k - 1));
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, end))));
            for (; mask; mask &= mask - 1) {
                const char* at = p + std::countr_zero(mask);
                if (std::memcmp(at + 1, word.data() + 1, k - 2) == 0) place(size_t(at - begin));
            }
        }
    }
#endif
    for (; p <= last; ++p) {
        const void* hit = memmem(p, size_t(last + k - p), word.data(), k);
        if (!hit) return;
        p = static_cast<const char*>(hit);
        place(size_t(p - begin));
    }
}
