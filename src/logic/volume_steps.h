#pragma once
// The player's volume as the window steps it: levels from 0 (loudest) down by
// one step size at a time, shown as steps 10 down to 1.
#include <cstdint>
#include <cstdlib>

inline constexpr int kVolumeStepSize = 320;
inline constexpr int kVolumeSteps = 10;

// The step the volume display shows for a volume level: 10 at 0, 1 at the quietest.
inline int volumeStep(int16_t volumeLevel)
{
    return kVolumeSteps - std::abs(int(volumeLevel)) / kVolumeStepSize;
}
