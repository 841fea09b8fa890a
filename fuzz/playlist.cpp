// Playlist files, the working one and ".pll" files from other systems: entries read
// alike in one pass and one at a time, written back to a file that reads the same,
// and new entries appended after any content.
#include "fuzz_support.h"
#include "logic/playlist.h"
#include "logic/playlist_files.h"
#include "logic/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const int32_t record = in.number<int32_t>();
    std::string path(in.piece());
    for (char& c : path)
        if (c == '\r' || c == '\n') c = ' ';
    const std::string_view bytes = in.rest();

    const std::vector<PlaylistEntry> entries = parsePlaylist(bytes);
    for (size_t i = 0; i <= entries.size(); ++i) {
        const std::optional<PlaylistEntry> one = playlistEntryAt(bytes, i);
        FUZZ_CHECK(one.has_value() == (i < entries.size()));
        if (one)
            FUZZ_CHECK(one->albumPath == entries[i].albumPath && one->recordLine == entries[i].recordLine
                       && one->cut == entries[i].cut);
    }
    for (size_t i = 0; i + 1 < entries.size(); ++i) FUZZ_CHECK(!entries[i].cut);

    // Written back, every entry keeps its album and its number (or its line, when it holds none).
    const std::string written = serializePlaylist(entries);
    const std::vector<PlaylistEntry> again = parsePlaylist(written);
    FUZZ_CHECK(again.size() == entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(again[i].albumPath == entries[i].albumPath && !again[i].cut);
        FUZZ_CHECK(recordNumberOf(again[i]) == recordNumberOf(entries[i]));
        if (!recordNumberOf(entries[i])) FUZZ_CHECK(again[i].recordLine == entries[i].recordLine);
    }
    FUZZ_CHECK(serializePlaylist(again) == written);

    // An entry appended to any content is read as the last one, whole.
    const std::string appended = appendablePlaylist(bytes) + playlistEntryText(path, record);
    const std::vector<PlaylistEntry> longer = parsePlaylist(appended);
    FUZZ_CHECK(!longer.empty() && longer.back().albumPath == path && recordNumberOf(longer.back()) == record);
    FUZZ_CHECK(longer.size() == entries.size() + 1);
    for (size_t i = 0; i < entries.size(); ++i) FUZZ_CHECK(longer[i].albumPath == entries[i].albumPath);

    // The album a ".pll" file was made with.
    const AlbumCheck check = checkPlaylistAlbum(bytes, path);
    const std::string name = playlistAlbumName(bytes);
    FUZZ_CHECK((check == AlbumCheck::NoEntry) == entries.empty());
    if (check == AlbumCheck::Same || check == AlbumCheck::Different)
        FUZZ_CHECK((check == AlbumCheck::Same) == (name == fileNameOf(path)));
    FUZZ_CHECK(name.find_first_of("/\\") == std::string::npos);
    const bool separated = path.find_first_of("/\\") != std::string::npos;
    FUZZ_CHECK(folderBeforeName(path).size() + separated + fileNameOf(path).size() == path.size());
    return 0;
}
