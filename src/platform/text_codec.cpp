#include "platform/text_codec.h"

#include <array>
#include <cstdint>

namespace {

// Windows-1252 0x80..0x9F; the five bytes it leaves undefined map to the C1 code
// point of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromCp1252(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(QChar(b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char16_t(b)));
    }
    return out;
}

}  // namespace

bool isValidUtf8(std::string_view bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int more;
        uint32_t cp;
        if (b < 0x80) { ++i; continue; }
        if (b >= 0xC2 && b <= 0xDF) { more = 1; cp = b & 0x1F; }
        else if (b >= 0xE0 && b <= 0xEF) { more = 2; cp = b & 0x0F; }
        else if (b >= 0xF0 && b <= 0xF4) { more = 3; cp = b & 0x07; }
        else return false;  // continuation byte first, overlong lead 0xC0/0xC1, or beyond U+10FFFF
        if (bytes.size() - i <= size_t(more)) return false;  // sequence cut short
        for (int k = 1; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + size_t(k)]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, UTF-16 surrogates and code points past U+10FFFF are not UTF-8.
        if ((more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += size_t(more) + 1;
    }
    return true;
}

QString toDisplay(std::string_view bytes)
{
    if (isValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    return fromCp1252(bytes);
}

std::string fromDisplay(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), size_t(utf8.size()));
}
