#include "desktop/mpris_service.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QTimer>
#include <utility>

#include "audio/media_player.h"
#include "desktop/mpris_player.h"
#include "desktop/mpris_root.h"
#include "form/form1.h"
#include "playback/player_session.h"

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.quillon");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

}  // namespace

MprisService::MprisService(Form1& form, const QDBusConnection& bus) : bus_(bus), player_(new MprisPlayer(this, form))
{
    new MprisRoot(this, form);
    announced_ = changingProperties();
    if (!bus_.isConnected() || !bus_.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return;
    // A second player (another program folder) takes the name the desktop expects of one.
    const QString instance = kServiceName + QStringLiteral(".instance")
                             + QString::number(QCoreApplication::applicationPid());
    for (const QString& name : {kServiceName, instance}) {
        if (bus_.registerService(name)) {
            name_ = name;
            break;
        }
    }
    if (name_.isEmpty()) {
        bus_.unregisterObject(kObjectPath);
        return;
    }
    connect(form.os.player, &MediaPlayer::playStateChange, this, &MprisService::announceChanges);
    connect(form.os.player, &MediaPlayer::durationChange, this, &MprisService::announceChanges);
    const PlayerSession* session = form.session;
    connect(session, &PlayerSession::modeChanged, this, &MprisService::announceChanges);
    connect(session, &PlayerSession::trackChanged, this, &MprisService::announceChanges);
    connect(session, &PlayerSession::statusChanged, this, &MprisService::announceChanges);
    connect(session, &PlayerSession::volumeChanged, this, &MprisService::announceChanges);
    connect(session, &PlayerSession::positionJumped, this, &MprisService::announceSeek);
}

MprisService::~MprisService()
{
    if (name_.isEmpty()) return;
    bus_.unregisterService(name_);
    bus_.unregisterObject(kObjectPath);
}

QVariantMap MprisService::changingProperties() const
{
    return {
        {QStringLiteral("PlaybackStatus"), player_->playbackStatus()},
        {QStringLiteral("Metadata"), player_->metadata()},
        {QStringLiteral("Volume"), player_->volume()},
        {QStringLiteral("CanGoNext"), player_->canGoNext()},
        {QStringLiteral("CanSeek"), player_->canSeek()},
    };
}

// One command may step through several states (the volume one step at a time):
// they are announced once, when it has returned.
void MprisService::announceChanges()
{
    if (std::exchange(announcing_, true)) return;
    QTimer::singleShot(0, this, &MprisService::sendChanges);
}

// Sends only what differs from what was announced last.
void MprisService::sendChanges()
{
    announcing_ = false;
    const QVariantMap now = changingProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (announced_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    announced_ = now;
    if (changed.isEmpty()) return;
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    bus_.send(signal);
}

void MprisService::announceSeek()
{
    emit player_->Seeked(player_->position());
}
