#include "logic/search_lines.h"

#include "logic/date_words.h"

void SearchLines::build(AlbumFile& album, int32_t lines, const std::string& monthBefore)
{
    clear();
    DateWords date;
    date.monthText = monthBefore;
    ends_.reserve(size_t(lines));
    album.forEach([&](int32_t number, const RecordView& record) {
        if (number > lines) return;
        text_ += trackDisplayLine(record, date);
        ends_.push_back(text_.size());
        codes_ += record.Code();
    });
    upperBytesInto(text_, upper_);
}

void SearchLines::clear()
{
    text_.clear();
    upper_.clear();
    codes_.clear();
    ends_.clear();
}

std::vector<int32_t> SearchLines::find(const SearchQuery& query) const
{
    std::vector<int32_t> found;
    for (int32_t i = 0; i < size(); ++i)
        if (isSearchResult(query, code(i), upperLine(i))) found.push_back(i + 1);
    return found;
}
