#include "logic/search_fold.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "logic/cp1252.h"

namespace {

constexpr char32_t upperOf(char32_t c)
{
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c <= 0x17F) {
        // Latin Extended-A pairs each capital with the small letter after it.
        if (c == 0x131) return 'I';
        if (c == 0x17F) return 'S';
        if (c == 0x138 || c == 0x149 || c == 0x178 || c == 0x130) return c;
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        return (c % 2 == 1) != oddCapitals ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : c - 0x20;  // Greek, final sigma
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;  // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

// Windows-1252 bytes in upper case, where the upper-case letter has a byte too.
constexpr auto kUpper1252 = [] {
    std::array<char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const int upper = cp1252::toByte(upperOf(cp1252::toChar(static_cast<unsigned char>(b))));
        table[size_t(b)] = static_cast<char>(upper < 0 ? b : upper);
    }
    return table;
}();

// The character at bytes[i] of valid UTF-8; i moves past it.
char32_t nextUtf8(std::string_view bytes, size_t& i)
{
    const auto b = static_cast<unsigned char>(bytes[i++]);
    if (b < 0x80) return b;
    const int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    char32_t c = b & (0x3F >> more);
    for (int k = 0; k < more; ++k) c = (c << 6) | (static_cast<unsigned char>(bytes[i++]) & 0x3F);
    return c;
}

void appendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendUpper1252(std::string_view bytes, std::string& out)
{
    const size_t at = out.size();
    out.resize(at + bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) out[at + i] = kUpper1252[static_cast<unsigned char>(bytes[i])];
}

constexpr uint64_t kEachByte = 0x0101010101010101ull;

uint64_t word8(const char* p)
{
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// The same as appendUpper1252 for ASCII, eight bytes at a time: a byte from 'a' to 'z'
// is the one that reaches 0x80 when 0x1F is added and not when 0x05 is. from and to
// may be the same.
void upperAscii(const char* from, size_t size, char* to)
{
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        const uint64_t w = word8(from + i);
        const uint64_t small = (w + 0x1F * kEachByte) & ~(w + 0x05 * kEachByte) & (0x80 * kEachByte);
        const uint64_t upper = w - (small >> 2);
        std::memcpy(to + i, &upper, 8);
    }
    for (; i < size; ++i) to[i] = kUpper1252[static_cast<unsigned char>(from[i])];
}

void appendUpperAscii(std::string_view bytes, std::string& out)
{
    const size_t at = out.size();
    out.resize(at + bytes.size());
    upperAscii(bytes.data(), bytes.size(), out.data() + at);
}

void appendUpperUtf8(std::string_view bytes, std::string& out)
{
    for (size_t i = 0; i < bytes.size();) appendUtf8(upperOf(nextUtf8(bytes, i)), out);
}

}  // namespace

bool isAsciiText(std::string_view bytes)
{
    uint64_t any = 0;  // no early exit: the loop stays a plain run over whole words
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) any |= word8(bytes.data() + i);
    for (; i < bytes.size(); ++i) any |= static_cast<unsigned char>(bytes[i]);
    return (any & (0x80 * kEachByte)) == 0;
}

bool isValidUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const int more = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : -1;
        if (more < 0 || bytes.size() - i <= size_t(more)) return false;
        // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        const unsigned char low = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
        if (second < low || second > high) return false;
        for (int k = 2; k <= more; ++k)
            if ((static_cast<unsigned char>(bytes[i + size_t(k)]) & 0xC0) != 0x80) return false;
        i += size_t(more) + 1;
    }
    return true;
}

std::string utf8Of(std::string_view bytes)
{
    if (isValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) appendUtf8(cp1252::toChar(static_cast<unsigned char>(c)), out);
    return out;
}

char32_t upperChar(char32_t c)
{
    return upperOf(c);
}

std::string upperText(std::string_view bytes)
{
    std::string out;
    if (isAsciiText(bytes) || !isValidUtf8(bytes)) appendUpper1252(bytes, out);
    else appendUpperUtf8(bytes, out);
    return out;
}

void appendSearchForm(std::string_view bytes, std::string& out)
{
    if (isAsciiText(bytes)) {
        appendUpperAscii(bytes, out);
    } else if (isValidUtf8(bytes)) {
        appendUpperUtf8(bytes, out);
    } else {
        for (const char c : bytes) appendUtf8(upperOf(cp1252::toChar(static_cast<unsigned char>(c))), out);
    }
}

void toSearchForm(std::string& text, size_t from)
{
    const std::string_view tail = std::string_view(text).substr(from);
    if (isAsciiText(tail)) {
        upperAscii(tail.data(), tail.size(), text.data() + from);
        return;
    }
    const std::string bytes(tail);
    text.resize(from);
    appendSearchForm(bytes, text);
}

std::string searchForm(std::string_view bytes)
{
    std::string out;
    appendSearchForm(bytes, out);
    return out;
}
