#pragma once
// The recording date in words and the one-line text of a track.
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
std::optional<DateNumbers> dateDigits(std::string_view trackDate);
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
