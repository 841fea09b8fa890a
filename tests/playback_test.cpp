// Playing tracks from the track list: what the player is given, what the pane
// shows, what follows when a track ends, and the transport buttons.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/playback_fixture.h"

namespace {

QString pathOf(const FormFixture& f, int record)
{
    return QString::fromStdString(f.album.folder() + "f1/t" + std::to_string(record) + ".mp3");
}

}  // namespace

class PlaybackTest : public QObject {
    Q_OBJECT
private slots:
    // What the window tells the player ahead is what its end-of-track handler then plays.
    void theNextTrackIsToldAhead_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("preference");
        QTest::addColumn<QList<int>>("linesides");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("told"); // record number; 0: nothing follows
        QTest::newRow("all: the next line") << "opAll" << "opOT" << QList<int>{0, 0, 0} << "" << 2;
        QTest::newRow("on train passes over lineside") << "opAll" << "opOT" << QList<int>{0, -1, -1, 0} << "" << 4;
        QTest::newRow("lineside passes over on train") << "opAll" << "opLS" << QList<int>{-1, 0, 0, -1} << "" << 4;
        QTest::newRow("odd lineside value is never passed over") << "opAll" << "opOT" << QList<int>{0, -1, 1, 0} << "" << 3;
        QTest::newRow("both passes over nothing") << "opAll" << "opAny" << QList<int>{0, -1, -1, 0} << "" << 2;
        QTest::newRow("nothing allowed after the line") << "opAll" << "opOT" << QList<int>{0, -1, -1, -1} << "" << 0;
        QTest::newRow("one track, played though the preference passes it over") << "opOne" << "opOT" << QList<int>{-1, 0} << "" << 0;
        QTest::newRow("changed to one after telling") << "opAll" << "opOT" << QList<int>{0, 0} << "opOne" << 0;
        QTest::newRow("another line clicked after telling") << "opAll" << "opOT" << QList<int>{0, 0, 0, 0} << "line 3" << 4;
        QTest::newRow("preference changed after telling") << "opAll" << "opOT" << QList<int>{0, -1, 0} << "opLS" << 2;
    }
    void theNextTrackIsToldAhead()
    {
        QFETCH(QString, option);
        QFETCH(QString, preference);
        QFETCH(QList<int>, linesides);
        QFETCH(QString, change);
        QFETCH(int, told);
        FormFixture f;
        std::vector<TrackSpec> tracks;
        for (int i = 0; i < linesides.size(); ++i) tracks.push_back({"Track " + std::to_string(i + 1), int16_t(linesides[i])});
        Form1& w = startOnAlbum(f, tracks);
        w.findChild<QRadioButton*>(preference)->setChecked(true);
        w.findChild<QRadioButton*>(option)->click();
        doubleClickRow(w.lstTracks, 0);
        QCOMPARE(f.player.calls.mid(f.player.calls.size() - 2), (QStringList{"setStartOnOpen true", "setSourceFile " + pathOf(f, 1)}));
        const bool one = option == "opOne";
        QCOMPARE(w.session->mode(), one ? Mode::One : Mode::All);
        QCOMPARE(w.lblPlayMode->text(), one ? QStringLiteral("Playing from Track List") : QStringLiteral("Playing all tracks from Track List"));
        settle();
        f.player.advance(f.player.duration() - 2);
        settle();
        if (change == "line 3") w.lstTracks->setListIndex(2);
        else if (!change.isEmpty()) w.findChild<QRadioButton*>(change)->click();
        QCOMPARE(f.player.nextFiles.last(), told ? pathOf(f, told) : QString());
        f.player.finishTrack();
        settle();
        QCOMPARE(f.player.sourceFiles.size(), told ? 2 : 1);
        QCOMPARE(f.player.sourceFiles.last(), pathOf(f, told ? told : 1));
        // The line, the notes and the title follow the track that plays; with nothing to follow, playback stops.
        if (told) {
            QCOMPARE(w.lstTracks->selectedRows(), QList<int>{told - 1});
            QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Notes of Track %1").arg(told));
            QCOMPARE(w.lblTitle->text().trimmed(), QStringLiteral("Track %1").arg(told));
        }
        QCOMPARE(w.lblPlayMode->text(), told ? QStringLiteral("Playing all tracks from Track List") : QStringLiteral("Player Stopped"));
        QCOMPARE(w.session->mode(), told ? Mode::All : Mode::Stopped);
    }

    void randomDrawsReachEveryLine()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(4));
        w.m.Random.seed(7);
        w.opRand->click();
        doubleClickRow(w.lstTracks, 2);
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Playing random tracks from Track List"));
        QCOMPARE(f.player.sourceFiles, QStringList{pathOf(f, 3)});
        settle();
        QSet<QString> played;
        for (int i = 0; i < 80; ++i) {
            f.player.finishTrack();
            settle();
            played.insert(f.player.sourceFiles.last());
        }
        QCOMPARE(played.size(), 4);
        QCOMPARE(w.session->mode(), Mode::Random);
    }

    // At a track's end in random mode: the one line the preference allows is found; with none, playback stops.
    void randomFindsTheAllowedLineOrStops_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("allowed");  // the one lineside record, 0 for none
        QTest::newRow("one allowed among 200") << 200 << 151;
        QTest::newRow("every line excluded") << 40 << 0;
        QTest::newRow("empty album") << 0 << 0;
    }
    void randomFindsTheAllowedLineOrStops()
    {
        QFETCH(int, count);
        QFETCH(int, allowed);
        FormFixture f;
        std::vector<TrackSpec> tracks = numbered(count);
        if (allowed) tracks[size_t(allowed - 1)].lineside = -1;
        Form1& w = startOnAlbum(f, tracks);
        (count ? w.opLS : w.opAny)->setChecked(true);
        w.session->setMode(Mode::Random);
        w.mp1_PlayStateChange(MediaPlayer::Playing, MediaPlayer::Stopped);
        QCOMPARE(f.player.sourceFiles, allowed ? QStringList{pathOf(f, allowed)} : QStringList());
        if (allowed) QCOMPARE(w.lstTracks->listIndex(), allowed - 1);
        else QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(w.session->mode(), allowed ? Mode::Random : Mode::Stopped);
    }

    void aTrackThatCannotBePlayedShowsTheProblem()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(2));
        f.player.failAllFiles = true;
        w.opAll->click();
        doubleClickRow(w.lstTracks, 1);
        settle();
        QCOMPARE(f.messages.shown.size(), 1);
        const ShownMessage& shown = f.messages.shown.first();
        QCOMPARE(shown.title, QStringLiteral("Problem"));
        QCOMPARE(shown.icon, MsgIcon::Question);
        QCOMPARE(shown.buttons, MsgButtons::Ok);
        QCOMPARE(shown.prompt,
                 "There is a problem playing this track.\r\rNote the path & filename below and ensure that you have "
                 "the file available.\r\r" + pathOf(f, 2) +
                     "\r\rIf the file is available then another programme using your sound card could be the problem.");
        QCOMPARE(w.lblTitle->text().trimmed(), QStringLiteral("Track 2"));
        // Nothing plays, so the player reads stopped and nothing follows.
        QCOMPARE(w.session->mode(), Mode::Stopped);
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(f.player.sourceFiles, QStringList{pathOf(f, 2)});
    }

    void pauseTwiceResumesAndStopEndsAPausedTrack()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(2));
        const auto click = [](QPushButton* button) { button->click(); settle(); };
        click(w.btnPause);
        QVERIFY(!f.player.calls.contains("pause") && !f.player.calls.contains("play"));
        w.opAll->click();
        doubleClickRow(w.lstTracks, 0);
        settle();
        f.player.advance(30);
        click(w.btnPause);
        QCOMPARE(f.player.playState(), 1);
        QVERIFY(!w.btnPlay->isEnabled() && !w.btnMinPlay->isEnabled());
        click(w.btnPause);
        QCOMPARE(f.player.playState(), 2);
        QCOMPARE(f.player.position(), 30.0);
        QVERIFY(w.btnPlay->isEnabled() && w.btnMinPlay->isEnabled());
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Playing all tracks from Track List"));
        // Stopped while paused, the track ends where it stands and nothing follows.
        click(w.btnPause);
        click(w.btnStop);
        QCOMPARE(f.player.playState(), 0);
        QCOMPARE(f.player.position(), f.player.duration());
        QVERIFY(w.btnPlay->isEnabled() && w.btnMinPlay->isEnabled());
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(f.player.sourceFiles.size(), 1);
    }

    void optionsWhileThePlaylistPlaysOnlyTellTheUser()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        w.session->setMode(Mode::Playlist);
        w.opRand->click();
        QCOMPARE(w.session->mode(), Mode::Playlist);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Playing Playlist"));
        QCOMPARE(f.messages.shown[0].prompt, QStringLiteral("These buttons are ineffective\rwhen playing the playlist.\r"));
        QCOMPARE(f.messages.shown[0].icon, MsgIcon::None);
        doubleClickRow(w.lstTracks, 1);
        QVERIFY(f.player.sourceFiles.isEmpty());
    }

    // Minimized, the caption shows the playing title until the track ends; the path's tooltip
    // names the record last read, the path itself the playing file.
    void captionAndPathTooltip()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        f.windows.minimized = true;
        doubleClickRow(w.lstTracks, 0);
        settle();
        QCOMPARE(w.windowTitle(), "Quillon Playing:" + QStringLiteral("Track 1").leftJustified(60));
        w.lstTracks->setListIndex(2);
        w.lblPath_MouseMove();
        QCOMPARE(w.lblPath->toolTip(), pathOf(f, 3));
        QCOMPARE(w.lblPath->text(), QStringLiteral("Album: f1   File: t1.mp3"));
        f.player.finishTrack();
        settle();
        QCOMPARE(w.windowTitle(), QStringLiteral("Velloran Quillon"));
    }
};

QTEST_MAIN(PlaybackTest)
#include "playback_test.moc"
