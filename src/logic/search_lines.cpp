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

// The digits of a number, written to digits (16 bytes at least).
std::string_view numberText(char* digits, int value)
{
    if (value >= 1000 && value <= 9999) {
        for (int i = 3; i >= 0; --i, value /= 10) digits[i] = char('0' + value % 10);
        return std::string_view(digits, 4);
    }
    return std::string_view(digits, size_t(std::to_chars(digits, digits + 16, value).ptr - digits));
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

struct DisplayLineWriter::Pieces {
    std::string_view title, time, month;
    std::optional<DateNumbers> date;
    bool lineside;
};

namespace {

// Calls put(text) for each piece of a line in turn.
template <typename Put> void eachPiece(const DisplayLineWriter::Pieces& line, const DateWords& words, Put&& put)
{
    put(line.title);
    // A lineside line is trimmed before its mark, which takes the blank before the
    // hyphen when the title is blank; every line ends in ")".
    put(line.title.empty() && line.lineside ? "- " : " - ");
    if (line.date) {
        put(std::string_view(kDays.text[line.date->day], kDays.size[line.date->day]));
        put(" ");
        put(line.month);
        put(" ");
        char digits[16];
        put(numberText(digits, line.date->year));
    } else {
        put(words.dayText);
        put(" ");
        put(line.month);
        put(words.yearText);
    }
    put(" (");
    put(line.time);
    put(")");
    if (line.lineside) put(" [LS]");
}

}  // namespace

DisplayLineWriter::Pieces DisplayLineWriter::next(const RecordView& record)
{
    const std::optional<DateNumbers> date = dateDigits(record.TrackDate());
    if (date) return next(record, *date);
    words_.monthText.clear();
    formatTrackDate(record.TrackDate(), words_);
    if (!words_.monthText.empty()) {
        month_ = 0;
        carried_ = words_.monthText;
    }
    return pieces(record, std::nullopt);
}

DisplayLineWriter::Pieces DisplayLineWriter::next(const RecordView& record, const DateNumbers& date)
{
    pass(date);
    return pieces(record, date);
}

DisplayLineWriter::Pieces DisplayLineWriter::pieces(const RecordView& record, const std::optional<DateNumbers>& date) const
{
    return {blankTrimmed(record.Title()), blankTrimmed(record.PlayTime()),
            month_ ? monthName(month_) : std::string_view(carried_), date, record.Lineside() != 0};
}

void DisplayLineWriter::write(const RecordView& record, std::string& out)
{
    const Pieces line = next(record);
    const size_t at = out.size();
    out.resize(at + line.title.size() + line.month.size() + line.time.size() + kLongestDateWords + 16);
    char* p = out.data() + at;
    eachPiece(line, words_, [&](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    });
    out.resize(size_t(p - out.data()));
}

size_t DisplayLineWriter::measure(const RecordView& record, const DateNumbers& date, size_t titleSize)
{
    pass(date);
    const bool lineside = record.Lineside() != 0;
    const size_t month = month_ ? monthName(month_).size() : carried_.size();
    const size_t year = date.year >= 1000 ? 4 : date.year >= 100 ? 3 : date.year >= 10 ? 2 : 1;
    // The lengths of the pieces eachPiece puts, in its order.
    return titleSize + (titleSize == 0 && lineside ? 2 : 3) + kDays.size[date.day] + 1 + month + 1 + year + 2
           + blankTrimmed(record.PlayTime()).size() + 1 + (lineside ? 5 : 0);
}
