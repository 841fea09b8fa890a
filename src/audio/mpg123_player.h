#pragma once
// The real media player: the file is decoded inside SDL's audio callback,
// so the callback thread and the GUI thread share the stream and the flags
// below. Everything the callback touches is changed from the GUI thread only
// while the device is locked (SDL_LockAudioDevice), or is atomic.
//
// The device stays open in one format; a file in another format is
// converted rather than the device reopened, because closing an SDL device
// waits for it to drain (some 50 ms of silence between tracks).
#include "audio/media_player.h"
#include "audio/mp3_stream.h"

#include <atomic>
#include <cstdint>
#include <memory>

class Mpg123Player : public MediaPlayer {
    Q_OBJECT
public:
    explicit Mpg123Player(QObject* parent = nullptr);
    ~Mpg123Player() override;

    void setStartOnOpen(bool start) override;
    void setSourceFile(const QString& path) override;
    bool hasError() const override;

    double position() const override;
    void setPosition(double seconds) override;
    double duration() const override;

    int playState() const override;
    void play() override;
    void pause() override;

    bool mute() const override;
    void setMute(bool muted) override;
    int volume() const override;
    void setVolume(int hundredthsOfDb) override;

    // Output device by SDL name, used from the next file on; empty means the
    // system default.
    void setOutputDevice(const QString& name);

    // Steady-clock times (nanoseconds) of the audio callback that handed over
    // the last samples of a track, and of the first one that handed over
    // samples of the file loaded since; 0 until it happens. For measuring the
    // gap between tracks.
    struct TrackTimes {
        std::int64_t lastEndNs = 0;
        std::int64_t firstSamplesNs = 0;
    };
    TrackTimes trackTimes() const;

    // Linear amplitude factor for a volume in hundredths of a decibel.
    static float gainFor(int hundredthsOfDb, bool muted);

private:
    static void audioCallback(void* self, unsigned char* stream, int len);
    void fill(unsigned char* out, int len);
    void onTrackEnded();

    bool ensureDevice();
    void closeDevice();
    void install(std::unique_ptr<Mp3Stream> stream);
    void seekTo(std::int64_t frame);
    bool atEnd() const;
    void finishTrack();
    void setState(State next);
    void updateGain();

    // GUI thread only.
    bool startOnOpen_ = false;
    bool hasError_ = false;
    State state_ = Stopped;
    bool muted_ = false;
    int volume_ = 0;
    QString deviceName_;
    bool reopenDevice_ = false;
    quint32 device_ = 0;
    bool sdlReady_ = false;

    // Shared with the audio callback; written by the GUI thread under the device lock.
    std::unique_ptr<Mp3Stream> stream_;
    bool endReported_ = false; // the end has been, or is being, reported
    bool awaitingFirstSamples_ = false;

    // Crossing the threads without the lock.
    std::atomic<float> gain_{1.0f};
    std::atomic<std::int64_t> lastEndNs_{0};
    std::atomic<std::int64_t> firstSamplesNs_{0};
};
