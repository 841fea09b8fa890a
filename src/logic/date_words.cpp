#include "logic/date_words.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "logic/text.h"

namespace {

int numberOf(std::string_view digits)
{
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

void assignNumber(std::string& out, std::string_view before, int value, std::string_view after)
{
    char digits[16];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
    out.assign(before).append(digits, r.ptr).append(after);
}

std::string displayLine(std::string_view title, std::string_view trackDate, std::string_view playTime, int16_t lineside,
                        DateWords& dw)
{
    formatTrackDate(trackDate, dw);
    std::string line;
    line.reserve(96);
    line.append(qtext::trim(title)).append(" - ").append(dw.dayText).append(" ").append(dw.monthText);
    line.append(dw.yearText).append(" (").append(qtext::trim(playTime)).append(")");
    if (lineside != 0) line = qtext::trimmed(line) + " [LS]";
    return line;
}

}  // namespace

const char* daySuffix(double day)
{
    if (day == 1 || day == 21 || day == 31) return "st";
    if (day == 2 || day == 22) return "nd";
    if (day == 3 || day == 23) return "rd";
    return "th";
}

std::optional<DateNumbers> unusualDateDigits(std::string_view trackDate)
{
    const std::string_view t = qtext::trim(trackDate);
    if (t.empty()) return std::nullopt;
    for (const char c : t)
        if (c < '0' || c > '9') return std::nullopt;
    // The same parts val() reads: the day from two characters, the month from the next
    // two, the year from the last four.
    return DateNumbers{numberOf(t.substr(0, 2)), numberOf(t.size() > 2 ? t.substr(2, 2) : std::string_view()),
                       numberOf(t.substr(t.size() > 4 ? t.size() - 4 : 0))};
}

std::string_view monthName(int month)
{
    static constexpr std::string_view kMonths[] = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December",
    };
    return month >= 1 && month <= 12 ? kMonths[month - 1] : std::string_view();
}

double monthNumber(std::string_view trackDate)
{
    const std::string_view t = qtext::trim(trackDate);
    return qtext::val(t.size() > 2 ? t.substr(2, 2) : std::string_view());
}

void formatTrackDate(std::string_view trackDate, DateWords& dw)
{
    if (const std::optional<DateNumbers> n = dateDigits(trackDate)) {
        assignNumber(dw.dayText, "", n->day, daySuffix(n->day));
        if (n->month >= 1 && n->month <= 12) dw.monthText = monthName(n->month);
        assignNumber(dw.yearText, " ", n->year, "");
        return;
    }
    const std::string_view t = qtext::trim(trackDate);
    const double day = qtext::val(t.substr(0, 2));
    const double month = monthNumber(trackDate);
    // The year is read from the end, so a short date like "2101" still has one.
    const double year = qtext::val(t.substr(t.size() > 4 ? t.size() - 4 : 0));

    dw.dayText = qtext::plainNumber(day) + daySuffix(day);
    if (month >= 1 && month <= 12 && month == int(month)) dw.monthText = monthName(int(month));
    dw.yearText = (year < 0 ? "" : " ") + qtext::plainNumber(year);
}

std::string trackDisplayLine(const TrackRecord& rec, DateWords& dw)
{
    return displayLine(rec.Title, rec.TrackDate, rec.PlayTime, rec.Lineside, dw);
}

std::string trackDisplayLine(const RecordView& rec, DateWords& dw)
{
    return displayLine(rec.Title(), rec.TrackDate(), rec.PlayTime(), rec.Lineside(), dw);
}
