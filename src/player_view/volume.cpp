#include <algorithm>
#include <QPushButton>

#include <QTimer>

#include "form/form1.h"
#include "audio/media_player.h"
#include "logic/text.h"
#include "logic/volume_steps.h"

namespace {

QString displayedLevel(int16_t volumeLevel)
{
    return QString::number(volumeStep(volumeLevel));
}

}  // namespace

void Form1::btnVolUp_Click()
{
    VolumeLevel = int16_t(std::min(0, VolumeLevel + kVolumeStepSize));
    showVolume(displayedLevel(VolumeLevel));
    os.player->setVolume(VolumeLevel);
    emit playerChanged();
}

void Form1::btnVolDown_Click()
{
    // Guarded by the shown level, so "Mute" (not a number) stops it too.
    if (qtext::val(lblVolume->text().toStdString()) <= 1) return;
    VolumeLevel = int16_t(VolumeLevel - kVolumeStepSize);
    showVolume(displayedLevel(VolumeLevel));
    os.player->setVolume(VolumeLevel);
    emit playerChanged();
}

// Both volume displays and both pairs of volume buttons follow every change, whichever
// view made it: a mute from the main window left the mini player offering steps it
// would then show as a level while muted.
void Form1::btnVolMute_Click()
{
    const bool unmute = os.player->mute();
    os.player->setMute(!unmute);
    showVolume(unmute ? displayedLevel(VolumeLevel) : QStringLiteral("Mute"));
    for (QAbstractButton* step : std::initializer_list<QAbstractButton*>{btnVolUp, btnVolDown, btnMinVolUp, btnMinVolDn})
        step->setEnabled(unmute);
    emit playerChanged();
}

void Form1::showVolume(const QString& caption)
{
    lblVolume->setText(caption);
    lblMinVol->setText(caption);
}

void Form1::btnMinVolUp_Click()
{
    btnVolUp_Click();
}

void Form1::btnMinVolDn_Click()
{
    btnVolDown_Click();
}

void Form1::btnMinMute_Click()
{
    btnVolMute_Click();
}

void Form1::connectPlayerView()
{
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(picTimer, &PictureBox::mouseMove, this, [this](int, double x, double) { picTimer_MouseMove(x); });
    connect(picMinTimer, &PictureBox::mouseMove, this, [this](int, double x, double) { picMinTimer_MouseMove(x); });
    connect(picTimer, &PictureBox::mouseUp, this, [this](int, double x, double) { picTimer_MouseUp(x); });
    connect(picMinTimer, &PictureBox::mouseUp, this, [this](int, double x, double) { picMinTimer_MouseUp(x); });
    connect(btnVolUp, &QPushButton::clicked, this, &Form1::btnVolUp_Click);
    connect(btnVolDown, &QPushButton::clicked, this, &Form1::btnVolDown_Click);
    connect(btnVolMute, &QPushButton::clicked, this, &Form1::btnVolMute_Click);
    connect(btnMinVolUp, &QToolButton::clicked, this, &Form1::btnMinVolUp_Click);
    connect(btnMinVolDn, &QToolButton::clicked, this, &Form1::btnMinVolDn_Click);
    connect(btnMinMute, &QPushButton::clicked, this, &Form1::btnMinMute_Click);
}
