// What the player pane and the mini player show: they follow the session.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "audio/media_player.h"
#include "form/form1.h"
#include "form/text_codec.h"
#include "form/twips.h"
#include "logic/position_text.h"
#include "logic/text.h"
#include "platform/window_system.h"
#include "playback/player_session.h"

namespace {

constexpr double kBarHeight = 135;
constexpr int kTickMs = 100;
// A tick lands just after the change it waits for, not just before it.
constexpr int kTickLateMs = 3;
const QColor kBarGreen(0x00, 0xFF, 0x00);

// Ticks come up to ten times a second: a label is only touched when its text changes.
void showText(QLabel* label, const QString& text)
{
    if (label->text() != text) label->setText(text);
}

}  // namespace

// Only a playing track moves, and only a window on the screen is looked at. While both
// hold, the next tick comes when the time or the bar in sight will show something new, no
// later than a tenth of a second after it and at most ten a second; otherwise, after
// drawing what it shows, the timer rests until keepTicking.
void Form1::Timer1_Timer()
{
    const bool moving = os.player->playState() == MediaPlayer::Playing && onScreen();
    const double position = os.player->position();
    const double duration = showPosition(position);
    if (!moving) {
        Timer1->stop();
        return;
    }
    // The mini player covers the main bar, and the main window hides the mini bar:
    // ticks follow the one in sight (keepTicking catches up on a switch).
    const double barWidth = picMin->isVisible() ? kMiniBarWidth : kMainBarWidth;
    const double wait = secondsToNextTick(position, duration, barWidth, kTwipsPerPixel, kTickMs / 1000.0);
    Timer1->start(std::max(kTickMs, int(std::ceil(wait * 1000)) + kTickLateMs));
}

// Draws a position on both views; returns the duration the bars were drawn against (0 for none).
double Form1::showPosition(double position)
{
    const QString elapsed = QString::fromStdString(elapsedText(position));
    showText(lblTime, elapsed);
    showText(lblMinTime, elapsed);
    double duration = os.player->duration();
    if (duration == position) {
        const QString zero = QStringLiteral("00:00");
        showText(lblTime, zero);
        showText(lblMinTime, zero);
        showText(lblPTime, zero);
        duration = 0;
    }
    if (duration <= 0) {
        picTimer->cls();
        picMinTimer->cls();
        return 0;
    }
    // Each tick paints over the last, so a bar only grows until something clears it;
    // a tick that does not widen it by a pixel draws nothing.
    picTimer->fillBox(0, 0, position / duration * kMainBarWidth, kBarHeight, kBarGreen);
    picMinTimer->fillBox(0, 0, position / duration * kMiniBarWidth, kBarHeight, kBarGreen);
    return duration;
}

bool Form1::onScreen() const
{
    return isVisible() && !os.windows->isMinimized(this);
}

// Something moved or was shown: the next tick comes at once.
void Form1::keepTicking()
{
    if (onScreen()) Timer1->start(0);
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    keepTicking();
}

// The bar that was used starts again from the new place; the other one waits for the
// next track, as the desktop's seeks leave the strip's.
void Form1::showSeek()
{
    (seekingBar_ ? seekingBar_ : picTimer)->cls();
    keepTicking();
}

void Form1::restartBars()
{
    keepTicking();
    picTimer->cls();
    picMinTimer->cls();
}

void Form1::showPlayingTrack()
{
    const TrackRecord& rec = session->playingTrack();
    const DateWords& date = session->playingDate();
    lblTitle->setText(toDisplay(rec.Title));
    lblDate->setText(toDisplay(date.dayText + " " + date.monthText + date.yearText));
    lblPTime->setText(toDisplay(qtext::trim(rec.PlayTime)));
    lblMinPTime->setText(lblPTime->text());
    lblPath->setText(
        toDisplay("Album: " + qtext::trimmed(rec.Folder) + "   File: " + qtext::trimmed(rec.Mp3Name) + ".mp3"));
}

void Form1::showPlayerState()
{
    if (os.windows->isMinimized(this)) {
        setWindowTitle(session->mode() == Mode::Stopped ? QStringLiteral("Velloran Quillon")
                                                        : QStringLiteral("Quillon Playing:") + lblTitle->text());
    }
    const QString notes = pages.reselectCurrentLine ? pages.reselectCurrentLine() : QString();
    lblminTitle->setText(lblTitle->text().trimmed() + QLatin1Char(' ') + lblDate->text().trimmed());
    txtMinDetails->setPlainText(notes);
    txtMinDetails->hide();
    lblminTitle->show();
    keepTicking();  // one more tick shows a stop; playing and pausing tick on
}

// Both volume displays and both pairs of volume buttons follow every change, whichever view made it.
void Form1::showVolume()
{
    const bool muted = session->muted();
    const QString caption = muted ? QStringLiteral("Mute") : QString::number(session->volumeStep());
    lblVolume->setText(caption);
    lblMinVol->setText(caption);
    for (QAbstractButton* step : std::initializer_list<QAbstractButton*>{btnVolUp, btnVolDown, btnMinVolUp, btnMinVolDn})
        step->setEnabled(!muted);
}

void Form1::connectPlayerView()
{
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(session, &PlayerSession::statusChanged, this, [this] { lblPlayMode->setText(toDisplay(session->status())); });
    connect(session, &PlayerSession::pausedChanged, this, [this](bool paused) {
        btnPlay->setEnabled(!paused);
        btnMinPlay->setEnabled(!paused);
    });
    connect(session, &PlayerSession::trackLoading, this, &Form1::restartBars);
    connect(session, &PlayerSession::positionJumped, this, &Form1::showSeek);
    connect(session, &PlayerSession::trackChanged, this, &Form1::showPlayingTrack);
    connect(session, &PlayerSession::stateChanged, this, &Form1::showPlayerState);
    connect(session, &PlayerSession::volumeChanged, this, &Form1::showVolume);
}
