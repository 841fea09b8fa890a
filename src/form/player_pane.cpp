// The player pane's and the mini player's transport: each handler gives the
// session its command.
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "audio/media_player.h"
#include "form/form1.h"
#include "form/text_codec.h"
#include "logic/position_text.h"
#include "playback/player_session.h"

void Form1::createSession()
{
    session = new PlayerSession(*os.player, *os.messages, {m.Album, m.DetailsFolder, m.Date, m.Random, toDisplay}, this);
}

void Form1::PlayTrack()
{
    session->playTrack();
}

void Form1::offerNextTrack()
{
    session->offerNextTrack();
}

void Form1::lstTracks_DblClick()
{
    session->playFromTrackList();
}

void Form1::btnPlay_Click()
{
    session->playFromTrackList();
}

void Form1::btnPause_Click()
{
    session->pauseResume();
}

void Form1::btnStop_Click()
{
    session->stop();
}

void Form1::btnSkip_Click()
{
    session->skip();
}

void Form1::opOne_Click()
{
    session->chooseTrackListMode(Mode::One);
}

void Form1::opAll_Click()
{
    session->chooseTrackListMode(Mode::All);
}

void Form1::opRand_Click()
{
    session->chooseTrackListMode(Mode::Random);
}

void Form1::lblPath_MouseMove()
{
    lblPath->setToolTip(toDisplay(mp3Path(m.DetailsFolder, session->lastRecordRead())));
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
    seekingBar_ = bar;
    session->seekTo(seekPosition(os.player->duration(), x, barWidth));
    seekingBar_ = nullptr;
}

void Form1::btnVolUp_Click()
{
    session->volumeUp();
}

void Form1::btnVolDown_Click()
{
    session->volumeDown();
}

void Form1::btnVolMute_Click()
{
    session->toggleMute();
}

void Form1::btnMinVolUp_Click()
{
    session->volumeUp();
}

void Form1::btnMinVolDn_Click()
{
    session->volumeDown();
}

void Form1::btnMinMute_Click()
{
    session->toggleMute();
}

void Form1::connectPlayback()
{
    // The bars follow an exact length as soon as it is known.
    connect(os.player, &MediaPlayer::durationChange, this, &Form1::Timer1_Timer);
    connect(btnPlay, &QPushButton::clicked, this, &Form1::btnPlay_Click);
    connect(btnPause, &QPushButton::clicked, this, &Form1::btnPause_Click);
    connect(btnStop, &QPushButton::clicked, this, &Form1::btnStop_Click);
    connect(btnSkip, &QPushButton::clicked, this, &Form1::btnSkip_Click);
    connect(opOne, &QRadioButton::clicked, this, &Form1::opOne_Click);
    connect(opAll, &QRadioButton::clicked, this, &Form1::opAll_Click);
    connect(opRand, &QRadioButton::clicked, this, &Form1::opRand_Click);
    connect(lblPath, &ClickLabel::mouseMove, this, &Form1::lblPath_MouseMove);
    // The mini player's transport gives the same commands.
    connect(btnMinPlay, &QPushButton::clicked, this, &Form1::btnPlay_Click);
    connect(btnMinPause, &QPushButton::clicked, this, &Form1::btnPause_Click);
    connect(btnMinStop, &QPushButton::clicked, this, &Form1::btnStop_Click);
    connect(btnMinSkip, &QPushButton::clicked, this, &Form1::btnSkip_Click);
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
