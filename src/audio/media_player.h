#pragma once
// The media player component the window drives. Implementations deliver
// playStateChange queued on the GUI thread, so a handler that changes the
// player always returns before the resulting state change is handled.
#include <QObject>
#include <QString>
#include <QStringList>

class MediaPlayer : public QObject {
    Q_OBJECT
public:
    enum State { Stopped = 0, Paused = 1, Playing = 2 };

    using QObject::QObject;
    ~MediaPlayer() override = default;

    // Set before every setSourceFile: true starts playback as soon as the file opens.
    virtual void setStartOnOpen(bool start) = 0;
    // Opens the file (a full path). While a new file opens no Stopped state is
    // reported; a file that cannot be played sets hasError() and reports nothing.
    virtual void setSourceFile(const QString& path) = 0;
    virtual bool hasError() const = 0;
    // The file expected to follow the playing one (empty: none), told after
    // aboutToFinish. When the track ends and the handler of that Stopped report
    // calls setSourceFile with this path, the file goes on without a gap: the
    // player may have opened and started it already. Any other call drops it.
    virtual void setNextSourceFile(const QString& path) { (void)path; }

    // Seconds from the start. Setting it to duration() ends the track; a paused
    // track stays paused at its end until play().
    virtual double position() const = 0;
    virtual void setPosition(double seconds) = 0;
    // Length of the loaded file in seconds; 0 when nothing is loaded.
    virtual double duration() const = 0;

    virtual int playState() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;

    // Silences output without changing volume().
    virtual bool mute() const = 0;
    virtual void setMute(bool muted) = 0;
    // Hundredths of a decibel; 0 is full volume, negative values are quieter.
    virtual int volume() const = 0;
    virtual void setVolume(int hundredthsOfDb) = 0;

    // The sound outputs by name, the system default not among them.
    virtual QStringList outputDevices() const { return {}; }
    // The output to play through, by one of those names; empty is the system
    // default. A track playing or paused goes on from where it was. An output
    // that cannot be opened for a track under way is treated as one unplugged.
    virtual void setOutputDevice(const QString& name) { (void)name; }

signals:
    void playStateChange(int oldState, int newState);
    // A few seconds before the playing track ends, once per track: time to
    // tell setNextSourceFile.
    void aboutToFinish();
    // The exact length, once worked out after the file was opened.
    void durationChange(double seconds);
    // The output in use went away: the sound moved to the system default, or,
    // when no output could be opened (nothingLeft), the track paused.
    void outputLost(bool nothingLeft);

protected:
    // Posts playStateChange to the event loop of this object's thread.
    void postStateChange(int oldState, int newState)
    {
        QMetaObject::invokeMethod(
            this, [this, oldState, newState] { emit playStateChange(oldState, newState); }, Qt::QueuedConnection);
    }
};
