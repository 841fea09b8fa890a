#pragma once
// The decoder thread: reads and decodes the playing file (and the one queued
// to follow it) into the sample ring that the audio callback copies from.
// The player gives it commands; it tells the player, through Listener calls
// made on this thread, when a track is about to finish, when a track's last
// sample has been played out, and when a track's exact length is known.
//
// Positions in the sound are counted in ring frames. Each stretch of one
// track played from one place (a load, a seek, or the start of the queued
// track) is a span named by an epoch number the player chooses; the player
// reads the position of its current epoch from the frames played out.
#include "audio/mp3_stream.h"
#include "audio/sample_ring.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class DecoderThread {
public:
    struct Listener {
        virtual void nearEnd(quint64 track) = 0;
        // The last sample of `epoch`'s track has been played out; `nextTrack`
        // (0 for none) follows it without a gap and is playing.
        virtual void playedOut(quint64 epoch, quint64 nextTrack) = 0;
        virtual void lengthKnown(quint64 track, double seconds) = 0;

    protected:
        ~Listener() = default;
    };

    // Seconds of sound left to decode when the track announces its end.
    static constexpr double kAnnounceSeconds = 3.0;

    DecoderThread(SampleRing& ring, Listener& listener);
    ~DecoderThread();
    DecoderThread(const DecoderThread&) = delete;
    DecoderThread& operator=(const DecoderThread&) = delete;

    // The SDL device whose callback reads the ring (0 for none); it is locked
    // only to drop unplayed frames.
    void setDevice(unsigned device);
    // Whether the device is consuming frames; while not, the thread only waits.
    void setRunning(bool running);

    // Plays `stream` (the track numbered `epoch`) from its start, dropping everything queued.
    void load(std::unique_ptr<Mp3Stream> stream, quint64 epoch);
    // Continues `track` from `seconds` as span `epoch`. A track whose end has
    // already been passed is taken back; the queued track then starts again
    // from its beginning, or is dropped with dropNext.
    void seek(quint64 track, quint64 epoch, double seconds, bool dropNext);
    // The track to follow the current one without a gap; null drops it.
    void queueNext(std::unique_ptr<Mp3Stream> stream, quint64 track);
    // Starts the queued track now, as span `epoch` (its own number).
    void startNext();

    // Seconds into the track of span `epoch`, by the frames played out, or by
    // `heard` (a ring frame) when that is further (infinity once its last frame
    // has been played out); false until the span exists.
    bool position(quint64 epoch, double& seconds, std::int64_t heard = 0) const;

private:
    struct Track {
        std::unique_ptr<Mp3Stream> stream;
        quint64 id = 0;
        bool announced = false;
        double told = 0;  // the length the player knows
        bool lengthSent = false;

        Track() = default;
        Track(std::unique_ptr<Mp3Stream> s, quint64 track)
            : stream(std::move(s)), id(track), told(stream ? stream->duration() : 0)
        {}
    };
    struct Span {
        quint64 epoch;
        std::int64_t start;
        std::int64_t end;  // -1 until the track's last frame is in the ring
        double base;       // seconds into the track at `start`
        bool reported;     // its end has been played out and reported
    };
    struct Command {
        enum Kind { Load, Seek, QueueNext, StartNext } kind;
        std::unique_ptr<Mp3Stream> stream;
        quint64 track = 0;
        quint64 epoch = 0;
        double seconds = 0;
        bool dropNext = false;
    };

    void post(Command command);
    void run();
    void apply(Command& command);
    void fill();
    void measure();
    void tellLength(Track& track);
    void reportPlayedOut();
    std::int64_t framesUntilNextEvent() const;
    void dropUnplayed();
    void startSpan(quint64 epoch, double base);

    SampleRing& ring_;
    Listener& listener_;

    mutable std::mutex mutex_;  // guards everything down to the decoder-thread-only part
    std::condition_variable wake_;
    std::vector<Command> commands_;
    std::vector<Span> spans_;
    bool quit_ = false;
    bool running_ = false;
    bool poked_ = false;  // running_ changed since the thread last looked
    std::atomic<bool> commandWaiting_{false};

    std::mutex deviceMutex_;
    unsigned device_ = 0;

    // Decoder thread only.
    Track current_;
    Track next_;
    Track previous_;  // the track just finished, kept until its end has been heard
    std::vector<float> chunk_;

    std::thread thread_;  // last: starts once everything above exists
};
