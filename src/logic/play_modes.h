#pragma once
// The play modes: what follows when a track ends, and the status text of each.
#include <string>
#include <string_view>

enum class Mode : char {
    One = 'O',          // one track from the track list
    All = 'A',          // the track list in order from the chosen line
    Random = 'R',       // random lines of the track list
    Playlist = 'L',     // the whole playlist
    PlaylistOne = 'S',  // one playlist entry
    SearchOne = 'C',    // one search result
    Stopped = 'X',      // nothing is to follow
};

// The status text a mode shows while its track plays.
std::string_view statusText(Mode mode);

inline constexpr std::string_view kPlayerStopped = "Player Stopped";
inline constexpr std::string_view kPlayerPaused = "Player Paused";
inline constexpr std::string_view kNoSoundOutput = "Paused: no sound output";

// Modes that play from the track list and honour the On Train / Lineside preference.
inline bool honoursPreference(Mode mode)
{
    return mode == Mode::All || mode == Mode::Random;
}

// The message of a track that cannot be played, lines joined by carriage returns.
std::string problemPlayingMessage(std::string_view mp3Path);
