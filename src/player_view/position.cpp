#include <QTimer>
#include <cmath>

#include "form/form1.h"
#include "audio/media_player.h"
#include "logic/position_text.h"

namespace {

constexpr double kBarHeight = 135;
const QColor kBarGreen(0x00, 0xFF, 0x00);

// Ticks come ten times a second: a label is only touched when its text changes.
void showText(QLabel* label, const QString& text)
{
    if (label->text() != text) label->setText(text);
}

}  // namespace

// While the player is stopped nothing it reports changes, so after drawing
// what it shows the timer rests until something restarts it (keepTicking).
void Form1::Timer1_Timer()
{
    if (os.player->playState() == MediaPlayer::Stopped) Timer1->stop();
    const double position = os.player->position();
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
        return;
    }
    // Each tick paints over the last, so a bar only grows until something clears it;
    // a tick that does not widen it by a pixel draws nothing.
    picTimer->fillBox(0, 0, position / duration * kMainBarWidth, kBarHeight, kBarGreen);
    picMinTimer->fillBox(0, 0, position / duration * kMiniBarWidth, kBarHeight, kBarGreen);
}

void Form1::keepTicking()
{
    if (!Timer1->isActive()) Timer1->start();
}

void Form1::picTimer_MouseMove(double x)
{
    picTimer->setToolTip(QString::fromStdString(seekToolTip(os.player->duration(), x, kMainBarWidth)));
}

void Form1::picMinTimer_MouseMove(double x)
{
    picMinTimer->setToolTip(QString::fromStdString(seekToolTip(os.player->duration(), x, kMiniBarWidth)));
}

void Form1::picTimer_MouseUp(double x)
{
    seekFromBar(picTimer, x, kMainBarWidth);
}

void Form1::picMinTimer_MouseUp(double x)
{
    seekFromBar(picMinTimer, x, kMiniBarWidth);
}

void Form1::seekFromBar(PictureBox* bar, double x, double barWidth)
{
    os.player->setPosition(seekPosition(os.player->duration(), x, barWidth));
    bar->cls();
    keepTicking();
    os.player->setVolume(VolumeLevel);
    // Toggling twice leaves the mute state as it was and applies it to the player again.
    btnVolMute_Click();
    btnVolMute_Click();
    emit positionMoved();
}
