#pragma once
// New orders of the playlist's entries. Each gives, for every position of the new
// order, the position the entry had before (-1 for an entry that is new), so a
// position kept elsewhere (the entry that plays) can follow its entry.
#include <cstddef>
#include <cstdint>
#include <vector>

using PlaylistOrder = std::vector<int32_t>;

// The chosen positions (ascending, each once) taken out and put, in their order,
// where the gap before position `before` (0 to count) was.
PlaylistOrder movedBefore(int32_t count, const std::vector<int32_t>& chosen, int32_t before);
// Each chosen entry one place up (step -1) or down (step 1), past the nearest entry that
// is not chosen; a run of chosen entries at the list's end stays.
PlaylistOrder movedByOne(int32_t count, const std::vector<int32_t>& chosen, int step);
// `added` new entries put in before position `at` of count entries.
PlaylistOrder insertedAt(int32_t count, int32_t at, int32_t added);

// Where the entry at a position before the change stands afterwards; a position whose
// entry is gone keeps its number within the new length. An empty order changes nothing.
int32_t positionAfter(const PlaylistOrder& order, int32_t before);
// Where the entry at a position after the change stood before it; likewise.
int32_t positionBefore(const PlaylistOrder& order, int32_t after, int32_t countBefore);

// The entries in a new order; new positions (-1) take the next of `added`, in turn.
template <class T>
std::vector<T> reordered(const std::vector<T>& items, const PlaylistOrder& order, const std::vector<T>& added = {})
{
    std::vector<T> out;
    out.reserve(order.size());
    std::size_t next = 0;
    for (const int32_t from : order) out.push_back(from >= 0 ? items[std::size_t(from)] : added[next++]);
    return out;
}
