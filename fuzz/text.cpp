// Reading numbers and lines from text, and the numbers written for them to read back.
#include "fuzz_support.h"
#include "logic/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const double v = in.finite();
    const std::string plain = qtext::plainNumber(v);
    FUZZ_CHECK(qtext::val(plain) == v && qtext::isNumberText(plain));
    FUZZ_CHECK(plain.find_first_not_of("-.0123456789") == std::string::npos);
    FUZZ_CHECK(qtext::paddedNumber(v) == (v < 0 ? "" : " ") + plain + " ");
    FUZZ_CHECK(qtext::val(qtext::paddedNumber(v)) == v);

    const long minutes = in.number<uint16_t>(), seconds = in.number<uint8_t>() % 60;
    const std::string time = qtext::timeText(minutes, seconds);
    FUZZ_CHECK(qtext::val(time) == double(minutes) && qtext::val(time.substr(time.find(':') + 1)) == double(seconds));

    const std::string_view text = in.rest();
    const double read = qtext::val(text);
    FUZZ_CHECK(!std::isnan(read));
    // A number text reads as the same number wherever its blanks are.
    if (qtext::isNumberText(text)) FUZZ_CHECK(qtext::val(qtext::trim(text)) == read);
    FUZZ_CHECK(qtext::trimmed(text) == qtext::trim(text));
    size_t total = 0, lines = 0;
    for (const std::string_view line : qtext::splitLines(text)) {
        FUZZ_CHECK(!qtext::holdsLineBreak(line));
        FUZZ_CHECK(line.data() == text.data() + total);
        total += line.size();
        total += text.substr(total, 2) == "\r\n" ? 2 : total < text.size() ? 1 : 0;
        ++lines;
    }
    FUZZ_CHECK(total == text.size());
    FUZZ_CHECK(lines > 0 || text.empty());
    return 0;
}
