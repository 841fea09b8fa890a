#include "logic/search_lines.h"

#include "logic/date_words.h"

void SearchLines::build(AlbumFile& album, int32_t lines, const std::string& monthBefore)
{
    clear();
    DateWords date;
    date.monthText = monthBefore;
    ends_.reserve(size_t(lines));
    foldedEnds_.reserve(size_t(lines));
    album.forEach([&](int32_t number, const RecordView& record) {
        if (number > lines) return;
        const std::string line = trackDisplayLine(record, date);
        text_ += line;
        ends_.push_back(text_.size());
        appendSearchForm(line, folded_);
        foldedEnds_.push_back(folded_.size());
        codes_ += record.Code();
    });
}

void SearchLines::clear()
{
    text_.clear();
    folded_.clear();
    codes_.clear();
    ends_.clear();
    foldedEnds_.clear();
}

std::vector<int32_t> SearchLines::find(const SearchQuery& query) const
{
    std::vector<int32_t> found;
    for (int32_t i = 0; i < size(); ++i)
        if (isSearchResult(query, code(i), foldedLine(i))) found.push_back(i + 1);
    return found;
}
