#include "desktop/mpris_player.h"

#include <QFileInfo>
#include <QPushButton>
#include <QUrl>

#include "audio/media_player.h"
#include "form/form1.h"
#include "form/text_codec.h"
#include "logic/date_words.h"
#include "logic/mpris_map.h"
#include "logic/playlist.h"
#include "logic/position_text.h"
#include "logic/text.h"
#include "playback/media_commands.h"

MprisPlayer::MprisPlayer(QObject* service, Form1& form) : QDBusAbstractAdaptor(service), form_(form) {}

template <class Command>
void MprisPlayer::later(Command command)
{
    QMetaObject::invokeMethod(this, std::move(command), Qt::QueuedConnection);
}

int MprisPlayer::playState() const
{
    return form_.os.player->playState();
}

QString MprisPlayer::playbackStatus() const
{
    return QString::fromLatin1(::playbackStatus(playState()));
}

QString MprisPlayer::trackId() const
{
    return QString::fromStdString(trackIdPath(form_.m.PlayingRecord));
}

// The track last given to the player, read into a record of its own so that the
// shared record buffer stays as the window's handlers left it.
QVariantMap MprisPlayer::metadata() const
{
    TrackRecord rec;
    if (form_.m.PlayingRecord < 1 || !form_.m.Album.read(form_.m.PlayingRecord, rec))
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kNoTrackPath)))}};
    DateWords date;
    formatTrackDate(rec.TrackDate, date);
    const double duration = form_.os.player->duration();
    const double seconds = duration > 0 ? duration : double(playTimeSeconds(rec.PlayTime));
    const QString mp3 = toDisplay(mp3Path(form_.m.DetailsFolder, rec));
    return {
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId()))},
        {QStringLiteral("mpris:length"), qlonglong(microseconds(seconds))},
        {QStringLiteral("xesam:title"), toDisplay(qtext::trim(rec.Title))},
        {QStringLiteral("xesam:album"), QFileInfo(toDisplay(form_.m.AlbumPath)).completeBaseName()},
        {QStringLiteral("xesam:url"), QString::fromUtf8(QUrl::fromLocalFile(mp3).toEncoded())},
        {QStringLiteral("xesam:comment"), QStringList{toDisplay(date.dayText + " " + date.monthText + date.yearText)}},
    };
}

double MprisPlayer::volume() const
{
    return desktopVolume(volumeStep(form_.VolumeLevel), form_.os.player->mute());
}

void MprisPlayer::setVolume(double volume)
{
    later([this, volume] { stepVolume(volume); });
}

// Through the mini player's buttons, which run the main ones, so both displays follow.
void MprisPlayer::stepVolume(double volume)
{
    const int step = stepForDesktopVolume(volume);
    const bool muted = form_.os.player->mute();
    if (step == 0) {
        if (!muted) form_.btnMinMute_Click();
        return;
    }
    if (muted) form_.btnMinMute_Click();
    for (int now = volumeStep(form_.VolumeLevel); now < step; ++now) form_.btnMinVolUp_Click();
    for (int now = volumeStep(form_.VolumeLevel); now > step; --now) form_.btnMinVolDn_Click();
}

qlonglong MprisPlayer::position() const
{
    return microseconds(form_.os.player->position());
}

bool MprisPlayer::canGoNext() const
{
    return skipMovesOn(form_.m.PlayMode);
}

bool MprisPlayer::canSeek() const
{
    return form_.m.PlayingRecord > 0 && form_.os.player->duration() > 0;
}

void MprisPlayer::Play()
{
    later([this] { mediaPlay(form_); });
}

void MprisPlayer::Pause()
{
    later([this] { mediaPause(form_); });
}

void MprisPlayer::PlayPause()
{
    later([this] { mediaPlayPause(form_); });
}

void MprisPlayer::Stop()
{
    later([this] { form_.btnStop_Click(); });
}

void MprisPlayer::Next()
{
    later([this] {
        if (canGoNext()) form_.btnSkip_Click();
    });
}

void MprisPlayer::Seek(qlonglong Offset)
{
    later([this, Offset] { seekBy(Offset); });
}

void MprisPlayer::seekBy(qlonglong offset)
{
    if (!canSeek()) return;
    const auto target = relativeSeekTarget(form_.os.player->position(), form_.os.player->duration(), offset);
    if (target)
        seekTo(*target);
    else if (canGoNext())
        form_.btnSkip_Click();
}

void MprisPlayer::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    later([this, track = TrackId.path(), Position] {
        if (!canSeek() || track != trackId()) return;
        if (const auto target = absoluteSeekTarget(form_.os.player->duration(), Position)) seekTo(*target);
    });
}

// A release on the main position bar at the place of that time.
void MprisPlayer::seekTo(double seconds)
{
    form_.picTimer_MouseUp(barPlace(seconds, form_.os.player->duration(), kMainBarWidth));
}
