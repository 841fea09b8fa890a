#pragma once
// The desktop's player controls, org.mpris.MediaPlayer2.Player. Each method
// gives the player session its command, so the window, its status texts and
// the mini player show what the desktop asked for. A command runs from the event
// loop after the call has been answered: a message box it opens must not keep the
// caller (and every call after it) waiting. The volume is set at once.
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QVariantMap>

class Form1;
class PlayerSession;

class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ no)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ yes)

public:
    MprisPlayer(QObject* service, Form1& form);

    QString playbackStatus() const;
    QVariantMap metadata() const;
    double volume() const;
    // Steps the volume to the nearest of its ten levels; silence mutes.
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const;
    bool canSeek() const;
    double rate() const { return 1.0; }
    void setRate(double) {}  // one speed only
    bool yes() const { return true; }
    bool no() const { return false; }

public slots:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous() {}  // there is no way back, as with the "<<" button
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    void OpenUri(const QString&) {}  // no URI schemes are offered

signals:
    void Seeked(qlonglong Position);

private:
    // Runs the command once the call that asked for it has been answered.
    template <class Command> void later(Command command);
    int playState() const;
    QString trackId() const;
    void seekBy(qlonglong offset);
    Form1& form_;
    PlayerSession& session_;
};
