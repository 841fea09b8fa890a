#pragma once
// Display lines for searching: written record by record into a reused buffer, so a
// search formats nothing up front, and kept end to end in one text, so a list of a
// million lines costs two allocations rather than a million.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/date_words.h"
#include "logic/search_fold.h"
#include "logic/track_record.h"

class LineList {
public:
    void add(std::string_view line)
    {
        text_ += line;
        ends_.push_back(text_.size());
    }
    // Adds a line that write(std::string&) appends to the text.
    template <typename Write> void addWritten(Write&& write)
    {
        write(text_);
        ends_.push_back(text_.size());
    }
    void clear();

    size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](size_t i) const
    {
        const size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    const std::string& text() const { return text_; }
    const std::vector<size_t>& ends() const { return ends_; }

private:
    std::string text_;
    std::vector<size_t> ends_;
};

// Writes the display lines of records taken in album order, each as trackDisplayLine
// gives it with the month carried from line to line, straight into a text used again.
class DisplayLineWriter {
public:
    // monthBefore: the month text shown until a record names a month.
    explicit DisplayLineWriter(std::string monthBefore) : carried_(std::move(monthBefore)) {}
    // Appends the line of the next record to out.
    void write(const RecordView& record, std::string& out);
    // The length of the next record's line, not written; date is its date field read by
    // dateDigits, titleSize the length of its title without leading and trailing blanks.
    size_t measure(const RecordView& record, const DateNumbers& date, size_t titleSize);
    // Appends it in the form searches compare (searchForm); returns its length as shown.
    size_t writeSearchForm(const RecordView& record, std::string& out)
    {
        const size_t at = out.size();
        write(record, out);
        const size_t shown = out.size() - at;
        toSearchForm(out, at);
        return shown;
    }
    // For the next record, whose date is of digits only: true when its line shows a
    // month's name, not a carried text.
    bool namesMonth(const DateNumbers& date) const { return (date.month >= 1 && date.month <= 12) || month_ != 0; }
    // Takes the month of the next record, whose date is of digits only, without writing its line.
    void pass(const DateNumbers& date)
    {
        if (date.month >= 1 && date.month <= 12) month_ = date.month;
    }

    struct Pieces;  // of a line, in the order they are shown

private:
    Pieces next(const RecordView& record);                           // takes the carried month on to the record's
    Pieces next(const RecordView& record, const DateNumbers& date);  // the same, its date read already
    Pieces pieces(const RecordView& record, const std::optional<DateNumbers>& date) const;

    int month_ = 0;  // the month carried, or 0 for carried_
    std::string carried_;
    DateWords words_;  // for a date field not of digits only
};
