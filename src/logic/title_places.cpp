#include "logic/title_places.h"

#include <bit>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#define QUILLON_X86 1
#endif

namespace {

constexpr size_t kTitle = FieldWidths::Title;
static_assert(kTitle <= 64 && kTitle >= 32, "a title's places fit in 64 bits, its parts overlap");

bool readPlain(const char* title, std::string_view chars, TitlePlaces& out)
{
    bool ascii = true;
    out.nonBlanks = 0;
    for (size_t i = 0; i < kTitle; ++i) {
        const char c = title[i];
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        out.upper[i] = c >= 'a' && c <= 'z' ? char(c - 0x20) : c;
        out.nonBlanks |= uint64_t(c != ' ') << i;
    }
    if (!ascii) return false;
    std::memset(out.upper + kTitle, 0, sizeof out.upper - kTitle);
    for (size_t n = 0; n < chars.size(); ++n) {
        uint64_t found = 0;
        for (size_t i = 0; i < kTitle; ++i) found |= uint64_t(out.upper[i] == chars[n]) << i;
        out.places[n] = found;
    }
    return true;
}

#if defined(QUILLON_X86)

// Sixteen bytes at a time: four parts, the last overlapping the third.
bool readSse2(const char* title, std::string_view chars, TitlePlaces& out)
{
    constexpr size_t kAt[4] = {0, 16, 32, kTitle - 16};
    const __m128i beforeA = _mm_set1_epi8('a' - 1), afterZ = _mm_set1_epi8('z' + 1), caseBit = _mm_set1_epi8(0x20);
    const __m128i blank = _mm_set1_epi8(' ');
    __m128i parts[4], any = _mm_setzero_si128();
    uint64_t blanks = 0;
    for (size_t i = 0; i < 4; ++i) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(title + kAt[i]));
        any = _mm_or_si128(any, x);
        const __m128i small = _mm_and_si128(_mm_cmpgt_epi8(x, beforeA), _mm_cmplt_epi8(x, afterZ));
        parts[i] = _mm_sub_epi8(x, _mm_and_si128(small, caseBit));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out.upper + kAt[i]), parts[i]);
        blanks |= uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(x, blank)))) << kAt[i];
    }
    if (_mm_movemask_epi8(any) != 0) return false;
    std::memset(out.upper + kTitle, 0, sizeof out.upper - kTitle);
    out.nonBlanks = ~blanks & ((uint64_t(1) << kTitle) - 1);
    for (size_t n = 0; n < chars.size(); ++n) {
        const __m128i c = _mm_set1_epi8(chars[n]);
        uint64_t found = 0;
        for (size_t i = 0; i < 4; ++i)
            found |= uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(parts[i], c)))) << kAt[i];
        out.places[n] = found;
    }
    return true;
}

[[gnu::target("avx2")]] inline __m256i upperAvx2(__m256i x)
{
    const __m256i small = _mm256_and_si256(_mm256_cmpgt_epi8(x, _mm256_set1_epi8('a' - 1)),
                                           _mm256_cmpgt_epi8(_mm256_set1_epi8('z' + 1), x));
    return _mm256_sub_epi8(x, _mm256_and_si256(small, _mm256_set1_epi8(0x20)));
}

[[gnu::target("avx2")]] inline uint64_t placesAvx2(__m256i first, __m256i second, char c)
{
    const __m256i v = _mm256_set1_epi8(c);
    return uint64_t(uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(first, v))))
           | uint64_t(uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(second, v)))) << (kTitle - 32);
}

// Thirty-two bytes at a time: two parts, overlapping in the middle.
[[gnu::target("avx2")]] bool readAvx2(const char* title, std::string_view chars, TitlePlaces& out)
{
    constexpr size_t kSecond = kTitle - 32;
    const __m256i x0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(title));
    const __m256i x1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(title + kSecond));
    if (_mm256_movemask_epi8(_mm256_or_si256(x0, x1)) != 0) return false;
    const __m256i u0 = upperAvx2(x0), u1 = upperAvx2(x1);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out.upper), u0);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out.upper + kSecond), u1);
    std::memset(out.upper + kTitle, 0, sizeof out.upper - kTitle);
    out.nonBlanks = ~placesAvx2(x0, x1, ' ') & ((uint64_t(1) << kTitle) - 1);
    for (size_t n = 0; n < chars.size(); ++n) out.places[n] = placesAvx2(u0, u1, chars[n]);
    return true;
}

bool runsAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

#endif

}  // namespace

std::vector<std::pair<const char*, TitleReader>> titleReaders()
{
    std::vector<std::pair<const char*, TitleReader>> readers{{"plain", readPlain}};
#if defined(QUILLON_X86)
    readers.emplace_back("SSE2", readSse2);
    if (runsAvx2()) readers.emplace_back("AVX2", readAvx2);
#endif
    return readers;
}

TitleReader fastestTitleReader()
{
    static const TitleReader fastest = titleReaders().back().second;
    return fastest;
}

size_t trimmedSize(const TitlePlaces& title)
{
    if (title.nonBlanks == 0) return 0;
    return size_t(64 - std::countl_zero(title.nonBlanks) - std::countr_zero(title.nonBlanks));
}
