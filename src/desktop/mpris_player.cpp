#include "desktop/mpris_player.h"

#include <QFileInfo>
#include <QUrl>

#include "audio/media_player.h"
#include "form/form1.h"
#include "form/text_codec.h"
#include "logic/date_words.h"
#include "logic/mpris_map.h"
#include "logic/playlist.h"
#include "logic/text.h"
#include "playback/player_session.h"

MprisPlayer::MprisPlayer(QObject* service, Form1& form)
    : QDBusAbstractAdaptor(service), form_(form), session_(*form.session)
{}

template <class Command> void MprisPlayer::later(Command command)
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
    return QString::fromStdString(trackIdPath(session_.playingRecord()));
}

// The track last given to the player, read into a record of its own so that the
// shared record buffer stays as the window's handlers left it.
QVariantMap MprisPlayer::metadata() const
{
    TrackRecord rec;
    if (session_.playingRecord() < 1 || !form_.m.Album.read(session_.playingRecord(), rec))
        return {
            {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kNoTrackPath)))}};
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
    return desktopVolume(session_.volumeStep(), session_.muted());
}

void MprisPlayer::setVolume(double volume)
{
    session_.setVolumeStep(stepForDesktopVolume(volume));
}

qlonglong MprisPlayer::position() const
{
    return microseconds(form_.os.player->position());
}

bool MprisPlayer::canGoNext() const
{
    return skipMovesOn(session_.mode());
}

bool MprisPlayer::canSeek() const
{
    return session_.playingRecord() > 0 && form_.os.player->duration() > 0;
}

void MprisPlayer::Play()
{
    later([this] { session_.play(); });
}

void MprisPlayer::Pause()
{
    later([this] { session_.pause(); });
}

void MprisPlayer::PlayPause()
{
    later([this] { session_.playPause(); });
}

void MprisPlayer::Stop()
{
    later([this] { session_.stop(); });
}

void MprisPlayer::Next()
{
    later([this] {
        if (canGoNext()) session_.skip();
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
    if (target) session_.seekTo(*target);
    else if (canGoNext()) session_.skip();
}

void MprisPlayer::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    later([this, track = TrackId.path(), Position] {
        if (!canSeek() || track != trackId()) return;
        if (const auto target = absoluteSeekTarget(form_.os.player->duration(), Position)) session_.seekTo(*target);
    });
}
