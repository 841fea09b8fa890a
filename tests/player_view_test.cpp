// The elapsed time, the position bars, seeking, and the volume display.
#include <QPushButton>
#include <QTimer>
#include <QTest>

#include "logic/position_text.h"
#include "support/playback_fixture.h"

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

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

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
        QVERIFY(w.Timer1->isActive());
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
        QVERIFY(!w.Timer1->isActive()); // nothing changes while stopped: the timer rests
    }

    // Ten ticks a second must cost nothing while nothing visible changes.
    void aTickPaintsOnlyWhatChanged_data()
    {
        QTest::addColumn<bool>("playing");
        QTest::addColumn<double>("step");
        QTest::addColumn<bool>("paints");
        QTest::newRow("nothing loaded") << false << 0.0 << false;
        QTest::newRow("under a pixel and a second") << true << 0.3 << false;
        QTest::newRow("a pixel and a second on") << true << 1.0 << true;
    }
    void aTickPaintsOnlyWhatChanged()
    {
        QFETCH(bool, playing);
        QFETCH(double, step);
        QFETCH(bool, paints);
        FormFixture f;
        Form1& w = playing ? startPlaying(f) : f.start();
        f.player.advance(100);
        w.Timer1_Timer();
        QCoreApplication::processEvents();
        PaintCounter counter;
        for (QWidget* shown : {static_cast<QWidget*>(w.picTimer), static_cast<QWidget*>(w.lblTime), static_cast<QWidget*>(w.lblPTime)})
            shown->installEventFilter(&counter);
        f.player.advance(step);
        w.Timer1_Timer();
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints > 0, paints);
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
