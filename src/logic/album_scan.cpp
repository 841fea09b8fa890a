#include "logic/album_scan.h"

#include <algorithm>
#include <unordered_set>

#include "logic/date_words.h"
#include "logic/text.h"

namespace {

// Looks codes up by view, so a code already seen costs no copy.
struct CodeHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

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
    const auto it = std::lower_bound(carriedMonths.begin(), carriedMonths.end(), std::make_pair(line, -1));
    return it != carriedMonths.end() && it->first == line ? it->second : -1;
}

AlbumScan scanAlbum(AlbumFile& album)
{
    AlbumScan scan;
    std::unordered_set<std::string, CodeHash, std::equal_to<>> seen;
    album.forEach([&](int32_t n, const RecordView& rec) {
        scan.records = n;
        const std::string_view code = qtext::trim(rec.Code());
        if (!code.empty() && seen.find(code) == seen.end()) {
            seen.emplace(code);
            scan.codes.emplace_back(code);
        }
        if (const int month = wholeMonth(monthNumber(rec.TrackDate())))
            scan.lastMonth = month;
        else
            scan.carriedMonths.emplace_back(n - 1, scan.lastMonth);
        scan.widestLine = std::max(scan.widestLine, qtext::trim(rec.Title()).size() +
                                                        qtext::trim(rec.PlayTime()).size() + kLineFrame);
    });
    return scan;
}
