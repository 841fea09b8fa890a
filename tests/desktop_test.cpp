// The desktop's player controls on a private session bus: each call makes the
// round trip through the bus daemon on a connection of its own, gives the
// player session its command, and every change the window shows is announced.
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <cmath>
#include <functional>

#include "desktop/mpris_service.h"
#include "support/table.h"
#include "support/playback_fixture.h"

namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.quillon");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

QDBusConnection client()
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("mpris-test-client"));
}

// Asynchronous, so that the loop which must answer keeps running while we wait.
QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(args);
    QDBusPendingCallWatcher watcher(client().asyncCall(message));
    QSignalSpy finished(&watcher, &QDBusPendingCallWatcher::finished);
    if (!watcher.isFinished()) finished.wait(5000);
    return watcher.reply();
}

QVariant get(const QString& name)
{
    return call(kProperties, QStringLiteral("Get"), {kPlayer, name}).arguments().value(0).value<QDBusVariant>().variant();
}

// A value as text for the tables: a path as itself, a list as its first item, metadata as its track id.
QString text(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>())
        return text(qdbus_cast<QVariantMap>(value.value<QDBusArgument>()).value("mpris:trackid"));
    if (value.canConvert<QDBusObjectPath>()) return value.value<QDBusObjectPath>().path();
    return value.toStringList().value(0, value.toString());
}

// Records the service's PropertiesChanged and Seeked signals.
class Watch : public QObject {
    Q_OBJECT
public:
    Watch()
    {
        client().connect({}, kPath, kProperties, "PropertiesChanged", this,
                         SLOT(changed(QString, QVariantMap, QStringList)));
        client().connect({}, kPath, kPlayer, "Seeked", this, SLOT(seeked(qlonglong)));
        get(QStringLiteral("CanControl"));  // the bus has taken the matches once this returns
    }
    QVariantMap latest;
    QList<qlonglong> seeks;
public slots:
    void changed(const QString&, const QVariantMap& values, const QStringList&) { latest.insert(values); }
    void seeked(qlonglong position) { seeks << position; }
};

// Something done to the window or its player, for the tables.
using Step = std::function<void(Form1&, FakeMediaPlayer&)>;

// A started window on an album of `tracks` numbered tracks, offered on the bus.
struct Served {
    explicit Served(int tracks) : w(startOnAlbum(f, numbered(tracks))) {}
    FormFixture f;
    Form1& w;
    const MprisService service{w};
};

}  // namespace

Q_DECLARE_METATYPE(Step)

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void methodsGiveTheSessionItsCommands_data()
    {
        // record: the track last given to the player
        const auto row = columns<QString, QString, QString, QString, QString, int>(
            {"option", "before", "method", "status", "text", "record"});
        row("play starts the line", "opOne", "stopped", "Play", "Playing", "Playing from Track List", 1);
        row("play starts the line in random", "opRand", "stopped", "Play", "Playing",
            "Playing random tracks from Track List", 1);
        row("playpause pauses", "opOne", "playing", "PlayPause", "Paused", "Player Paused", 1);
        row("play resumes", "opOne", "paused", "Play", "Playing", "Playing from Track List", 1);
        row("pause while stopped", "opOne", "stopped", "Pause", "Stopped", "Player Stopped", 0);
        row("stop while paused, nothing follows", "opAll", "paused", "Stop", "Stopped", "Player Stopped", 1);
        row("next in all", "opAll", "playing", "Next", "Playing", "Playing all tracks from Track List", 2);
        row("no next in one", "opOne", "playing", "Next", "Playing", "Playing from Track List", 1);
    }
    void methodsGiveTheSessionItsCommands()
    {
        auto [option, before, method,
              status] = fetch<QString, QString, QString, QString>({"option", "before", "method", "status"});
        Served s(3);
        s.w.findChild<QRadioButton*>(option)->click();
        if (before != "stopped") s.w.btnPlay->click();
        if (before == "paused") s.w.btnPause->click();
        settle();
        QCOMPARE(call(kPlayer, method).type(), QDBusMessage::ReplyMessage);
        settle();
        QCOMPARE(get("PlaybackStatus").toString(), status);
        QTEST(s.w.lblPlayMode->text(), "text");
        QCOMPARE(s.w.btnMinPlay->isEnabled(), status != "Paused");
        QTEST(s.w.session->playingRecord(), "record");
    }

    // A message box the command opens does not hold the reply: the caller has it while the box is open.
    void theCallIsAnsweredBeforeTheCommandRuns_data()
    {
        const auto row = columns<QString>({"method"});  // the track's file fails to play, the settings to be written
        for (const char* method : {"Play", "PlayPause", "Quit"}) row(method, method);
    }
    void theCallIsAnsweredBeforeTheCommandRuns()
    {
        QFETCH(QString, method);
        Served s(1);
        s.f.player.failAllFiles = true;
        const QString settings = QString::fromStdString(s.f.appFile("qvb.ini"));
        QVERIFY(QFile::remove(settings) && QDir().mkdir(settings));
        const QString interface = method == "Quit" ? kRoot : kPlayer;
        QDBusPendingCallWatcher reply(
            client().asyncCall(QDBusMessage::createMethodCall(kService, kPath, interface, method)));
        bool answeredWhileOpen = false;
        s.f.messages.whileOpen = [&] { answeredWhileOpen = QTest::qWaitFor([&] { return reply.isFinished(); }, 5000); };
        QTRY_COMPARE(s.f.messages.shown.size(), 1);
        QVERIFY(answeredWhileOpen && reply.reply().type() == QDBusMessage::ReplyMessage);
        QCOMPARE(s.w.isVisible(), method != "Quit");  // quit closes as the close button does, saving the settings
        s.f.messages.whileOpen = {};
    }

    void volumeStepsBothWays_data()
    {
        const auto row = columns<int, bool, double, QString, double, int>(
            {"downClicks", "muted", "set", "shown", "read", "playerVolume"});
        row("nearest step, up from 3", 7, false, 0.66, "7", 0.7, -960);
        row("above full", 4, false, 1.7, "10", 1.0, 0);
        row("silence mutes, keeping the level", 6, false, 0.0, "Mute", 0.0, -1920);
        row("a level unmutes", 6, true, 0.8, "8", 0.8, -640);
    }
    void volumeStepsBothWays()
    {
        auto [downClicks, muted, set, shown] = fetch<int, bool, double, QString>({"downClicks", "muted", "set", "shown"});
        Served s(1);
        for (int i = 0; i < downClicks; ++i) s.w.btnVolDown->click();
        if (muted) s.w.btnMinMute->click();
        call(kProperties, QStringLiteral("Set"),
             {kPlayer, QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(set))});
        QCOMPARE(QStringList({s.w.lblVolume->text(), s.w.lblMinVol->text()}), QStringList({shown, shown}));
        QCOMPARE(s.f.player.mute(), shown == "Mute");
        QTEST(s.f.player.volume(), "playerVolume");
        QTEST(get("Volume").toDouble(), "read");
    }

    void changesAreAnnounced_data()
    {
        // property: "Metadata xesam:title" is one field of the metadata
        const auto row = columns<Step, QString, QString>({"action", "property", "expected"});
        const Step play = [](Form1& w, FakeMediaPlayer&) { w.btnPlay->click(); };
        const Step playToEnd = [](Form1& w, FakeMediaPlayer& p) { w.btnPlay->click(), settle(), p.finishTrack(); };
        const QList<std::pair<const char*, const char*>> metadata{{"mpris:trackid", "/quillon/track/1"},
                                                                  {"xesam:title", "Track 1"},
                                                                  {"xesam:album", "album"},
                                                                  {"mpris:length", "180000000"},
                                                                  {"xesam:url", "f1/t1.mp3"},
                                                                  {"xesam:comment", "5th May 1975"}};
        for (const auto& [field, value] : metadata) row(field, play, "Metadata " + QString(field), value);
        row(
            "the next line follows", [playToEnd](Form1& w, FakeMediaPlayer& p) { w.opAll->click(), playToEnd(w, p); },
            "Metadata mpris:trackid", "/quillon/track/2");
        row("the track ends", playToEnd, "PlaybackStatus", "Stopped");
        row(
            "all chosen", [](Form1& w, FakeMediaPlayer&) { w.opAll->click(); }, "CanGoNext", "true");
        row(
            "the volume button", [](Form1& w, FakeMediaPlayer&) { w.btnVolDown->click(); }, "Volume", "0.9");
        row(
            "the mini mute", [](Form1& w, FakeMediaPlayer&) { w.btnMinMute->click(); }, "Volume", "0");
    }
    void changesAreAnnounced()
    {
        auto [action, property, expected] = fetch<Step, QString, QString>({"action", "property", "expected"});
        Served s(2);
        QCOMPARE(text(get("Metadata")), "/org/mpris/MediaPlayer2/TrackList/NoTrack");
        Watch watch;
        action(s.w, s.f.player);
        const QStringList key = property.split(' ');
        const auto announced = [&] {
            const QVariant value = watch.latest.value(key[0]);
            return text(key.size() == 1 ? value : qdbus_cast<QVariantMap>(value.value<QDBusArgument>()).value(key[1]));
        };
        if (property.endsWith("url"))
            expected = QUrl::fromLocalFile(QString::fromStdString(s.f.album.folder()) + expected).toString();
        QTRY_COMPARE(announced(), expected);
    }

    void seeking_data()
    {
        const auto row = columns<Step, double, bool>({"seek", "position", "seeked"});  // from a minute into track 1
        const auto by = [](qlonglong us) {
            return Step([us](Form1&, FakeMediaPlayer&) { call(kPlayer, "Seek", {us}); });
        };
        const auto to = [](const char* track) {
            return Step([track](Form1&, FakeMediaPlayer&) {
                call(kPlayer, "SetPosition", {QVariant::fromValue(QDBusObjectPath(track)), 45'000'000LL});
            });
        };
        row("forward", by(30'000'000LL), 90.0, true);
        row("back before the start", by(-100'000'000LL), 0.0, true);
        row("past the end, no next in one", by(200'000'000LL), 60.0, false);
        row("to a place", to("/quillon/track/1"), 45.0, true);
        row("of another track", to("/quillon/track/2"), 60.0, false);
        row(
            "the window's bar", [](Form1& w, FakeMediaPlayer&) { w.picTimer_MouseUp(5115 / 2.0); }, 90.0, true);
    }
    void seeking()
    {
        auto [seek, position, seeked] = fetch<Step, double, bool>({"seek", "position", "seeked"});
        Served s(2);
        s.w.btnPlay->click();
        settle();
        s.f.player.advance(60);
        Watch watch;
        seek(s.w, s.f.player);
        const qlonglong us = std::llround(position * 1e6);
        QCOMPARE(get("Position").toLongLong(), us);
        QCOMPARE(watch.seeks, seeked ? QList<qlonglong>{us} : QList<qlonglong>{});
    }

    void withoutABusNothingIsOffered()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(1));
        const MprisService service(w, QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "none"));
        QVERIFY(service.serviceName().isEmpty());
        w.btnVolDown->click();
        QVERIFY(!client().interface()->isServiceRegistered(kService).value());
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
