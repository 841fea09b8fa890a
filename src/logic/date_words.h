#pragma once
// The recording date in words and the one-line text of a track.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "logic/track_record.h"

// The three parts of the last formatted date. monthText keeps its previous value
// when a record's month is out of range, so one DateWords lives as long as the program.
struct DateWords {
    std::string dayText;    // "5th", "21st"
    std::string monthText;  // "May"
    std::string yearText;   // " 1975" (with its leading blank)
};

// Formats the TrackDate field (ddmmyyyy, blank padded) into dw.
void formatTrackDate(std::string_view trackDate, DateWords& dw);

// The numbers formatTrackDate reads from a field that holds digits only between its
// blanks, as nearly every stored date does; nullopt for any other field.
struct DateNumbers {
    int day = 0, month = 0, year = 0;
};
// Any field but the usual one: eight digits and two blanks.
std::optional<DateNumbers> unusualDateDigits(std::string_view trackDate);
inline std::optional<DateNumbers> dateDigits(std::string_view trackDate)
{
    if (trackDate.size() == 10 && trackDate[8] == ' ' && trackDate[9] == ' ') {
        uint64_t w;
        std::memcpy(&w, trackDate.data(), 8);
        // A digit is 0x3N with N at most 9, so N + 6 stays below 0x10.
        const bool digits = (w & 0xF0F0F0F0F0F0F0F0ull) == 0x3030303030303030ull
                            && (((w & 0x0F0F0F0F0F0F0F0Full) + 0x0606060606060606ull) & 0x1010101010101010ull) == 0;
        if (digits) {
            const auto at = [&](int i) { return int(trackDate[size_t(i)] - '0'); };
            return DateNumbers{at(0) * 10 + at(1), at(2) * 10 + at(3), ((at(4) * 10 + at(5)) * 10 + at(6)) * 10 + at(7)};
        }
    }
    return unusualDateDigits(trackDate);
}
// "st", "nd", "rd" or "th" after a day number.
const char* daySuffix(double day);
// No formatted date is longer than "0.1th September 0.001": the day is read from two
// characters (".1" at the longest), the year from four (".001").
inline constexpr size_t kLongestDateWords = 5 + 1 + 9 + 6;

// Title - date in words (playing time), and " [LS]" for a lineside recording.
// Formats the date into dw as a side effect.
std::string trackDisplayLine(const TrackRecord& rec, DateWords& dw);
std::string trackDisplayLine(const RecordView& rec, DateWords& dw);

// "January" for 1 … "December" for 12; empty otherwise.
std::string_view monthName(int month);

// The month number a TrackDate field holds; formatTrackDate names months 1 to 12 only.
double monthNumber(std::string_view trackDate);
