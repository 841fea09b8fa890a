// The elapsed time, the position bars, seeking, and the volume display.
#include <QPushButton>
#include <QTimer>
#include <QWindowStateChangeEvent>
#include <QTest>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <algorithm>

#include "logic/position_text.h"
#include "logic/window_place.h"
#include "support/playback_fixture.h"
#include "support/table.h"

Q_DECLARE_METATYPE(Box)

namespace {

bool isGreen(const PictureBox* bar, double xTwips)
{
    return bar->canvas().pixelColor(int(xTwips / 15), 2) == QColor(0, 255, 0);
}

// Starts the first of two tracks, each `duration` seconds long.
Form1& startPlaying(FormFixture& f, double duration = 300)
{
    f.player.defaultDuration = duration;
    Form1& w = startOnAlbum(f, {{"One", 0}, {"Two", 0}});
    w.fmTrackList->lstTracks->setListIndex(0);
    w.btnPlay->click();
    settle();
    return w;
}

QStringList clickTimes(QPushButton* button, QLabel* display, int times)
{
    QStringList shown;
    for (int i = 0; i < times; ++i) shown << (button->click(), display->text());
    return shown;
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT
private slots:
    void seekingMapsTheBarToTheTrack_data()
    {
        const auto row = columns<double, double, double, double, QString>(
            {"duration", "x", "width", "position", "tooltip"});
        row("left of the bar", 300.0, -200.0, 5115.0, 0.0, "Click to play at 00:00");
        row("seconds cut, not rounded", 119.98, 100.0, 200.0, 59.99, "Click to play at 00:59");
        row("long track on the mini bar", 6000.0, 3495.0, 3495.0, 6000.0, "Click to play at 100:00");
    }
    void seekingMapsTheBarToTheTrack()
    {
        auto [duration, x, width,
              position] = fetch<double, double, double, double>({"duration", "x", "width", "position"});
        QCOMPARE(seekPosition(duration, x, width), position);
        QTEST(QString::fromStdString(seekToolTip(duration, x, width)), "tooltip");
    }

    // A tick comes when the time or the bar in sight next changes, both at once when they fall close.
    void ticksComeWithWhatTheyShow_data()
    {
        const auto row = columns<double, double, double, double>({"position", "duration", "width", "wait"});
        row("no track: the time only", 10.2, 0.0, kMainBarWidth, 0.8);
        row("the time first", 10.95, 240.0, kMainBarWidth, 0.05);
        row("the bar first", 10.0, 240.0, kMainBarWidth, 0.20528);
        row("the bar just before the time", 10.9, 240.0, kMainBarWidth, 0.1);
        row("before the start", -1.0, 240.0, kMainBarWidth, 0.35191);
        row("short track on the mini bar", 5.0, 30.0, kMiniBarWidth, 0.08584);
    }
    void ticksComeWithWhatTheyShow()
    {
        auto [position, duration, width,
              wait] = fetch<double, double, double, double>({"position", "duration", "width", "wait"});
        const double got = secondsToNextTick(position, duration, width, 15, 0.1);
        QVERIFY2(std::abs(got - wait) < 1e-4, qPrintable(QString::number(got)));
    }

    void keepOnScreen_data()
    {
        const auto row = columns<Box, Box>({"window", "placed"});
        row("just touching: off", {1920, 10, 337, 85}, {1583, 10, 337, 85});
        row("nearest is the second", {3500, 300, 337, 85}, {2863, 400, 337, 85});
        row("larger than its screen", {-3000, -40, 2000, 85}, {0, 0, 2000, 85});
    }
    void keepOnScreen()
    {
        auto [window] = fetch<Box>({"window"});
        QTEST(::keepOnScreen(window, {{0, 0, 1920, 1080}, {1920, 400, 1280, 800}}), "placed");
    }

    // Entered, the strip shows the playing track and works the transport. Each view stands where it
    // was left after a return and a new entry, exit from the strip saves its place, and "Alway On Top"
    // is read on entering only.
    void theStripAndEachViewsPlace_data()
    {
        // dragTo: where the user drags the mini player; saved: MiniTop, MiniLeft
        const auto row = columns<bool, QString, QString, QPoint, QPoint, QPoint, QPoint, QString, bool>(
            {"play", "title", "notes", "main", "dragTo", "mainAgain", "miniAgain", "saved", "onTop"});
        const QString title = "Track 1 5th May 1975", notes = "Notes of Track 1";  // other notes are shown
        row("nothing played yet, not moved", false, "", "", {9, 5}, {120, 60}, {9, 5}, {120, 60}, " 900 \r\n 1800 ",
            true);
        row("first playing, moved", true, title, notes, {9, 5}, {300, 200}, {9, 5}, {300, 200}, " 3000 \r\n 4500 ",
            false);
        row("first playing, both on a monitor, then removed", true, title, notes, {2500, 40}, {2600, 700}, {1230, 40},
            {1583, 700}, " 10500 \r\n 32767 ", true);
    }
    void theStripAndEachViewsPlace()
    {
        auto [play, main, dragTo, saved,
              onTop] = fetch<bool, QPoint, QPoint, QString, bool>({"play", "main", "dragTo", "saved", "onTop"});
        FormFixture f;
        Form1& w = f.startWith(writeAlbum(f, numbered(2)), {{23, " 900 "}, {24, " 1800 "}});  // mini at 120, 60 px
        f.windows.move(&w, main);
        w.opAll->click();
        if (play) doubleClickRow(w.fmTrackList->lstTracks, 0);
        w.fmTrackList->lstTracks->setSelected(1, true);
        w.fmTrackList->txtDetails->setPlainText(QStringLiteral("Notes of another track"));
        w.fmOptions->show();
        w.fmOptions->chkOnTop->setChecked(onTop);
        w.btnMinim->click();
        w.fmOptions->chkOnTop->setChecked(!onTop);
        QVERIFY(f.windows.position(&w) == QPoint(120, 60) && w.size() == QSize(337, 85) && f.windows.onTop == onTop);
        QTEST(w.lblminTitle->text(), "title");
        QTEST(w.txtMinDetails->toPlainText(), "notes");
        QVERIFY(!w.fmTrackList->isVisible() && !w.txtMinDetails->isVisible());
        QStringList status;  // the strip's transport, and the next track's title
        for (QPushButton* b : {w.btnMinPause, w.btnMinPause, w.btnMinSkip, w.btnMinStop, w.btnMinPlay}) {
            if (!play) break;
            b->click();
            settle();
            status << w.lblPlayMode->text().section(' ', 0, 1) + ", " + w.lblminTitle->text().section(' ', 0, 1);
        }
        if (play)
            QCOMPARE(status, QStringList({"Player Paused, Track 1", "Playing all, Track 1", "Playing all, Track 2",
                                          "Player Stopped, Track 2", "Playing all, Track 2"}));
        f.windows.move(&w, dragTo);
        w.btnMinMax->click();
        QTEST(f.windows.position(&w), "mainAgain");
        QVERIFY(w.size() == QSize(690, 572) && !f.windows.onTop);
        QCOMPARE(w.fmTrackList->lstTracks->selectedRows(), QList<int>{play ? 1 : 0});  // the current track's line only
        QVERIFY(w.fmTrackList->isVisible() && w.fmTrackList->lstTracks->isVisible() && !w.fmOptions->isVisible());
        w.btnMinim->click();
        QTEST(f.windows.position(&w), "miniAgain");
        QCOMPARE(f.windows.onTop, !onTop);
        f.windows.move(&w, QPoint(400, 300));
        w.btnMinExit->click();
        QVERIFY(!w.isVisible() && f.readAppFile("qvb.ini").ends_with("\r\n" + saved.toStdString() + "\r\n"));
    }

    // Nothing moves on a window off the screen or a paused track: the timer rests, and the
    // window back (or the track going on) shows the position at once and ticks again.
    void theTimerRestsWhileNothingIsSeen_data()
    {
        const auto row = columns<QString, QString>({"away", "shown"});
        row("minimized", "minimized", "01:00");
        row("hidden", "hidden", "01:00");
        row("paused", "paused", "00:30");
    }
    void theTimerRestsWhileNothingIsSeen()
    {
        auto [away, shown] = fetch<QString, QString>({"away", "shown"});
        FormFixture f;
        Form1& w = startPlaying(f);
        f.player.advance(30);
        const auto goAway = [&](bool gone) {
            if (away == "paused") {
                w.btnPause->click();
            } else if (away == "hidden") {
                w.setVisible(!gone);
            } else {
                f.windows.minimized = gone;
                QWindowStateChangeEvent change(gone ? Qt::WindowNoState : Qt::WindowMinimized);
                QCoreApplication::sendEvent(&w, &change);
            }
            settle();
        };
        goAway(true);
        w.Timer1_Timer();
        QVERIFY(!w.Timer1->isActive());
        f.player.advance(30);
        goAway(false);
        QTRY_COMPARE(w.lblTime->text(), shown);
        QVERIFY(w.Timer1->isActive());
    }

    // The bars and times grow with the position. A seek on either bar: the player moves there,
    // the main bar is redrawn back to the new place while the strip's
    // waits, and a paused track stays paused. The end resets the main total only and rests the timer.
    void barsFollowThePositionSeeksAndTheEnd()
    {
        FormFixture f;
        Form1& w = startPlaying(f);
        f.player.advance(150);
        w.Timer1_Timer();
        QCOMPARE(w.lblTime->text(), QStringLiteral("02:30"));
        QCOMPARE(w.lblMinTime->text(), QStringLiteral("02:30"));
        QVERIFY(isGreen(w.picTimer, 2400) && !isGreen(w.picTimer, 2700));
        QVERIFY(isGreen(w.picMinTimer, 1600) && !isGreen(w.picMinTimer, 1900));
        QCOMPARE(w.lblPTime->text(), QStringLiteral("03:41"));
        QVERIFY(w.Timer1->isActive());
        f.player.advance(90);
        w.Timer1_Timer();
        w.picTimer_MouseUp(5115.0 / 4);
        QCOMPARE(f.player.position(), 75.0);
        w.Timer1_Timer();
        QVERIFY(isGreen(w.picTimer, 1200) && !isGreen(w.picTimer, 1400));
        QVERIFY(isGreen(w.picMinTimer, 2700));
        const auto clickPause = [&w] {
            w.btnPause->click();
            settle();
        };
        clickPause();
        w.picMinTimer_MouseUp(3495.0 / 2);
        settle();
        QCOMPARE(f.player.playState(), 1);
        QCOMPARE(f.player.position(), 150.0);
        clickPause();
        f.player.finishTrack();
        settle();
        w.Timer1_Timer();
        QCOMPARE(w.lblPTime->text(), QStringLiteral("00:00"));
        QCOMPARE(w.lblMinPTime->text(), QStringLiteral("03:41"));
        QVERIFY(!isGreen(w.picTimer, 10) && !isGreen(w.picMinTimer, 10));
        QVERIFY(!w.Timer1->isActive());  // nothing changes while stopped: the timer rests
    }

    // Steps stop at 10 and at 1 and the strip's buttons work the same level; a mute from either view
    // shows in both and disables every step button, and undone it brings the level back.
    void volumeStepsDownToOneAndMuteKeepsTheLevel()
    {
        FormFixture f;
        Form1& w = f.start();
        QStringList shown = clickTimes(w.btnVolUp, w.lblVolume, 1);
        shown += clickTimes(w.btnVolDown, w.lblVolume, 10);
        QCOMPARE(shown + clickTimes(w.btnVolUp, w.lblVolume, 3),
                 (QStringList{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1", "1", "2", "3", "4"}));
        w.btnMinVolDn->click();
        const QList<QWidget*> steps{w.btnVolUp, w.btnVolDown, w.btnMinVolUp, w.btnMinVolDn};
        for (QPushButton* mute : {w.btnVolMute, w.btnMinMute, w.btnVolMute, w.btnMinMute}) {
            mute->click();
            const bool muted = f.player.mute();
            QCOMPARE(w.lblVolume->text() + w.lblMinVol->text(),
                     muted ? QStringLiteral("MuteMute") : QStringLiteral("33"));
            QVERIFY(f.player.volume() == -2240
                    && std::all_of(steps.begin(), steps.end(), [muted](QWidget* b) { return b->isEnabled() != muted; }));
        }
    }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
