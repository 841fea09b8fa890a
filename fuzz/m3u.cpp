// M3U playlists from other players matched to an album's records: every entry is either
// a record of the album or named as unknown, a record found is the first with its folder
// and MP3 name, and a plain path written for a record finds that record again.
#include <algorithm>
#include <cctype>

#include "fuzz_support.h"
#include "logic/m3u_playlist.h"
#include "logic/playlist.h"
#include "logic/search_fold.h"
#include "logic/text.h"

namespace {

// A folder or name the path of an entry can carry unchanged.
bool plain(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile albumFile("m3u.qdb");
    fuzz::Input in(data, size);
    const bool foldCase = in.flag();
    const std::string folder(in.piece());
    AlbumFile album;
    FUZZ_CHECK(album.open(albumFile.write(in.longPiece())));
    const std::string_view bytes = in.rest();
    const TrackIndex index(album, foldCase);

    const M3uMatch match = matchM3u(bytes, folder, index);
    FUZZ_CHECK(match.entries == match.records.size() + match.unknown.size());
    const auto keyOf = [&](int32_t n) {
        const TrackRecord rec = parseRecord(readRecords(album, {n}).at(0));
        return std::pair(utf8Of(qtext::trim(rec.Folder)), utf8Of(qtext::trim(rec.Mp3Name)));
    };
    for (const int32_t record : match.records) {
        FUZZ_CHECK(record >= 1 && record <= album.recordCount());
        const auto [own, name] = keyOf(record);
        FUZZ_CHECK(index.find(own, name) == record);
    }
    (void)m3uPartlyLoadedMessage("x.m3u", match);
    (void)m3uNoTrackMessage("x.m3u", match);

    // Each record's own path, relative to the playlist's folder, finds it (or the first record like it).
    std::vector<M3uItem> items;
    std::vector<int32_t> expected;
    for (int32_t n = 1; n <= std::min(album.recordCount(), 64); ++n) {
        const auto [own, name] = keyOf(n);
        if (!plain(own) || !plain(name)) continue;
        items.push_back({-1, "t", own + "/" + name + ".mp3"});
        expected.push_back(index.find(own, name));
    }
    const M3uMatch again = matchM3u(m3uText(items), folder, index);
    FUZZ_CHECK(again.entries == items.size() && again.records == expected);
    return 0;
}
