// The values the desktop's media player interface hands in (volumes, times, seeks)
// mapped onto the player's, from any double or whole number.
#include "fuzz_support.h"
#include "logic/mpris_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const double volume = in.anyDouble(), seconds = in.anyDouble();
    const int step = in.number<int8_t>();
    const double duration = std::fabs(in.finite());
    const double position = std::fmod(std::fabs(in.finite()), duration + 1);
    const int64_t offset = in.number<int64_t>();

    const int asked = stepForDesktopVolume(volume);
    FUZZ_CHECK(asked >= 0 && asked <= kVolumeSteps);
    FUZZ_CHECK((asked == 0) == !(volume > 0));
    if (step >= 1 && step <= kVolumeSteps) FUZZ_CHECK(stepForDesktopVolume(desktopVolume(step, false)) == step);
    FUZZ_CHECK(desktopVolume(step, true) == 0 && desktopVolume(step, false) > 0 && desktopVolume(step, false) <= 1);

    const int64_t us = microseconds(seconds);
    FUZZ_CHECK(us >= 0);
    if (seconds > 0 && seconds < 1e12) FUZZ_CHECK(std::fabs(double(us) / 1e6 - seconds) <= 0.5e-6 + seconds * 1e-15);

    if (position <= duration) {
        const std::optional<double> relative = relativeSeekTarget(position, duration, offset);
        if (relative) FUZZ_CHECK(*relative >= 0 && *relative <= duration);
        const std::optional<double> absolute = absoluteSeekTarget(duration, offset);
        FUZZ_CHECK(absolute.has_value() == (offset >= 0 && double(offset) / 1e6 <= duration));
        if (absolute) FUZZ_CHECK(*absolute >= 0 && *absolute <= duration);
    }
    const std::string path = trackIdPath(int32_t(offset));
    FUZZ_CHECK(path.rfind("/quillon/track/", 0) == 0 && path.size() > 15);
    return 0;
}
