#include "logic/search_lines.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

void LineList::clear()
{
    text_.clear();
    ends_.clear();
}

namespace {

// The high bit of each byte of w that is not a blank.
uint64_t nonBlanks(uint64_t w)
{
    constexpr uint64_t kBlanks = 0x2020202020202020ull, kLow = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = w ^ kBlanks;
    return (((x & kLow) + kLow) | x) & ~kLow;
}

// qtext::trim, eight bytes at a time, where a padded field has most of its blanks.
std::string_view blankTrimmed(std::string_view s)
{
    size_t first = 0, last = s.size();
    uint64_t w;
    if constexpr (std::endian::native == std::endian::little) {
        for (; last >= 8; last -= 8) {
            std::memcpy(&w, s.data() + last - 8, 8);
            if (const uint64_t found = nonBlanks(w)) {
                last -= size_t(std::countl_zero(found)) / 8;
                break;
            }
        }
        if (last >= 8) {
            std::memcpy(&w, s.data(), 8);
            first = size_t(std::countr_zero(nonBlanks(w))) / 8;  // 8 when all are blanks
        }
    }
    while (last > 0 && s[last - 1] == ' ') --last;
    while (first < last && s[first] == ' ') ++first;
    return s.substr(first, last - first);
}

char* put(char* p, std::string_view text)
{
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

char* putNumber(char* p, int value)
{
    if (value >= 1000 && value <= 9999) {
        for (int i = 3; i >= 0; --i, value /= 10) p[i] = char('0' + value % 10);
        return p + 4;
    }
    return std::to_chars(p, p + 16, value).ptr;
}

// "1st" … "99th" and "0th": the day words of every two-digit day.
struct DayWords {
    char text[100][5];
    unsigned char size[100];
};
const DayWords kDays = [] {
        DayWords w{};
        for (int day = 0; day < 100; ++day) {
            char* end = std::to_chars(w.text[day], w.text[day] + 2, day).ptr;
            std::memcpy(end, daySuffix(day), 2);
            w.size[day] = static_cast<unsigned char>(end + 2 - w.text[day]);
        }
        return w;
}();

}  // namespace

void DisplayLineWriter::write(const RecordView& record, std::string& out)
{
    const std::string_view title = blankTrimmed(record.Title()), time = blankTrimmed(record.PlayTime());
    const std::optional<DateNumbers> date = dateDigits(record.TrackDate());
    if (date) {
        if (date->month >= 1 && date->month <= 12) month_ = date->month;
    } else {
        words_.monthText.clear();
        formatTrackDate(record.TrackDate(), words_);
        if (!words_.monthText.empty()) {
            month_ = 0;
            carried_ = words_.monthText;
        }
    }
    const std::string_view month = month_ ? monthName(month_) : std::string_view(carried_);
    const bool lineside = record.Lineside() != 0;

    const size_t at = out.size();
    out.resize(at + title.size() + month.size() + time.size() + kLongestDateWords + 16);
    char* const begin = out.data() + at;
    char* p = put(begin, title);
    // A lineside line is trimmed before its mark, which takes the blank before the
    // hyphen when the title is blank; every line ends in ")".
    p = put(p, title.empty() && lineside ? "- " : " - ");
    if (date) {
        p = put(p, std::string_view(kDays.text[date->day], kDays.size[date->day]));
        p = put(put(p, " "), month);
        p = putNumber(put(p, " "), date->year);
    } else {
        p = put(put(put(p, words_.dayText), " "), month);
        p = put(p, words_.yearText);
    }
    p = put(put(put(p, " ("), time), ")");
    if (lineside) p = put(p, " [LS]");
    out.resize(size_t(p - out.data()));
}
