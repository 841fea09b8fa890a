#include "logic/text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace qtext {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the number at the start of s: optional sign, then digits with at most
// one decimal point. digits counts the digits taken (0 means no number).
size_t numberPrefix(std::string_view s, int& digits)
{
    size_t i = 0;
    digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return i;
}

}  // namespace

std::string_view trim(std::string_view s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::string trimmed(std::string_view s)
{
    return std::string(trim(s));
}

double val(std::string_view s)
{
    size_t start = 0;
    while (start < s.size() && (s[start] == ' ' || s[start] == '\t')) ++start;
    s.remove_prefix(start);

    int digits = 0;
    const size_t len = numberPrefix(s, digits);
    if (digits == 0) return 0;

    std::string_view body = s.substr(0, len);
    const bool negative = body.front() == '-';
    if (body.front() == '+' || body.front() == '-') body.remove_prefix(1);
    // from_chars ignores the locale, unlike strtod: the decimal point is always '.'.
    double v = 0;
    std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::fixed);
    return negative ? -v : v;
}

std::string plainNumber(double v)
{
    if (v == 0 || !std::isfinite(v)) return "0";  // also turns -0 into "0"
    // Fixed notation with the fewest digits that read back to v: never an exponent,
    // which val() would stop at. The longest, 5e-324, takes 326 characters.
    char buf[400];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

std::string paddedNumber(double v)
{
    const std::string digits = plainNumber(v);
    return (digits.front() == '-' ? "" : " ") + digits + " ";
}

std::string timeText(long minutes, long seconds)
{
    auto part = [](long x) { return (x >= 0 && x < 10 ? "0" : "") + std::to_string(x); };
    return part(minutes) + ":" + part(seconds);
}

bool isNumberText(std::string_view s)
{
    s = trim(s);
    if (s.empty()) return true;
    int digits = 0;
    return numberPrefix(s, digits) == s.size() && digits > 0;
}

bool holdsLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::vector<std::string_view> splitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < content.size()) {
        const size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(content.substr(start));
            break;
        }
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
        if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace qtext
