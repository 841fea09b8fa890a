#pragma once
// How the player's state reads on the desktop's media player interface
// (MPRIS): play status, the ten volume steps as 0.0 to 1.0, track ids, times.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "logic/play_modes.h"
#include "logic/volume_steps.h"

// "Playing", "Paused" or "Stopped" for the player's play state (2, 1, anything else).
std::string_view playbackStatus(int playState);

// The desktop's volume of a step: one tenth per step; 0.0 while muted.
double desktopVolume(int step, bool muted);
// The step a desktop volume asks for, nearest first: 0 for silence (mute), 1 to 10
// otherwise; values past either end (and NaN) are taken as the end.
int stepForDesktopVolume(double volume);

// Whether skipping the playing track leads to another track in this mode.
bool skipMovesOn(Mode mode);

// The object path that names a record of the album: "/quillon/track/12".
std::string trackIdPath(int32_t record);
// The desktop names "no track" with this path.
inline constexpr std::string_view kNoTrackPath = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

// Whole microseconds of a time in seconds, rounded; never negative.
int64_t microseconds(double seconds);

// Where a seek of offsetUs from the position lands, in seconds: not before the start;
// none when it passes the end of the track.
std::optional<double> relativeSeekTarget(double position, double duration, int64_t offsetUs);
// Where a seek to positionUs lands: none when it lies outside the track.
std::optional<double> absoluteSeekTarget(double duration, int64_t positionUs);
