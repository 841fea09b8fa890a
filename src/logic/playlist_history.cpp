#include "logic/playlist_history.h"

#include <unordered_map>

#include "logic/playlist.h"
#include "logic/text.h"

PlaylistSnapshot::PlaylistSnapshot(std::string_view bytes)
{
    std::unordered_map<std::string, uint32_t> known;
    auto number = [&](std::string&& line) {
        const auto [at, added] = known.try_emplace(std::move(line), uint32_t(lines_.size()));
        if (added) lines_.push_back(at->first);
        return at->second;
    };
    std::vector<PlaylistEntry> entries = parsePlaylist(bytes);
    entries_.reserve(entries.size());
    for (PlaylistEntry& entry : entries) {
        // A padded number is kept as it is written back, so " 7 " and "7" are one line.
        const std::optional<int32_t> record = recordNumberOf(entry);
        std::string recordLine = record ? qtext::paddedNumber(*record) : std::move(entry.recordLine);
        const uint32_t album = number(std::move(entry.albumPath));
        entries_.emplace_back(album, number(std::move(recordLine)));
    }
}

std::string PlaylistSnapshot::bytes() const
{
    std::vector<PlaylistEntry> entries;
    entries.reserve(entries_.size());
    for (const auto& [album, record] : entries_) entries.push_back({lines_[album], lines_[record], false});
    return serializePlaylist(entries);
}

size_t PlaylistSnapshot::memory() const
{
    size_t total = sizeof(*this) + entries_.capacity() * sizeof(entries_[0]);
    for (const std::string& line : lines_) total += sizeof(line) + line.capacity();
    return total;
}

bool PlaylistSnapshot::operator==(const PlaylistSnapshot& other) const
{
    if (entries_.size() != other.entries_.size()) return false;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (lines_[entries_[i].first] != other.lines_[other.entries_[i].first]
            || lines_[entries_[i].second] != other.lines_[other.entries_[i].second])
            return false;
    return true;
}

size_t PlaylistHistory::memory(const State& state) const
{
    return state.snapshot.memory() + state.order.capacity() * sizeof(int32_t);
}

void PlaylistHistory::start(std::string_view bytes)
{
    states_.clear();
    states_.push_back({PlaylistSnapshot(bytes), {}});
    at_ = 0;
    bytes_ = memory(states_.back());
}

void PlaylistHistory::record(std::string_view bytes, PlaylistOrder order)
{
    PlaylistSnapshot snapshot(bytes);
    if (started() && snapshot == states_[at_].snapshot) return;
    while (states_.size() > at_ + 1) {
        bytes_ -= memory(states_.back());
        states_.pop_back();
    }
    states_.push_back({std::move(snapshot), std::move(order)});
    bytes_ += memory(states_.back());
    while (states_.size() > 1 && (states_.size() > kMaxSteps + 1 || bytes_ > kMaxBytes)) {
        bytes_ -= memory(states_.front());
        states_.pop_front();
    }
    at_ = states_.size() - 1;
}

std::optional<PlaylistTurn> PlaylistHistory::undoTurn() const
{
    if (!started() || at_ == 0) return std::nullopt;
    const State& before = states_[at_ - 1];
    return PlaylistTurn{before.snapshot.bytes(), states_[at_].order, true, before.snapshot.count()};
}

std::optional<PlaylistTurn> PlaylistHistory::redoTurn() const
{
    if (!started() || at_ + 1 >= states_.size()) return std::nullopt;
    const State& after = states_[at_ + 1];
    return PlaylistTurn{after.snapshot.bytes(), after.order, false, states_[at_].snapshot.count()};
}

void PlaylistHistory::undone()
{
    if (at_ > 0) --at_;
}

void PlaylistHistory::redone()
{
    if (at_ + 1 < states_.size()) ++at_;
}
