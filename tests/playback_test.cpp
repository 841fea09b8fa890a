// Playing tracks from the track list: what the player is given, what the pane
// shows, what follows when a track ends, and the transport buttons.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

#include "form/text_codec.h"
#include "support/table.h"
#include "support/playback_fixture.h"

namespace {

QString pathOf(const fixture::AlbumDir& album, int record)
{
    return QString::fromStdString(album.folder() + "f1/t" + std::to_string(record) + ".mp3");
}

// The session on its own: the fake player, an album whose tracks have the given linesides,
// a track list of one line per record, and a preference that passes over one lineside.
struct SessionBench {
    SessionBench(const QList<int>& linesides, int16_t passedOver, Mode chosen)
    {
        std::vector<TrackRecord> tracks;
        for (int i = 1; i <= linesides.size(); ++i)
            tracks.push_back(
                fixture::makeTrack("T", "05051975", "03:41", int16_t(linesides[i - 1]), "t" + std::to_string(i), "f1"));
        album.open(dir.writeAlbum("album.qdb", tracks));
        session.setTrackSource({[count = int(linesides.size())] { return count; }, [this] { return line; },
                                [this](int l) { session.setCurrentRecord((line = l) + 1); }, [](int, bool) {},
                                [passedOver](int16_t lineside) { return lineside == passedOver; },
                                [chosen] { return chosen; }});
    }

    fixture::AlbumDir dir;
    FakeMediaPlayer player;
    RecordingMessageBoxes messages;
    AlbumFile album;
    const std::string folder = dir.folder();
    int line = 0;
    DateWords date;
    std::mt19937 random{7};
    PlayerSession session{player, messages, {album, folder, date, random, toDisplay}};
};

using Change = std::function<void(Form1&)>;

}  // namespace

Q_DECLARE_METATYPE(Change)

class PlaybackTest : public QObject {
    Q_OBJECT
private slots:
    // Started on a line, every track runs to its end: what plays, what the player is told ahead
    // (the same, where it is known), and whether playback then stops.
    void whatFollowsTheEndOfATrack_data()
    {
        // passedOver: the lineside the preference passes over; from: the line started on
        const auto row = columns<Mode, QList<int>, int, int, QList<int>, bool>(
            {"chosen", "linesides", "passedOver", "from", "played", "stops"});
        row("all: the next lines", Mode::All, {0, 0, 0}, 9, 1, {2, 3}, true);
        row("all passes over on train", Mode::All, {0, -1, -1, 0}, -1, 0, {1, 4}, true);
        row("an odd lineside is never passed over", Mode::All, {0, -1, 1}, -1, 0, {1, 3}, true);
        row("all from a line passed over", Mode::All, {-1, -1, 0}, -1, 0, {3}, true);
        row("nothing allowed after the line", Mode::All, {0, -1, -1}, -1, 0, {1}, true);
        row("nothing allowed at all", Mode::All, {0, 0}, 0, 0, {}, true);
        row("one, played though passed over", Mode::One, {-1, 0}, -1, 0, {1}, true);
        QList<int> oneOnTrain(200, -1);
        oneOnTrain[150] = 0;
        row("random finds the one allowed line", Mode::Random, oneOnTrain, -1, 0, {151, 151}, false);
        row("random with every line passed over", Mode::Random, QList<int>(40, 0), 0, 3, {}, true);
    }
    void whatFollowsTheEndOfATrack()
    {
        auto [chosen, linesides, passedOver, from, played, stops] = fetch<Mode, QList<int>, int, int, QList<int>, bool>(
            {"chosen", "linesides", "passedOver", "from", "played", "stops"});
        SessionBench b(linesides, int16_t(passedOver), chosen);
        b.line = from;
        b.session.playFromTrackList();
        for (int i = 0; i < played.size(); ++i) {
            QCOMPARE(b.player.sourceFiles.value(i), pathOf(b.dir, played[i]));
            b.player.advance(b.player.duration() - 2);
            QCoreApplication::processEvents();
            if (chosen != Mode::Random)
                QCOMPARE(b.player.nextFiles.last(), i + 1 < played.size() ? pathOf(b.dir, played[i + 1]) : QString());
            b.player.finishTrack();
            QCoreApplication::processEvents();
        }
        QCOMPARE(b.player.sourceFiles.size(), played.size() + (chosen == Mode::Random && !played.isEmpty()));
        QCOMPARE(b.session.mode(), stops ? Mode::Stopped : chosen);
        QVERIFY(b.session.status() == (stops ? kPlayerStopped : statusText(chosen)));
    }

    // Told ahead, a change the answer depends on tells the player again; the window follows the track that plays.
    void aChangeAfterTellingTellsAgain_data()
    {
        const auto row = columns<Change, int>({"change", "told"});  // told: record number; 0: nothing follows
        row(
            "changed to one", [](Form1& w) { w.opOne->click(); }, 0);
        row(
            "another line clicked", [](Form1& w) { w.fmTrackList->lstTracks->setListIndex(2); }, 4);
        row(
            "preference changed", [](Form1& w) { w.fmOptions->opLS->setChecked(true); }, 2);
    }
    void aChangeAfterTellingTellsAgain()
    {
        auto [change, told] = fetch<Change, int>({"change", "told"});
        FormFixture f;
        Form1& w = startOnAlbum(f, {{"Track 1", 0}, {"Track 2", -1}, {"Track 3", 0}, {"Track 4", 0}});
        w.fmOptions->opOT->setChecked(true);
        w.opAll->click();
        doubleClickRow(w.fmTrackList->lstTracks, 0);
        settle();
        f.player.advance(f.player.duration() - 2);
        settle();
        change(w);
        QCOMPARE(f.player.nextFiles.last(), told ? pathOf(f.album, told) : QString());
        f.player.finishTrack();
        settle();
        QCOMPARE(f.player.sourceFiles.last(), pathOf(f.album, told ? told : 1));
        if (told) {
            QCOMPARE(w.fmTrackList->lstTracks->selectedRows(), QList<int>{told - 1});
            QCOMPARE(w.fmTrackList->txtDetails->toPlainText(), QStringLiteral("Notes of Track %1").arg(told));
            QCOMPARE(w.lblTitle->text().trimmed(), QStringLiteral("Track %1").arg(told));
        }
        QCOMPARE(w.lblPlayMode->text(),
                 told ? QStringLiteral("Playing all tracks from Track List") : QStringLiteral("Player Stopped"));
    }

    // Random draws reach every line.
    void randomDrawsReachEveryLine()
    {
        SessionBench b(QList<int>(4, 0), 9, Mode::Random);
        b.session.playFromTrackList();
        QSet<QString> played;
        for (int i = 0; i < 80; ++i) {
            b.player.finishTrack();
            settle();
            played.insert(b.player.sourceFiles.last());
        }
        QCOMPARE(played.size(), 4);
    }

    void aTrackThatCannotBePlayedShowsTheProblem()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(2));
        f.player.failAllFiles = true;
        w.opAll->click();
        doubleClickRow(w.fmTrackList->lstTracks, 1);
        settle();
        QCOMPARE(f.messages.shown.size(), 1);
        const ShownMessage& shown = f.messages.shown.first();
        QVERIFY(shown.title == "Problem" && shown.icon == MsgIcon::Question && shown.buttons == MsgButtons::Ok);
        QCOMPARE(
            shown.prompt,
            "There is a problem playing this track.\r\rNote the path & filename below and ensure that you have "
            "the file available.\r\r"
                + pathOf(f.album, 2)
                + "\r\rIf the file is available then another programme using your sound card could be the problem.");
        // Nothing plays, so the player reads stopped and nothing follows.
        QCOMPARE(w.session->mode(), Mode::Stopped);
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(f.player.sourceFiles, QStringList{pathOf(f.album, 2)});
    }

    void optionsWhileThePlaylistPlaysOnlyTellTheUser()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        w.session->setMode(Mode::Playlist);
        w.opRand->click();
        QCOMPARE(w.session->mode(), Mode::Playlist);
        QCOMPARE(f.messages.shown.size(), 1);
        const ShownMessage& shown = f.messages.shown[0];
        QVERIFY(shown.title == "Playing Playlist" && shown.icon == MsgIcon::None);
        QCOMPARE(shown.prompt, QStringLiteral("These buttons are ineffective\rwhen playing the playlist.\r"));
        doubleClickRow(w.fmTrackList->lstTracks, 1);
        QVERIFY(f.player.sourceFiles.isEmpty());
    }

    // Minimized, the caption shows the playing title until the track ends; the path's tooltip
    // names the record last read, the path itself the playing file.
    void captionAndPathTooltip()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        f.windows.minimized = true;
        doubleClickRow(w.fmTrackList->lstTracks, 0);
        settle();
        QCOMPARE(w.windowTitle(), "Quillon Playing:" + QStringLiteral("Track 1").leftJustified(60));
        w.fmTrackList->lstTracks->setListIndex(2);
        w.lblPath_MouseMove();
        QCOMPARE(w.lblPath->toolTip(), pathOf(f.album, 3));
        QCOMPARE(w.lblPath->text(), QStringLiteral("Album: f1   File: t1.mp3"));
        f.player.finishTrack();
        settle();
        QCOMPARE(w.windowTitle(), QStringLiteral("Velloran Quillon"));
    }
};

QTEST_MAIN(PlaybackTest)
#include "playback_test.moc"
