#include "form/text_codec.h"

#include <QByteArrayView>
#include <algorithm>
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

QString toDisplay(std::string_view bytes)
{
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    if (view.isValidUtf8()) return QString::fromUtf8(view);
    return fromCp1252(bytes);
}

std::string toStored(const QString& text)
{
    std::string out;
    out.reserve(size_t(text.size()));
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        const auto* at = std::find(kCp1252High.begin(), kCp1252High.end(), u);
        if (at == kCp1252High.end()) return text.toStdString();
        out += char(0x80 + (at - kCp1252High.begin()));
    }
    return out;
}
