#pragma once
// The real media player. Three threads share the work:
// - the GUI thread runs this object: it opens files (the cheap part: is it a
//   regular file, has it a first frame), keeps the state the window sees and
//   turns the decoder thread's reports into queued signals;
// - the decoder thread (DecoderThread) decodes, converts and reads files into
//   a one-second sample ring, and works out exact lengths;
// - SDL's audio thread runs the callback, which only copies from the ring and
//   applies the gain: no lock, no allocation, no system call.
//
// The device stays open in one format; a file in another format is
// converted rather than the device reopened, because closing an SDL device
// waits for it to drain (some 50 ms of silence between tracks). A device paused
// or stopped for a second is closed all the same: SDL goes on feeding a paused
// device silence, waking as often as when it plays.
#include "audio/decoder_thread.h"
#include "audio/media_player.h"
#include "audio/sample_ring.h"

#include <QTimer>

#include <atomic>
#include <cstdint>

class Mpg123Player : public MediaPlayer, private DecoderThread::Listener {
    Q_OBJECT
public:
    explicit Mpg123Player(QObject* parent = nullptr);
    ~Mpg123Player() override;

    void setStartOnOpen(bool start) override;
    void setSourceFile(const QString& path) override;
    bool hasError() const override;
    void setNextSourceFile(const QString& path) override;

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

    QStringList outputDevices() const override;
    void setOutputDevice(const QString& name) override;

    // Linear amplitude factor for a volume in hundredths of a decibel.
    static float gainFor(int hundredthsOfDb, bool muted);

private:
    struct Track {
        quint64 id = 0;  // 0: nothing
        QString path;
        double duration = 0;
    };
    struct Next : Track {
        bool started = false;    // its first samples follow the current track's last ones
        bool announced = false;  // its end was announced before it became current
    };

    static void audioCallback(void* self, unsigned char* stream, int len);
    // SDL's event watch, on whichever thread SDL reports from: a removed output goes to the GUI thread.
    static int watchEvents(void* self, union SDL_Event* event);
    void outputRemoved(quint32 device);
    void moveOutput(bool gone);
    void fill(unsigned char* out, int len);
    std::int64_t heardFrame() const;

    // DecoderThread::Listener, called on the decoder thread: each posts to the GUI thread.
    void nearEnd(quint64 track) override;
    void playedOut(quint64 epoch, quint64 nextTrack) override;
    void lengthKnown(quint64 track, double seconds) override;
    void onTrackEnded(quint64 epoch, quint64 nextTrack);

    bool takeNext();
    bool ensureDevice();
    void closeDevice();
    void run(bool running);
    void seekTo(double seconds, bool dropNext);
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
    QTimer idleClose_;
    quint64 lastId_ = 0;  // tracks and epochs are numbered from one counter
    Track current_;
    quint64 epoch_ = 0;               // the span of current_ being played
    double pendingSeconds_ = 0;       // the position until that span is under way
    bool ended_ = false;              // current_ has been played or moved to its end
    std::int64_t leftPlayingNs_ = 0;  // when the state last turned from Playing
    mutable struct {
        std::int64_t frame = 0;
        std::int64_t ns = 0;
    } clock_;  // where heardFrame() runs from
    Next next_;
    bool offeredNext_ = false;  // inside the end report: next_ is playing, unless the window takes something else

    // Shared with the audio callback.
    SampleRing ring_;
    std::atomic<float> gain_{1.0f};

    DecoderThread decoder_;  // last: its thread uses the members above
};
