#pragma once
// A media player without sound or time for handler tests. It keeps the
// rules the window relies on: state changes are posted queued, a new file
// that starts reports Playing (never Stopped), setPosition(duration()) ends
// a playing track, and a paused track stays paused at its end until play().
// Tests drive the end of a track with finishTrack() or advance().
#include "audio/media_player.h"

#include <QHash>
#include <QStringList>

class FakeMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    using MediaPlayer::MediaPlayer;

    void setStartOnOpen(bool start) override { startOnOpen_ = start; }
    void setSourceFile(const QString& path) override;
    bool hasError() const override { return hasError_; }
    void setNextSourceFile(const QString& path) override { nextFiles << path; }

    double position() const override { return position_; }
    void setPosition(double seconds) override;
    double duration() const override { return duration_; }

    int playState() const override { return state_; }
    void play() override;
    void pause() override;

    bool mute() const override { return muted_; }
    void setMute(bool muted) override { muted_ = muted; }
    int volume() const override { return volume_; }
    void setVolume(int hundredthsOfDb) override { volume_ = hundredthsOfDb; }

    QStringList outputDevices() const override { return devices; }
    void setOutputDevice(const QString& name) override;

    // --- Scripting -------------------------------------------------------
    // Every path opens with hasError() while failAllFiles is set.
    bool failAllFiles = false;
    // The length of every file opened.
    QHash<QString, double> durations;  // the length of each path; others get defaultDuration
    double defaultDuration = 180.0;
    // The outputs there are, and the one in use (empty: the system default).
    QStringList devices;
    QString device;

    // --- Driving ---------------------------------------------------------
    // The playing track reaches its end: aboutToFinish (unless already), then
    // Stopped, reported queued. Does nothing unless playing.
    void finishTrack();
    // Plays on by the given seconds; passing three seconds before the end
    // announces it, reaching the end finishes the track.
    void advance(double seconds);
    // The output in use goes away: the sound moves to the default, or, with
    // nothing left, a playing track pauses; outputLost is reported queued.
    void unplug(bool nothingLeft);

    // --- Recording -------------------------------------------------------
    QStringList sourceFiles;
    QStringList nextFiles;  // every setNextSourceFile path

private:
    void changeState(State next);
    void announceEndWithin(double seconds);

    bool startOnOpen_ = false;
    bool hasError_ = false;
    bool loaded_ = false;
    double position_ = 0.0;
    double duration_ = 0.0;
    bool announced_ = false;
    State state_ = Stopped;
    bool muted_ = false;
    int volume_ = 0;
};
