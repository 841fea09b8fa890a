#include "audio/decoder_thread.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// Frames decoded per step: a device buffer's worth.
constexpr int kChunkFrames = 1024;
// Frames of margin when waking for the end of a track, so that one wake-up is enough.
constexpr std::int64_t kWakeMarginFrames = 64;

}  // namespace

DecoderThread::DecoderThread(SampleRing& ring, Listener& listener)
    : ring_(ring), listener_(listener), chunk_(size_t(kChunkFrames) * SampleRing::kChannels), thread_([this] { run(); })
{}

DecoderThread::~DecoderThread()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void DecoderThread::setDevice(unsigned device)
{
    const std::lock_guard lock(deviceMutex_);
    device_ = device;
}

void DecoderThread::setRunning(bool running)
{
    {
        const std::lock_guard lock(mutex_);
        running_ = running;
        poked_ = true;
    }
    wake_.notify_one();
}

void DecoderThread::load(std::unique_ptr<Mp3Stream> stream, quint64 epoch)
{
    post({Command::Load, std::move(stream), epoch, epoch});
}

void DecoderThread::seek(quint64 track, quint64 epoch, double seconds, bool dropNext)
{
    post({Command::Seek, nullptr, track, epoch, seconds, dropNext});
}

void DecoderThread::queueNext(std::unique_ptr<Mp3Stream> stream, quint64 track)
{
    post({Command::QueueNext, std::move(stream), track});
}

void DecoderThread::startNext()
{
    post({Command::StartNext, nullptr});
}

void DecoderThread::post(Command command)
{
    {
        const std::lock_guard lock(mutex_);
        commands_.push_back(std::move(command));
        commandWaiting_ = true;
    }
    wake_.notify_one();
}

bool DecoderThread::position(quint64 epoch, double& seconds, std::int64_t heard) const
{
    const std::int64_t played = ring_.played();
    heard = std::max(played, heard);
    const std::lock_guard lock(mutex_);
    for (const Span& span : spans_) {
        if (span.epoch != epoch) continue;
        // Played out to the track's end: as far as the track goes, whatever the resampler's rounding.
        if (span.end >= 0 && played >= span.end) {
            seconds = std::numeric_limits<double>::infinity();
            return true;
        }
        // Short of the end until the end is reported, however far the clock says.
        const std::int64_t last = span.end >= 0 ? span.end - 1 : heard;
        seconds = span.base
                  + double(std::clamp(heard, span.start, std::max(span.start, last)) - span.start)
                        / Mp3Stream::kOutputRate;
        return true;
    }
    return false;
}

void DecoderThread::run()
{
    for (;;) {
        std::vector<Command> commands;
        {
            std::unique_lock lock(mutex_);
            const bool busy = current_.stream
                              && ((ring_.writable() >= kChunkFrames && (!current_.stream->atEnd() || next_.stream))
                                  || !current_.stream->lengthExact() || (next_.stream && !next_.stream->lengthExact()));
            const auto ready = [this] { return quit_ || poked_ || !commands_.empty(); };
            if (!busy) {
                const std::int64_t frames = running_ ? framesUntilNextEvent() : -1;
                if (frames < 0) wake_.wait(lock, ready);
                else
                    wake_.wait_for(lock, std::chrono::microseconds(frames * 1000000 / Mp3Stream::kOutputRate + 1000),
                                   ready);
            }
            if (quit_) return;
            commands.swap(commands_);
            commandWaiting_ = false;
            poked_ = false;
        }
        for (Command& command : commands) apply(command);
        fill();
        measure();
        reportPlayedOut();
    }
}

// Frames until the ring wants refilling or a track's end is played out; -1 when neither will come.
std::int64_t DecoderThread::framesUntilNextEvent() const
{
    const std::int64_t played = ring_.played();
    std::int64_t frames = -1;
    if (current_.stream && (!current_.stream->atEnd() || next_.stream))
        frames = std::max<std::int64_t>(0, ring_.written() - played - ring_.capacity() / 2);
    for (const Span& span : spans_) {
        if (span.end >= 0 && !span.reported) {
            const std::int64_t untilEnd = std::max<std::int64_t>(0, span.end - played) + kWakeMarginFrames;
            frames = frames < 0 ? untilEnd : std::min(frames, untilEnd);
        }
    }
    return frames;
}

void DecoderThread::apply(Command& command)
{
    switch (command.kind) {
    case Command::Load:
        dropUnplayed();
        previous_ = {};
        next_ = {};
        current_ = Track(std::move(command.stream), command.track);
        if (current_.stream) startSpan(command.epoch, 0.0);
        break;
    case Command::Seek:
        dropUnplayed();
        if (current_.id != command.track && previous_.id == command.track && previous_.stream) {
            // The track that followed goes back to waiting, from its start.
            if (!command.dropNext && current_.stream) {
                current_.stream->seek(0);
                current_.announced = false;
                next_ = std::move(current_);
            }
            current_ = std::move(previous_);
        }
        previous_ = {};
        if (command.dropNext) next_ = {};
        if (current_.stream && current_.id == command.track) {
            current_.stream->seek(command.seconds);
            current_.announced = false;
            startSpan(command.epoch, current_.stream->position());
        }
        break;
    case Command::QueueNext: next_ = Track(std::move(command.stream), command.track); break;
    case Command::StartNext:
        if (!next_.stream) break;
        dropUnplayed();
        previous_ = std::move(current_);
        current_ = std::move(next_);
        next_ = {};
        startSpan(current_.id, current_.stream->position());
        break;
    }
}

// Decodes until the ring is full, going straight on into the queued track at the end of the current one.
void DecoderThread::fill()
{
    while (current_.stream && !commandWaiting_.load(std::memory_order_relaxed)) {
        Mp3Stream& stream = *current_.stream;
        if (stream.atEnd()) {
            {
                const std::lock_guard lock(mutex_);
                if (!spans_.empty() && spans_.back().end < 0) spans_.back().end = ring_.written();
            }
            tellLength(current_);
            if (!next_.stream) {
                ring_.markEnd();
                return;
            }
            previous_ = std::move(current_);
            current_ = std::move(next_);
            next_ = {};
            startSpan(current_.id, current_.stream->position());
            continue;
        }
        if (ring_.writable() < kChunkFrames) return;
        const int frames = stream.read(chunk_.data(), kChunkFrames);
        ring_.write(chunk_.data(), frames);
        if (!current_.announced && stream.duration() - stream.position() <= kAnnounceSeconds) {
            current_.announced = true;
            listener_.nearEnd(current_.id);
        }
    }
}

// One slice of the length walk, the playing track's first.
void DecoderThread::measure()
{
    for (Track* track : {&current_, &next_}) {
        if (!track->stream || track->lengthSent) continue;
        if (track->stream->measureLength()) {
            track->lengthSent = true;
            tellLength(*track);
        }
        return;
    }
}

void DecoderThread::tellLength(Track& track)
{
    if (track.stream->duration() == track.told) return;
    track.told = track.stream->duration();
    listener_.lengthKnown(track.id, track.told);
}

// A span stays after its end is reported, so that its position reads as the
// end until the player has handled the report.
void DecoderThread::reportPlayedOut()
{
    const std::int64_t played = ring_.played();
    for (;;) {
        quint64 ended = 0;
        quint64 following = 0;
        {
            const std::lock_guard lock(mutex_);
            const auto open = std::find_if(spans_.begin(), spans_.end(), [](const Span& s) { return !s.reported; });
            if (open == spans_.end() || open->end < 0 || played < open->end) return;
            open->reported = true;
            ended = open->epoch;
            if (open + 1 != spans_.end()) following = (open + 1)->epoch;
        }
        listener_.playedOut(ended, following);
    }
}

// Frames already in the ring are never played: the callback is kept out while they are dropped.
void DecoderThread::dropUnplayed()
{
    {
        const std::lock_guard device(deviceMutex_);
        if (device_) SDL_LockAudioDevice(device_);
        ring_.discardUnread();
        if (device_) SDL_UnlockAudioDevice(device_);
    }
    const std::lock_guard lock(mutex_);
    spans_.clear();
}

void DecoderThread::startSpan(quint64 epoch, double base)
{
    const std::lock_guard lock(mutex_);
    while (spans_.size() > 2 && spans_.front().reported) spans_.erase(spans_.begin());
    spans_.push_back({epoch, ring_.written(), -1, base, false});
}
