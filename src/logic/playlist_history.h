#pragma once
// The working playlist's past, for undo and redo during one session: the states it
// had, each kept small (every distinct line once, an entry as two numbers), with the
// new order of the change that led to each, at most kMaxSteps changes back and
// kMaxBytes in all, the oldest dropped first.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/playlist_order.h"

class PlaylistSnapshot {
public:
    explicit PlaylistSnapshot(std::string_view bytes);
    // The playlist file, written as every rewrite of it writes.
    std::string bytes() const;
    int32_t count() const { return int32_t(entries_.size()); }
    size_t memory() const;
    bool operator==(const PlaylistSnapshot& other) const;

private:
    std::vector<std::string> lines_;
    std::vector<std::pair<uint32_t, uint32_t>> entries_;  // the album line and the record line, by number
};

// A state to go back or forward to: the file to write, and where a position goes.
struct PlaylistTurn {
    std::string bytes;
    PlaylistOrder order;  // of the change as made; empty when positions keep their numbers
    bool back = false;    // an undo: the change is taken back
    int32_t countBefore = 0;
    // Where the entry at a position now stands after the turn.
    int32_t follow(int32_t position) const
    {
        return back ? positionBefore(order, position, countBefore) : positionAfter(order, position);
    }
};

class PlaylistHistory {
public:
    static constexpr size_t kMaxSteps = 100;
    static constexpr size_t kMaxBytes = size_t(64) << 20;

    bool started() const { return !states_.empty(); }
    // The playlist as it was before the first change the history sees.
    void start(std::string_view bytes);
    // The playlist after a change, with its new order when it moved or inserted entries.
    // A change that leaves the playlist as it was is no step; the steps undone are dropped.
    void record(std::string_view bytes, PlaylistOrder order = {});

    bool canUndo() const { return at_ > 0; }
    std::optional<PlaylistTurn> undoTurn() const;
    std::optional<PlaylistTurn> redoTurn() const;
    // The turn was written: the history stands one step back or forward.
    void undone();
    void redone();

    size_t steps() const { return states_.empty() ? 0 : states_.size() - 1; }

private:
    struct State {
        PlaylistSnapshot snapshot;
        PlaylistOrder order;  // of the change that led here
    };
    size_t memory(const State& state) const;

    std::deque<State> states_;
    size_t at_ = 0;
    size_t bytes_ = 0;
};
