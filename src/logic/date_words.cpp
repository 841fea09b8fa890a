#include "logic/date_words.h"

#include <array>

#include "logic/text.h"

namespace {

const char* daySuffix(double day)
{
    if (day == 1 || day == 21 || day == 31) return "st";
    if (day == 2 || day == 22) return "nd";
    if (day == 3 || day == 23) return "rd";
    return "th";
}

constexpr std::array<const char*, 12> kMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

}  // namespace

void formatTrackDate(std::string_view trackDate, DateWords& dw)
{
    const std::string_view t = qtext::trim(trackDate);
    const double day = qtext::val(t.substr(0, 2));
    const double month = qtext::val(t.size() > 2 ? t.substr(2, 2) : std::string_view());
    // The year is read from the end, so a short date like "2101" still has one.
    const double year = qtext::val(t.substr(t.size() > 4 ? t.size() - 4 : 0));

    dw.dayText = qtext::plainNumber(day) + daySuffix(day);
    for (size_t m = 1; m <= kMonths.size(); ++m)
        if (month == double(m)) dw.monthText = kMonths[m - 1];
    dw.yearText = (year < 0 ? "" : " ") + qtext::plainNumber(year);
}

std::string trackDisplayLine(const TrackRecord& rec, DateWords& dw)
{
    formatTrackDate(rec.TrackDate, dw);
    std::string line = qtext::trimmed(rec.Title) + " - " + dw.dayText + " " + dw.monthText + dw.yearText +
                       " (" + qtext::trimmed(rec.PlayTime) + ")";
    if (rec.Lineside != 0) line = qtext::trimmed(line) + " [LS]";
    return line;
}
