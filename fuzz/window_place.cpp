// Window places as remembered, against any set of screens: a window that shows on a
// screen stays where it is, any other is moved onto the nearest one, whole sized.
#include "fuzz_support.h"
#include "logic/window_place.h"

#include <algorithm>
#include <limits>

namespace {

// Twips within what any desktop holds, so that sums stay exact.
Box boxFrom(fuzz::Input& in)
{
    Box box;
    box.left = in.number<int32_t>() / 4;
    box.top = in.number<int32_t>() / 4;
    box.width = in.number<uint16_t>() + 1;
    box.height = in.number<uint16_t>() + 1;
    return box;
}

bool shares(const Box& a, const Box& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const double left = in.anyDouble();
    const Box window = boxFrom(in);
    std::vector<Box> screens;
    while (!in.empty() && screens.size() < 16) screens.push_back(boxFrom(in));

    const Box placed = keepOnScreen(window, screens);
    FUZZ_CHECK(placed.width == window.width && placed.height == window.height);
    const bool shown = std::any_of(screens.begin(), screens.end(), [&](const Box& s) { return shares(window, s); });
    if (shown || screens.empty()) FUZZ_CHECK(placed == window);
    else FUZZ_CHECK(std::any_of(screens.begin(), screens.end(), [&](const Box& s) { return shares(placed, s); }));

    const int16_t kept = rememberedLeft(left);
    constexpr double lowest = std::numeric_limits<int16_t>::min(), highest = std::numeric_limits<int16_t>::max();
    if (left >= lowest && left <= highest) FUZZ_CHECK(std::fabs(kept - left) <= 0.5);
    else if (!std::isnan(left)) FUZZ_CHECK(kept == (left < 0 ? lowest : highest));
    return 0;
}
