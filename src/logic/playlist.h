#pragma once
// The working playlist file "temp.$$$" (and playlist files of the same form):
// entries of two CR LF-ended lines, the album file's full path, then the record
// number with one blank before and one after. Bytes are kept as they were read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/track_record.h"

// A file larger than this is not read as a playlist (about 400,000 entries).
inline constexpr size_t kMaxPlaylistBytes = size_t(32) << 20;

struct PlaylistEntry {
    std::string albumPath;
    // The record line as stored; empty for an entry cut after its album line.
    std::string recordLine;
    bool cut = false;
};

// The entries of a playlist file. Lines may end in CR LF, LF or CR; a last entry
// that has no record line is kept, marked cut.
std::vector<PlaylistEntry> parsePlaylist(std::string_view bytes);

// The entry at a position (from 0) without splitting the rest of the file; nullopt
// past the last entry.
std::optional<PlaylistEntry> playlistEntryAt(std::string_view bytes, size_t index);

// The record number a record line holds: blanks, an optional sign and digits, and
// nothing else, within 32 bits; nullopt for anything else (a cut entry included).
std::optional<int32_t> recordNumberOf(const PlaylistEntry& entry);

// The stored bytes of the given records (each from 1 to the album's last record),
// in the order asked for; "" for one that could not be read. The album is read in
// file order, a stretch at a time, so a long playlist costs few reads whatever its order.
std::vector<std::string> readRecords(AlbumFile& album, const std::vector<int32_t>& numbers);

// One entry as written: the album path, then the record number padded by blanks.
std::string playlistEntryText(std::string_view albumPath, int32_t record);
// Entries as written; a record line that holds no number is kept as it was, so
// rewriting the file never turns a broken entry into a track.
std::string serializePlaylist(const std::vector<PlaylistEntry>& entries);

// The content to append new entries to: ends at a line end, and an entry cut
// after its album line gets an empty record line, so new entries start on their own.
std::string appendablePlaylist(std::string_view bytes);

// Seconds of a PlayTime field: minutes in characters 1-2, seconds in 4-5, each read
// as a number; a negative result counts as 0.
long long playTimeSeconds(std::string_view playTime);

// "Playlist contains 4 tracks with a playing time of 00:17:09 (h:m:s)".
std::string playlistSummary(size_t count, long long totalSeconds);

// The line shown for an entry that names no track of the loaded album.
std::string unavailableEntryLine(const PlaylistEntry& entry);

// Message prompts (lines joined by carriage returns) for a working playlist that
// could not be written or read; the playlist stays as it was in both cases.
std::string playlistNotSavedMessage(std::string_view path, std::string_view reason);
std::string playlistNotReadMessage(std::string_view path, std::string_view reason);
