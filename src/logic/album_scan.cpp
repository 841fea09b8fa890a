#include "logic/album_scan.h"

#include <algorithm>

#include "logic/date_words.h"
#include "logic/text.h"

namespace {

// Everything a display line adds to its title and playing time: " - ", the date in
// words, " (", ")" and " [LS]".
constexpr size_t kLineFrame = 3 + kLongestDateWords + 2 + 1 + 5;

int wholeMonth(double month)
{
    return month >= 1 && month <= 12 && month == int(month) ? int(month) : 0;
}

}  // namespace

int AlbumScan::carriedMonth(int32_t line) const
{
    const auto it = std::upper_bound(carriedMonths.begin(), carriedMonths.end(), line,
                                     [](int32_t l, const MonthRun& run) { return l < run.first; });
    return it != carriedMonths.begin() && line <= std::prev(it)->last ? std::prev(it)->month : -1;
}

void AlbumScan::append(AlbumScan&& piece)
{
    records = piece.records;
    codes.insert(codes.end(), std::make_move_iterator(piece.codes.begin()), std::make_move_iterator(piece.codes.end()));
    auto run = piece.carriedMonths.begin();
    // A run of lines without a month may go on across the pieces' boundary.
    if (run != piece.carriedMonths.end() && !carriedMonths.empty() && carriedMonths.back().last + 1 == run->first) {
        carriedMonths.back().last = run->last;
        ++run;
    }
    carriedMonths.insert(carriedMonths.end(), run, piece.carriedMonths.end());
    lastMonth = piece.lastMonth;
    widestLine = piece.widestLine;
}

AlbumScan AlbumScanner::scan(std::string_view records)
{
    AlbumScan piece;
    for (size_t at = 0; at + kRecordSize <= records.size(); at += kRecordSize) {
        const RecordView rec(records.substr(at, kRecordSize));
        const int32_t line = next_++;
        const std::string_view code = qtext::trim(rec.Code());
        if (!code.empty() && seen_.find(code) == seen_.end()) {
            seen_.emplace(code);
            piece.codes.emplace_back(code);
        }
        if (const int month = wholeMonth(monthNumber(rec.TrackDate()))) lastMonth_ = month;
        else if (!piece.carriedMonths.empty() && piece.carriedMonths.back().last + 1 == line)
            piece.carriedMonths.back().last = line;
        else piece.carriedMonths.push_back({line, line, lastMonth_});
        widest_ = std::max(widest_, qtext::trim(rec.Title()).size() + qtext::trim(rec.PlayTime()).size() + kLineFrame);
    }
    piece.records = next_;
    piece.lastMonth = lastMonth_;
    piece.widestLine = widest_;
    return piece;
}

AlbumScan scanAlbum(AlbumFile& album)
{
    AlbumScanner scanner;
    AlbumScan scan;
    std::string buffer;
    constexpr int32_t kBlock = 4096;
    const int32_t total = album.recordCount();
    for (int32_t first = 1; first <= total; first += kBlock) {
        if (!album.readBlock(first, std::min(kBlock, total - first + 1), buffer)) break;
        scan.append(scanner.scan(buffer));
    }
    return scan;
}
