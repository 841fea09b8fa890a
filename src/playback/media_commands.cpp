#include "playback/media_commands.h"

#include <QPushButton>

#include "audio/media_player.h"
#include "form/form1.h"

void mediaPlay(Form1& form)
{
    const int state = form.os.player->playState();
    // Play is disabled while paused; the Pause button resumes.
    if (state == MediaPlayer::Paused)
        form.btnPause_Click();
    else if (state != MediaPlayer::Playing && form.btnPlay->isEnabled())
        form.btnPlay_Click();
}

void mediaPause(Form1& form)
{
    if (form.os.player->playState() == MediaPlayer::Playing) form.btnPause_Click();
}

void mediaPlayPause(Form1& form)
{
    if (form.os.player->playState() == MediaPlayer::Stopped)
        mediaPlay(form);
    else
        form.btnPause_Click();
}
