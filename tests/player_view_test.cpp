// The elapsed time, the position bars, seeking, and the volume display.
#include <QPushButton>
#include <QTest>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "form/twips.h"
#include "logic/position_text.h"
#include "logic/window_place.h"
#include "support/playback_fixture.h"

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
    w.lstTracks->setListIndex(0);
    w.btnPlay->click();
    settle();
    return w;
}

QStringList clickTimes(QPushButton* button, QLabel* display, int times)
{
    QStringList shown;
    for (int i = 0; i < times; ++i) {
        button->click();
        shown << display->text();
    }
    return shown;
}

// A window on two tracks, its full view at (100, 50) px and the mini player remembered
// at MiniTop 900, MiniLeft 1800 twips (60, 120 px).
Form1& startPlaced(FormFixture& f)
{
    Form1& w = f.startWith(writeAlbum(f, numbered(2)), {{23, " 900 "}, {24, " 1800 "}});
    f.windows.move(&w, QPoint(100, 50));
    return w;
}

QList<QWidget*> miniControls(Form1& w)
{
    return {w.lblminTitle, w.lblMinPTime, w.Label10, w.lblMinTime, w.btnMinExit, w.btnMinMax, w.btnMinPlay,
            w.btnMinPause, w.btnMinSkip, w.btnMinMute, w.btnMinStop, w.btnMinVolDn, w.btnMinVolUp, w.picMin};
}

}  // namespace

class PlayerViewTest : public QObject {
    Q_OBJECT
private slots:
    void elapsedTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("before the start") << -3.0 << "00:00";
        QTest::newRow("just under a minute") << 59.99 << "00:59";
        QTest::newRow("ten minutes") << 600.0 << "10:00";
        QTest::newRow("over an hour") << 4503.0 << "75:03";
    }
    void elapsedTime()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(elapsedText(seconds)), text);
    }

    void seekingMapsTheBarToTheTrack_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("position");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("middle of a five-minute track") << 300.0 << 2557.5 << 5115.0 << 150.0 << "Click to play at 02:30";
        QTest::newRow("left of the bar") << 300.0 << -200.0 << 5115.0 << 0.0 << "Click to play at 00:00";
        QTest::newRow("nothing loaded") << 0.0 << 2000.0 << 5115.0 << 0.0 << "Click to play at 00:00";
        QTest::newRow("long track on the mini bar") << 6000.0 << 3495.0 << 3495.0 << 6000.0 << "Click to play at 100:00";
    }
    void seekingMapsTheBarToTheTrack()
    {
        QFETCH(double, duration);
        QFETCH(double, x);
        QFETCH(double, width);
        QFETCH(double, position);
        QFETCH(QString, tooltip);
        QCOMPARE(seekPosition(duration, x, width), position);
        QCOMPARE(QString::fromStdString(seekToolTip(duration, x, width)), tooltip);
    }

    void keepOnScreen_data()
    {
        QTest::addColumn<Box>("window");
        QTest::addColumn<Box>("placed");
        QTest::newRow("on the screen") << Box{100, 50, 337, 85} << Box{100, 50, 337, 85};
        QTest::newRow("mostly off, still reachable") << Box{1900, 1070, 337, 85} << Box{1900, 1070, 337, 85};
        QTest::newRow("right of a removed monitor") << Box{3500, 300, 337, 85} << Box{2863, 400, 337, 85};
        QTest::newRow("above and left") << Box{-900, -400, 337, 85} << Box{0, 0, 337, 85};
        QTest::newRow("just touching the edge") << Box{1920, 10, 337, 85} << Box{1583, 10, 337, 85};
        QTest::newRow("below the second screen") << Box{2000, 1500, 337, 85} << Box{2000, 1115, 337, 85};
        QTest::newRow("larger than its screen") << Box{-3000, 0, 2000, 85} << Box{0, 0, 2000, 85};
    }
    void keepOnScreen()
    {
        QFETCH(Box, window);
        QFETCH(Box, placed);
        QCOMPARE(::keepOnScreen(window, {{0, 0, 1920, 1080}, {1920, 400, 1280, 800}}), placed);
        QCOMPARE(::keepOnScreen(window, {}), window);
    }

    void rememberedLeftIsSixteenBits_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<int>("remembered");
        QTest::newRow("rounded half away") << 1807.5 << 1808;
        QTest::newRow("far right holds at the top") << 45000.0 << 32767;
        QTest::newRow("far left holds at the bottom") << -40000.0 << -32768;
    }
    void rememberedLeftIsSixteenBits()
    {
        QFETCH(double, left);
        QFETCH(int, remembered);
        QCOMPARE(int(rememberedLeft(left)), remembered);
    }

    // Each row: where the user drags the mini player (or nowhere), where it and the full
    // window stand after leaving and entering again, and the place remembered.
    void eachViewKeepsItsPlace_data()
    {
        QTest::addColumn<QPoint>("dragTo");
        QTest::addColumn<QPoint>("mainAgain");
        QTest::addColumn<QPoint>("miniAgain");
        QTest::addColumn<QPoint>("remembered");  // MiniLeft, MiniTop after leaving
        QTest::newRow("not moved") << QPoint(-1, -1) << QPoint(100, 50) << QPoint(120, 60) << QPoint(1800, 900);
        QTest::newRow("moved") << QPoint(300, 200) << QPoint(100, 50) << QPoint(300, 200) << QPoint(4500, 3000);
        QTest::newRow("moved onto a monitor removed before the return")
            << QPoint(2600, 700) << QPoint(100, 50) << QPoint(1583, 700) << QPoint(32767, 10500);
    }
    void eachViewKeepsItsPlace()
    {
        QFETCH(QPoint, dragTo);
        QFETCH(QPoint, mainAgain);
        QFETCH(QPoint, miniAgain);
        QFETCH(QPoint, remembered);
        FormFixture f;
        Form1& w = startPlaced(f);
        w.btnMinim->click();
        QCOMPARE(f.windows.position(&w), QPoint(120, 60));
        QCOMPARE(twipsRect(&w).size(), QSize(kMiniWidth, kMiniHeight));
        if (dragTo.x() >= 0) f.windows.move(&w, dragTo);
        w.btnMinMax->click();
        QCOMPARE(f.windows.position(&w), mainAgain);
        QCOMPARE(twipsRect(&w).size(), QSize(kFullWidth, kFullHeight));
        QCOMPARE(QPoint(w.MiniLeft, int(w.MiniTop)), remembered);
        w.btnMinim->click();
        QCOMPARE(f.windows.position(&w), miniAgain);
    }

    void theFullWindowReturnsOntoAScreen()
    {
        FormFixture f;
        Form1& w = startPlaced(f);
        f.windows.move(&w, QPoint(2500, 40));  // on a second monitor, unplugged while in the strip
        w.btnMinim->click();
        w.btnMinMax->click();
        QCOMPARE(f.windows.position(&w), QPoint(1920 - 690, 40));
    }

    void enteringCopiesThePlayingTrack_data()
    {
        QTest::addColumn<bool>("play");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("notes");
        QTest::newRow("nothing played yet") << false << "" << "";
        QTest::newRow("second track playing, another shown") << true << "Track 2 5th May 1975" << "Notes of Track 2";
    }
    void enteringCopiesThePlayingTrack()
    {
        QFETCH(bool, play);
        QFETCH(QString, title);
        QFETCH(QString, notes);
        FormFixture f;
        Form1& w = startPlaced(f);
        if (play) {
            doubleClickRow(w.lstTracks, 1);
            settle();
            w.lstTracks->setSelected(0, true);
            w.txtDetails->setPlainText(QStringLiteral("Notes of another track"));
        }
        w.btnVolDown->click();
        w.btnMinim->click();
        QCOMPARE(w.lblminTitle->text(), title);
        QCOMPARE(w.txtMinDetails->toPlainText(), notes);
        QCOMPARE(w.lblMinPTime->text(), w.lblPTime->text());
        QCOMPARE(w.lblMinVol->text(), QStringLiteral("9"));
        const QList<QWidget*> shown = miniControls(w) << w.Label12 << w.lblMinVol;
        for (QWidget* c : shown) QVERIFY2(c->isVisible(), qPrintable(c->objectName()));
        QVERIFY(!w.fmTrackList->isVisible() && !w.txtMinDetails->isVisible());
        QTest::mouseClick(w.lblminTitle, Qt::LeftButton);
        QVERIFY(w.txtMinDetails->isVisible());
        QTest::mouseClick(w.txtMinDetails->viewport(), Qt::LeftButton);
        QVERIFY(!w.txtMinDetails->isVisible());
        w.btnMinMax->click();
        for (QWidget* c : miniControls(w)) QVERIFY2(c->isHidden(), qPrintable(c->objectName()));
        QCOMPARE(w.lstTracks->selectedRows(), QList<int>{play ? 1 : 0});  // only the current track's line
    }

    void leavingShowsTheTrackListPage()
    {
        FormFixture f;
        Form1& w = startPlaced(f);
        w.fmTrackList->hide();
        w.fmOptions->show();
        w.btnMinim->click();
        w.btnMinMax->click();
        QVERIFY(w.fmTrackList->isVisible() && w.lstTracks->isVisible() && !w.fmOptions->isVisible());
        QVERIFY(w.opOne->isVisible());
    }

    void onTopIsReadOnEntry_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::newRow("checked") << true;
        QTest::newRow("unchecked: an ordinary window") << false;
    }
    void onTopIsReadOnEntry()
    {
        QFETCH(bool, checked);
        FormFixture f;
        Form1& w = startPlaced(f);
        w.chkOnTop->setChecked(checked);
        w.btnMinim->click();
        QCOMPARE(f.windows.onTop, checked);
        w.chkOnTop->setChecked(!checked);
        QCOMPARE(f.windows.onTop, checked);
        w.btnMinMax->click();
        QVERIFY(!f.windows.onTop);
        w.btnMinim->click();
        QCOMPARE(f.windows.onTop, !checked);
    }

    void theStripFollowsPlayback()
    {
        FormFixture f;
        Form1& w = startPlaced(f);
        w.opAll->click();
        doubleClickRow(w.lstTracks, 0);
        settle();
        w.btnMinim->click();
        w.btnMinSkip->click();
        settle();
        QCOMPARE(w.lblminTitle->text(), QStringLiteral("Track 2 5th May 1975"));
        QCOMPARE(w.txtMinDetails->toPlainText(), QStringLiteral("Notes of Track 2"));
        f.player.advance(61);
        w.Timer1_Timer();
        QCOMPARE(w.lblMinTime->text(), QStringLiteral("01:01"));
    }

    void exitFromTheStripSavesTheStartPlace()
    {
        FormFixture f;
        Form1& w = startPlaced(f);
        w.btnMinim->click();
        f.windows.move(&w, QPoint(400, 300));
        w.btnMinExit->click();
        QVERIFY(!w.isVisible());
        QVERIFY(f.readAppFile("qvb.ini").ends_with("\r\n 900 \r\n 1800 \r\n"));
    }

    void barsGrowWithThePosition()
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
    }

    void theEndResetsTheMainTotalOnly()
    {
        FormFixture f;
        Form1& w = startPlaying(f);
        f.player.finishTrack();
        settle();
        w.Timer1_Timer();
        QCOMPARE(w.lblPTime->text(), QStringLiteral("00:00"));
        QCOMPARE(w.lblMinPTime->text(), QStringLiteral("03:41"));
        QVERIFY(!isGreen(w.picTimer, 10) && !isGreen(w.picMinTimer, 10));
    }

    void aBackwardSeekRedrawsOnlyItsOwnBar()
    {
        FormFixture f;
        Form1& w = startPlaying(f);
        f.player.advance(240);
        w.Timer1_Timer();
        w.picTimer_MouseUp(5115.0 / 4);
        QCOMPARE(f.player.position(), 75.0);
        w.Timer1_Timer();
        QVERIFY(isGreen(w.picTimer, 1200) && !isGreen(w.picTimer, 1400));
        QVERIFY(isGreen(w.picMinTimer, 2700));
    }

    void seekingAPausedTrackKeepsItPaused()
    {
        FormFixture f;
        Form1& w = startPlaying(f);
        w.btnPause->click();
        settle();
        w.picMinTimer_MouseUp(3495.0 / 2);
        settle();
        QCOMPARE(f.player.playState(), 1);
        QCOMPARE(f.player.position(), 150.0);
    }

    void aSeekAppliesVolumeAndMuteAgain()
    {
        FormFixture f;
        Form1& w = startPlaying(f);
        w.btnVolDown->click();
        w.btnVolMute->click();
        f.player.calls.clear();
        w.picTimer_MouseUp(1000);
        QCOMPARE(f.player.calls.mid(1), (QStringList{"setVolume -320", "setMute false", "setMute true"}));
        QCOMPARE(w.lblVolume->text(), QStringLiteral("Mute"));
    }

    void volumeStepsDownToOne()
    {
        FormFixture f;
        Form1& w = f.start();
        w.btnVolUp->click();
        QCOMPARE(w.lblVolume->text(), QStringLiteral("10"));
        QCOMPARE(w.VolumeLevel, int16_t(0));
        QCOMPARE(clickTimes(w.btnVolDown, w.lblVolume, 10),
                 (QStringList{"9", "8", "7", "6", "5", "4", "3", "2", "1", "1"}));
        QCOMPARE(f.player.volume(), -2880);
        QCOMPARE(clickTimes(w.btnVolUp, w.lblVolume, 2), (QStringList{"2", "3"}));
        QCOMPARE(f.player.volume(), -2240);
    }

    void muteKeepsTheLevel()
    {
        FormFixture f;
        Form1& w = f.start();
        clickTimes(w.btnVolDown, w.lblVolume, 6);
        w.btnVolMute->click();
        QCOMPARE(w.lblVolume->text(), QStringLiteral("Mute"));
        QVERIFY(f.player.mute());
        QVERIFY(!w.btnVolUp->isEnabled() && !w.btnVolDown->isEnabled());
        w.btnVolMute->click();
        QCOMPARE(w.lblVolume->text(), QStringLiteral("4"));
        QCOMPARE(f.player.volume(), -1920);
        QVERIFY(!f.player.mute() && w.btnVolUp->isEnabled() && w.btnVolDown->isEnabled());
    }

    void miniButtonsCopyTheMainDisplay()
    {
        FormFixture f;
        Form1& w = f.start();
        w.btnMinVolDn->click();
        QCOMPARE(w.lblVolume->text(), QStringLiteral("9"));
        QCOMPARE(w.lblMinVol->text(), QStringLiteral("9"));
        w.btnMinMute->click();
        QCOMPARE(w.lblMinVol->text(), QStringLiteral("Mute"));
        QVERIFY(!w.btnMinVolDn->isEnabled() && !w.btnMinVolUp->isEnabled());
        w.btnMinMute->click();
        QVERIFY(w.btnMinVolDn->isEnabled());
        QCOMPARE(w.lblMinVol->text(), QStringLiteral("9"));
    }

    void miniDownDoesNothingWhileMutedFromTheMainPane()
    {
        FormFixture f;
        Form1& w = f.start();
        w.btnVolMute->click();
        QVERIFY(w.btnMinVolDn->isEnabled());
        w.btnMinVolDn->click();
        QCOMPARE(w.VolumeLevel, int16_t(0));
        QCOMPARE(w.lblMinVol->text(), QStringLiteral("Mute"));
    }
};

QTEST_MAIN(PlayerViewTest)
#include "player_view_test.moc"
