#pragma once
// The characters of Windows-1252, the single-byte encoding stored text is in when it
// is not UTF-8.
#include <algorithm>
#include <array>

namespace cp1252 {

// Bytes 0x80..0x9F; the five bytes Windows-1252 leaves undefined map to the C1 code
// point of the same value, as Windows itself does. Every other byte is its own code point.
inline constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t toChar(unsigned char b)
{
    return b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : b;
}

// The byte of a character, or -1 when Windows-1252 has none for it.
constexpr int toByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
    const auto* at = std::find(kHigh.begin(), kHigh.end(), c);
    return at == kHigh.end() ? -1 : int(0x80 + (at - kHigh.begin()));
}

}  // namespace cp1252
