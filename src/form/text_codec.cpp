#include "form/text_codec.h"

#include "logic/cp1252.h"
#include "logic/search_fold.h"

namespace {

QString fromCp1252(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (const char c : bytes) out.append(QChar(char16_t(cp1252::toChar(static_cast<unsigned char>(c)))));
    return out;
}

}  // namespace

QString toDisplay(std::string_view bytes)
{
    // The rule searching reads stored text by, so what is shown is what is searched.
    if (isValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    return fromCp1252(bytes);
}

std::string toStored(const QString& text)
{
    std::string out;
    out.reserve(size_t(text.size()));
    for (const QChar ch : text) {
        const int b = cp1252::toByte(ch.unicode());
        if (b < 0) return text.toStdString();
        out += char(b);
    }
    return out;
}
