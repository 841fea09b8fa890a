#include "logic/window_place.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool overlaps(const Box& a, const Box& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

// The gap between two boxes; 0 when they touch or overlap.
double gap(const Box& a, const Box& b)
{
    const double dx = std::max({0.0, b.left - (a.left + a.width), a.left - (b.left + b.width)});
    const double dy = std::max({0.0, b.top - (a.top + a.height), a.top - (b.top + b.height)});
    return std::hypot(dx, dy);
}

// A window larger than its screen keeps its top-left corner on it.
double clampInto(double start, double length, double areaStart, double areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

Box keepOnScreen(const Box& window, const std::vector<Box>& screens)
{
    if (screens.empty()) return window;
    for (const Box& screen : screens)
        if (overlaps(window, screen)) return window;
    const Box& nearest = *std::min_element(screens.begin(), screens.end(),
                                           [&](const Box& a, const Box& b) { return gap(window, a) < gap(window, b); });
    Box placed = window;
    placed.left = clampInto(window.left, window.width, nearest.left, nearest.width);
    placed.top = clampInto(window.top, window.height, nearest.top, nearest.height);
    return placed;
}

int16_t rememberedLeft(double leftTwips)
{
    if (std::isnan(leftTwips)) return 0;
    const double lowest = std::numeric_limits<int16_t>::min(), highest = std::numeric_limits<int16_t>::max();
    return int16_t(std::clamp(std::round(leftTwips), lowest, highest));
}
