#pragma once
// One search over the first lines of an album, run in pieces: each call goes on where
// the last one stopped, so a search of a large album need not hold the window. Lines
// are formatted as they are searched, a block of records at a time, and each word is
// looked for once through the whole block rather than once a line. Records whose
// titles settle the matter (SearchSieve) are not formatted at all.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logic/search.h"
#include "logic/search_lines.h"
#include "logic/search_sieve.h"

class SearchRun {
public:
    // monthBefore: the month text shown before the first line, as the track list has it.
    SearchRun(SearchQuery query, int32_t lines, std::string monthBefore);
    ~SearchRun();
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    // Searches a block of records at a time until keepOn() says no (asked after each
    // block) or the last line is searched; adds each result's record number to records,
    // in album order, and raises widest to the length of any longer line found.
    void run(AlbumFile& album, const std::function<bool()>& keepOn, std::vector<int32_t>& records, size_t& widest);
    bool ended() const { return next_ > lines_; }

private:
    class Finder;  // one word's search through a block, prepared once
    // Marks the lines of folded_ that are results; codes_ holds each line's Code field.
    void markResults();

    SearchQuery query_;
    SearchSieve sieve_;
    std::vector<std::unique_ptr<Finder>> finders_;  // for each word, or the phrase
    int32_t lines_;
    int32_t next_ = 1;
    DisplayLineWriter writer_;
    std::string block_, codes_;
    // For each line written: its record's place in the block, and its length as shown.
    std::vector<int32_t> rows_;
    std::vector<size_t> shownSizes_;
    struct Decided {
        int32_t row;  // the record's place in the block
        size_t shownSize;
    };
    std::vector<Decided> decided_;  // results the sieve found without writing their lines
    LineList folded_;
    std::vector<uint8_t> holds_, results_;
};
