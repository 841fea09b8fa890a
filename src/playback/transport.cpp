#include <QPushButton>
#include <QRadioButton>

#include "app/form1.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "playback/media_player.h"
#include "playback/play_modes.h"

void Form1::lstTracks_DblClick()
{
    if (m.PlayMode == playmode::Playlist) return;
    m.PlayMode = opAll->isChecked() ? playmode::All : opRand->isChecked() ? playmode::Random : playmode::One;
    m.CurrentRecord = lstTracks->listIndex() + 1;
    PlayTrack();
}

void Form1::btnPlay_Click()
{
    lstTracks_DblClick();
}

void Form1::setPlayButtonsEnabled(bool enabled)
{
    btnPlay->setEnabled(enabled);
    btnMinPlay->setEnabled(enabled);
}

void Form1::btnPause_Click()
{
    switch (os.player->playState()) {
    case MediaPlayer::Paused:
        os.player->play();
        setPlayButtonsEnabled(true);
        break;
    case MediaPlayer::Playing:
        os.player->pause();
        lblPlayMode->setText(QStringLiteral("Player Paused"));
        setPlayButtonsEnabled(false);
        break;
    default: break;
    }
}

void Form1::btnStop_Click()
{
    if (os.player->playState() == MediaPlayer::Paused) {
        os.player->play();
        setPlayButtonsEnabled(true);
    }
    os.player->setPosition(os.player->duration());
    stopPlayback();
}

void Form1::btnSkip_Click()
{
    os.player->setPosition(os.player->duration());
}

void Form1::btnSkipBack_Click() {}

void Form1::chooseTrackListMode(char mode, const char* playingText)
{
    if (m.PlayMode == playmode::Playlist) {
        os.messages->show(QStringLiteral("These buttons are ineffective\rwhen playing the playlist.\r"),
                          QStringLiteral("Playing Playlist"), MsgIcon::None, MsgButtons::Ok);
        return;
    }
    m.PlayMode = mode;
    if (os.player->playState() == MediaPlayer::Playing) lblPlayMode->setText(QString::fromLatin1(playingText));
}

void Form1::opOne_Click()
{
    chooseTrackListMode(playmode::One, "Playing from Track List");
}

void Form1::opAll_Click()
{
    chooseTrackListMode(playmode::All, "Playing all tracks from Track List");
}

void Form1::opRand_Click()
{
    chooseTrackListMode(playmode::Random, "Playing random tracks from Track List");
}

void Form1::lblPath_MouseMove()
{
    lblPath->setToolTip(toDisplay(mp3Path(m.DetailsFolder, m.TrackRec)));
}

void Form1::connectPlayback()
{
    connect(os.player, &MediaPlayer::playStateChange, this, &Form1::mp1_PlayStateChange);
    connect(lstTracks, &ListBox::dblClick, this, &Form1::lstTracks_DblClick);
    connect(btnPlay, &QPushButton::clicked, this, &Form1::btnPlay_Click);
    connect(btnPause, &QPushButton::clicked, this, &Form1::btnPause_Click);
    connect(btnStop, &QPushButton::clicked, this, &Form1::btnStop_Click);
    connect(btnSkip, &QPushButton::clicked, this, &Form1::btnSkip_Click);
    connect(btnSkipBack, &QPushButton::clicked, this, &Form1::btnSkipBack_Click);
    connect(opOne, &QRadioButton::clicked, this, &Form1::opOne_Click);
    connect(opAll, &QRadioButton::clicked, this, &Form1::opAll_Click);
    connect(opRand, &QRadioButton::clicked, this, &Form1::opRand_Click);
    connect(lblPath, &ClickLabel::mouseMove, this, &Form1::lblPath_MouseMove);
    // The mini player's transport runs the same handlers.
    connect(btnMinPlay, &QPushButton::clicked, this, &Form1::btnPlay_Click);
    connect(btnMinPause, &QPushButton::clicked, this, &Form1::btnPause_Click);
    connect(btnMinStop, &QPushButton::clicked, this, &Form1::btnStop_Click);
    connect(btnMinSkip, &QPushButton::clicked, this, &Form1::btnSkip_Click);
}
