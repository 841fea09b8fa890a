#pragma once
// Extended M3U playlists (".m3u8", ".m3u"), the form other players read and write:
// "#EXTM3U", then per entry "#EXTINF:<seconds>,<title>" and the file's path. Written
// in UTF-8 with "\n" line ends; read as UTF-8, or as Windows-1252 when not valid UTF-8.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "logic/track_record.h"

// A line longer than this names no file.
inline constexpr size_t kLongestM3uLine = 4096;
// How many unknown entries a message names before "and N more".
inline constexpr size_t kUnknownNamed = 5;

// True for a name ending in ".m3u8" or ".m3u" in any letter case.
bool isM3uName(std::string_view path);

struct M3uItem {
    long long seconds = -1;  // -1: not known
    std::string title;
    std::string path;
};
// The file's text; an item whose path holds a line break cannot be named and is left out.
std::string m3uText(const std::vector<M3uItem>& items);

// An item for a record: its playing time in seconds (-1 when the field holds no "mm:ss"),
// its title trimmed, in UTF-8 and on one line, and the path given.
M3uItem m3uItem(const TrackRecord& rec, std::string path);

// How a playlist in folder names a file: relative with "/" when the file lies below the
// folder, otherwise the path as it is.
std::string m3uPathFrom(std::string_view folder, std::string_view path);

// The working playlist's entries that name a track of the album, as an M3U playlist saved
// into playlistFolder; each file lies where the export would take it from.
std::string m3uFromPlaylist(std::string_view playlistBytes, AlbumFile& album, const std::string& detailsFolder,
                            std::string_view playlistFolder);

// The album's records by folder and MP3 name, compared as this system compares file names.
class TrackIndex {
public:
    explicit TrackIndex(AlbumFile& album, bool foldCase = kFoldsCase);
    // The first record of that folder and name (UTF-8); 0 when none.
    int32_t find(std::string_view folder, std::string_view name) const;
    bool foldsCase() const { return foldCase_; }

#if defined(_WIN32) || defined(__APPLE__)
    static constexpr bool kFoldsCase = true;
#else
    static constexpr bool kFoldsCase = false;
#endif

private:
    std::string key(std::string_view folder, std::string_view name) const;
    std::unordered_map<std::string, int32_t> records_;
    bool foldCase_;
};

struct M3uMatch {
    size_t entries = 0;                // lines that name a file
    std::vector<int32_t> records;      // of the entries that name a track of the album, in order
    std::vector<std::string> unknown;  // the other entries as written (UTF-8)
};
// Matches each entry of an M3U playlist lying in playlistFolder to a record by the folder and
// the MP3 name its path ends in ("\" or "/"; relative to playlistFolder, or absolute).
M3uMatch matchM3u(std::string_view bytes, std::string_view playlistFolder, const TrackIndex& index);

// Prompt of the box after a load that left unknown entries out.
std::string m3uPartlyLoadedMessage(std::string_view path, const M3uMatch& match);
// Prompt of the box refusing a playlist file none of whose entries names a track of the album.
std::string m3uNoTrackMessage(std::string_view path, const M3uMatch& match);
