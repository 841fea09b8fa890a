#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "album/track_list_page.h"
#include "prefs/options_page.h"
#include "form/form1.h"
#include "platform/message_box.h"
#include "form/text_codec.h"
#include "audio/media_player.h"
#include "logic/play_modes.h"

void Form1::lstTracks_DblClick()
{
    if (m.PlayMode == Mode::Playlist) return;
    m.PlayMode = opAll->isChecked() ? Mode::All : opRand->isChecked() ? Mode::Random : Mode::One;
    m.CurrentRecord = fmTrackList->lstTracks->listIndex() + 1;
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
        lblPlayMode->setText(toDisplay(kPlayerPaused));
        setPlayButtonsEnabled(false);
        break;
    default: break;
    }
}

void Form1::btnStop_Click()
{
    // Nothing follows a stop.
    if (std::exchange(m.NextTrackAsked, false)) os.player->setNextSourceFile({});
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

void Form1::chooseTrackListMode(Mode mode)
{
    if (m.PlayMode == Mode::Playlist) {
        os.messages->show(QStringLiteral("These buttons are ineffective\rwhen playing the playlist.\r"),
                          QStringLiteral("Playing Playlist"), MsgIcon::None, MsgButtons::Ok);
        return;
    }
    m.PlayMode = mode;
    if (os.player->playState() == MediaPlayer::Playing) lblPlayMode->setText(toDisplay(statusText(mode)));
    offerNextTrack();
    emit playerChanged();
}

void Form1::opOne_Click()
{
    chooseTrackListMode(Mode::One);
}

void Form1::opAll_Click()
{
    chooseTrackListMode(Mode::All);
}

void Form1::opRand_Click()
{
    chooseTrackListMode(Mode::Random);
}

void Form1::lblPath_MouseMove()
{
    lblPath->setToolTip(toDisplay(mp3Path(m.DetailsFolder, m.TrackRec)));
}

void Form1::connectPlayback()
{
    connect(os.player, &MediaPlayer::playStateChange, this, &Form1::mp1_PlayStateChange);
    connect(os.player, &MediaPlayer::aboutToFinish, this, &Form1::mp1_AboutToFinish);
    // The bars follow an exact length as soon as it is known.
    connect(os.player, &MediaPlayer::durationChange, this, &Form1::Timer1_Timer);
    // What follows the playing track in mode "All" depends on the preference too.
    for (QRadioButton* preference : {fmOptions->opOT, fmOptions->opLS, fmOptions->opAny})
        connect(preference, &QRadioButton::toggled, this, &Form1::offerNextTrack);
    connect(fmTrackList->lstTracks, &ListBox::dblClick, this, &Form1::lstTracks_DblClick);
    connect(btnPlay, &QPushButton::clicked, this, &Form1::btnPlay_Click);
    connect(btnPause, &QPushButton::clicked, this, &Form1::btnPause_Click);
    connect(btnStop, &QPushButton::clicked, this, &Form1::btnStop_Click);
    connect(btnSkip, &QPushButton::clicked, this, &Form1::btnSkip_Click);
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
