#include "logic/mpris_map.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMicrosecondsPerSecond = 1e6;

}  // namespace

std::string_view playbackStatus(int playState)
{
    switch (playState) {
    case 2: return "Playing";
    case 1: return "Paused";
    default: return "Stopped";
    }
}

double desktopVolume(int step, bool muted)
{
    return muted ? 0.0 : double(std::clamp(step, 1, kVolumeSteps)) / kVolumeSteps;
}

int stepForDesktopVolume(double volume)
{
    if (!(volume > 0.0)) return 0;
    if (volume >= 1.0) return kVolumeSteps;
    return std::max(1, int(std::lround(volume * kVolumeSteps)));
}

bool skipMovesOn(Mode mode)
{
    return mode == Mode::All || mode == Mode::Random || mode == Mode::Playlist;
}

std::string trackIdPath(int32_t record)
{
    return "/quillon/track/" + std::to_string(record);
}

int64_t microseconds(double seconds)
{
    if (!(seconds > 0.0)) return 0;
    // Past the 64-bit range llround gives its error value, which is negative.
    const double us = std::round(seconds * kMicrosecondsPerSecond);
    return us < 0x1p63 ? int64_t(us) : std::numeric_limits<int64_t>::max();
}

std::optional<double> relativeSeekTarget(double position, double duration, int64_t offsetUs)
{
    const double target = position + double(offsetUs) / kMicrosecondsPerSecond;
    if (target > duration) return std::nullopt;
    return std::max(0.0, target);
}

std::optional<double> absoluteSeekTarget(double duration, int64_t positionUs)
{
    const double target = double(positionUs) / kMicrosecondsPerSecond;
    if (positionUs < 0 || target > duration) return std::nullopt;
    return target;
}
