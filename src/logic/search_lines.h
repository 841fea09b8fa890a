#pragma once
// The display lines of a whole album kept ready for searching: as shown and in
// search form, each with its record's code. Formatting 100,000 lines costs several
// times a scan of them, so an album's lines are formatted once and searched often.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logic/search.h"
#include "logic/track_record.h"

class SearchLines {
public:
    // Formats the first `lines` records of the album in order; monthBefore is the
    // month text shown before the first line, carried as the track list carries it.
    void build(AlbumFile& album, int32_t lines, const std::string& monthBefore);
    void clear();
    bool empty() const { return ends_.empty(); }
    int32_t size() const { return int32_t(ends_.size()); }

    std::string_view line(int32_t i) const { return piece(text_, ends_, i); }
    std::string_view foldedLine(int32_t i) const { return piece(folded_, foldedEnds_, i); }
    std::string_view code(int32_t i) const { return std::string_view(codes_).substr(size_t(i) * 4, 4); }

    // The record numbers (from 1) of the lines that are results, in list order.
    std::vector<int32_t> find(const SearchQuery& query) const;

private:
    static std::string_view piece(const std::string& all, const std::vector<size_t>& ends, int32_t i)
    {
        const size_t begin = i == 0 ? 0 : ends[size_t(i) - 1];
        return std::string_view(all).substr(begin, ends[size_t(i)] - begin);
    }
    // A line in search form can differ in length from the line as shown.
    std::string text_, folded_, codes_;
    std::vector<size_t> ends_, foldedEnds_;
};
