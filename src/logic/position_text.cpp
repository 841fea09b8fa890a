#include "logic/position_text.h"

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
