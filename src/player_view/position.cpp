#include <QTimer>
#include <cmath>

#include "form/form1.h"
#include "audio/media_player.h"
#include "logic/position_text.h"

namespace {

constexpr double kMainBarWidth = 5115;
constexpr double kMiniBarWidth = 3495;
constexpr double kBarHeight = 135;
const QColor kBarGreen(0x00, 0xFF, 0x00);

}  // namespace

void Form1::Timer1_Timer()
{
    const double position = os.player->position();
    const QString elapsed = QString::fromStdString(elapsedText(position));
    lblTime->setText(elapsed);
    lblMinTime->setText(elapsed);
    double duration = os.player->duration();
    if (duration == position) {
        const QString zero = QStringLiteral("00:00");
        lblTime->setText(zero);
        lblMinTime->setText(zero);
        lblPTime->setText(zero);
        duration = 0;
    }
    if (duration <= 0) {
        picTimer->cls();
        picMinTimer->cls();
        return;
    }
    // Each tick paints over the last, so a bar only grows until something clears it.
    picTimer->fillBox(0, 0, position / duration * kMainBarWidth, kBarHeight, kBarGreen);
    picMinTimer->fillBox(0, 0, position / duration * kMiniBarWidth, kBarHeight, kBarGreen);
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
    os.player->setVolume(VolumeLevel);
    // Toggling twice leaves the mute state as it was and applies it to the player again.
    btnVolMute_Click();
    btnVolMute_Click();
}
