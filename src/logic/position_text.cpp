#include "logic/position_text.h"

#include <algorithm>
#include <cmath>

#include "logic/text.h"

namespace {

std::string minutesAndSeconds(double seconds)
{
    const double minutes = std::floor(seconds / 60);
    return qtext::timeText(long(minutes), long(std::floor(seconds - 60 * minutes)));
}

}  // namespace

std::string elapsedText(double seconds)
{
    return seconds > 0 ? minutesAndSeconds(seconds) : "00:00";
}

std::string seekToolTip(double duration, double x, double barWidth)
{
    const double t = duration * (x / barWidth);
    return "Click to play at " + (t > 0 ? minutesAndSeconds(t) : std::string("00:00"));
}

double seekPosition(double duration, double x, double barWidth)
{
    const double t = duration * (x / barWidth);
    return t > 0 ? t : 0;
}

double secondsToNextTick(double position, double duration, double barWidth, double twipsPerPixel, double slack)
{
    if (!std::isfinite(position) || position < 0) position = 0;
    const double second = std::floor(position) + 1 - position;
    double pixel = second;
    if (duration > 0 && std::isfinite(duration) && barWidth > 0 && twipsPerPixel > 0) {
        // The bar's right edge is its width rounded to a pixel: it moves where the width passes a half pixel.
        const double secondsPerPixel = duration * twipsPerPixel / barWidth;
        const double pixels = position / secondsPerPixel;
        pixel = (std::floor(pixels + 0.5) + 0.5 - pixels) * secondsPerPixel;
    }
    const auto [first, then] = std::minmax(second, pixel);
    return std::clamp(then - first <= slack ? then : first, 0.0, 1.0);
}
