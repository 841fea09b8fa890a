#pragma once
// The play-mode codes and the status text each one shows.
#include <QString>

namespace playmode {
constexpr char One = 'O';        // one track from the track list
constexpr char All = 'A';        // the track list in order from the chosen line
constexpr char Random = 'R';     // random lines of the track list
constexpr char Playlist = 'L';   // the whole playlist
constexpr char PlaylistOne = 'S';// one playlist entry
constexpr char SearchOne = 'C';  // one search result
constexpr char Stopped = 'X';    // nothing is to follow

// The status text of a mode; empty for an unknown code.
QString statusText(char mode);
}  // namespace playmode

// The message of a track that cannot be played, lines joined by carriage returns.
QString problemPlayingMessage(const QString& mp3Path);
