#include "logic/playlist_order.h"

#include <algorithm>

PlaylistOrder movedBefore(int32_t count, const std::vector<int32_t>& chosen, int32_t before)
{
    PlaylistOrder order;
    order.reserve(size_t(count));
    std::vector<bool> taken(size_t(count), false);
    for (const int32_t p : chosen)
        if (p >= 0 && p < count) taken[size_t(p)] = true;
    before = std::clamp(before, 0, count);
    for (int32_t p = 0; p <= count; ++p) {
        if (p == before)
            for (int32_t q = 0; q < count; ++q)
                if (taken[size_t(q)]) order.push_back(q);
        if (p < count && !taken[size_t(p)]) order.push_back(p);
    }
    return order;
}

PlaylistOrder movedByOne(int32_t count, const std::vector<int32_t>& chosen, int step)
{
    PlaylistOrder order(static_cast<size_t>(count));
    std::vector<char> taken(static_cast<size_t>(count), 0);
    for (int32_t p = 0; p < count; ++p) order[size_t(p)] = p;
    for (const int32_t p : chosen)
        if (p >= 0 && p < count) taken[size_t(p)] = 1;
    // Walking from the side the entries move to, a chosen entry swaps with its free neighbour.
    const bool up = step < 0;
    for (int32_t i = 1; i < count; ++i) {
        const size_t p = size_t(up ? i : count - 1 - i), q = up ? p - 1 : p + 1;
        if (taken[p] && !taken[q]) {
            std::swap(order[p], order[q]);
            std::swap(taken[p], taken[q]);
        }
    }
    return order;
}

PlaylistOrder insertedAt(int32_t count, int32_t at, int32_t added)
{
    at = std::clamp(at, 0, count);
    PlaylistOrder order;
    order.reserve(size_t(count + added));
    for (int32_t p = 0; p < at; ++p) order.push_back(p);
    order.insert(order.end(), size_t(added), -1);
    for (int32_t p = at; p < count; ++p) order.push_back(p);
    return order;
}

int32_t positionAfter(const PlaylistOrder& order, int32_t before)
{
    if (order.empty()) return before;
    const auto found = std::find(order.begin(), order.end(), before);
    if (found != order.end()) return int32_t(found - order.begin());
    return std::clamp<int32_t>(before, 0, std::max<int32_t>(0, int32_t(order.size()) - 1));
}

int32_t positionBefore(const PlaylistOrder& order, int32_t after, int32_t countBefore)
{
    if (order.empty()) return after;
    if (after >= 0 && size_t(after) < order.size() && order[size_t(after)] >= 0) return order[size_t(after)];
    return std::clamp<int32_t>(after, 0, std::max<int32_t>(0, countBefore - 1));
}
