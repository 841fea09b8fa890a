#pragma once
// A preallocated single-producer, single-consumer ring of output frames
// (interleaved stereo float). The decoder thread writes, the audio callback
// reads; neither locks, allocates or calls the system. Counters are absolute
// frame numbers since the ring was made, so positions in the sound can be
// named by them.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

class SampleRing {
public:
    static constexpr int kChannels = 2;

    explicit SampleRing(int frames) : frames_(frames), samples_(size_t(frames) * kChannels) {}

    int capacity() const { return frames_; }
    std::int64_t written() const { return written_.load(std::memory_order_acquire); }
    std::int64_t read() const { return read_.load(std::memory_order_acquire); }
    // Frames handed out before the latest take(): with one take per device
    // buffer, those the device has played out by the time it asks for more.
    std::int64_t played() const { return played_.load(std::memory_order_acquire); }

    // Producer side.
    int writable() const { return frames_ - int(written() - read()); }
    // Writes up to `count` frames, as many as fit; returns how many.
    int write(const float* frames, int count)
    {
        const std::int64_t at = written_.load(std::memory_order_relaxed);
        count = std::min(count, writable());
        store(frames, at, count);
        written_.store(at + count, std::memory_order_release);
        return count;
    }
    // The frames written so far end the sound: the consumer may take the last of them
    // in less than a whole buffer.
    void markEnd() { end_.store(written(), std::memory_order_release); }
    // Drops every frame not yet read, and counts them as played out, so that
    // waits reckoned from played() fit the frames that follow. Only while the
    // consumer cannot run (the audio device locked or closed).
    void discardUnread()
    {
        const std::int64_t end = written();
        read_.store(end, std::memory_order_release);
        played_.store(end, std::memory_order_release);
    }

    // Consumer side: copies `count` frames out when that many are ready, or the rest of
    // the sound when it ends before them; otherwise none, so that a start waits for a
    // whole buffer rather than playing a fragment and a gap. Returns how many.
    int take(float* out, int count)
    {
        const std::int64_t at = read_.load(std::memory_order_relaxed);
        played_.store(at, std::memory_order_release);
        const std::int64_t ready = written() - at;
        if (ready < count && end_.load(std::memory_order_acquire) != at + ready) return 0;
        count = int(std::min<std::int64_t>(count, ready));
        load(out, at, int(count));
        read_.store(at + count, std::memory_order_release);
        return count;
    }

private:
    // Where absolute frame `at` lies, and how many of `count` frames fit before the ring wraps.
    std::pair<size_t, int> piece(std::int64_t at, int count) const
    {
        const int start = int(at % frames_);
        return {size_t(start) * kChannels, std::min(count, frames_ - start)};
    }
    void store(const float* from, std::int64_t at, int count)
    {
        const auto [offset, first] = piece(at, count);
        std::memcpy(samples_.data() + offset, from, size_t(first) * kFrameBytes);
        std::memcpy(samples_.data(), from + size_t(first) * kChannels, size_t(count - first) * kFrameBytes);
    }
    void load(float* to, std::int64_t at, int count) const
    {
        const auto [offset, first] = piece(at, count);
        std::memcpy(to, samples_.data() + offset, size_t(first) * kFrameBytes);
        std::memcpy(to + size_t(first) * kChannels, samples_.data(), size_t(count - first) * kFrameBytes);
    }

    static constexpr size_t kFrameBytes = kChannels * sizeof(float);
    const int frames_;
    std::vector<float> samples_;
    std::atomic<std::int64_t> written_{0};
    std::atomic<std::int64_t> read_{0};
    std::atomic<std::int64_t> played_{0};
    std::atomic<std::int64_t> end_{-1};
};
