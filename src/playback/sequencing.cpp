#include <QPlainTextEdit>

#include "app/form1.h"
#include "platform/window_system.h"
#include "playback/media_player.h"
#include "playback/play_modes.h"

void Form1::mp1_PlayStateChange()
{
    if (os.player->playState() == MediaPlayer::Stopped) {
        const int current = lstTracks->listIndex();
        if (current >= 0) lstTracks->setSelected(current, false);
        if (m.PlayMode == playmode::Playlist) m.PlayMode = playmode::Stopped;
        if (m.PlayMode == playmode::All) {
            const int finished = m.PlayingRecord - 1;
            lstTracks->setSelected(finished, true);
            const int next = lstTracks->listIndex() + 1;
            if (next < lstTracks->listCount()) {
                lstTracks->setListIndex(next);
                lstTracks->setSelected(finished, false);
                PlayTrack();
            } else {
                m.PlayMode = playmode::Stopped;
            }
        }
        if (m.PlayMode == playmode::Random) {
            if (drawRandomLine())
                PlayTrack();
            else
                m.PlayMode = playmode::Stopped;
        }
        if (m.PlayMode == playmode::SearchOne || m.PlayMode == playmode::PlaylistOne || m.PlayMode == playmode::One)
            m.PlayMode = playmode::Stopped;
    }
    // A paused track keeps saying so; the mode's text would claim it is playing.
    if (os.player->playState() != MediaPlayer::Paused) lblPlayMode->setText(playmode::statusText(m.PlayMode));
    if (m.PlayMode == playmode::Stopped) btnStop_Click();
    if (os.windows->isMinimized(this)) {
        setWindowTitle(m.PlayMode == playmode::Stopped ? QStringLiteral("Velloran Quillon")
                                                       : QStringLiteral("Quillon Playing:") + lblTitle->text());
    }
    const int current = lstTracks->listIndex();
    if (current >= 0) lstTracks->setSelected(current, true);
    lblminTitle->setText(lblTitle->text().trimmed() + QLatin1Char(' ') + lblDate->text().trimmed());
    txtMinDetails->setPlainText(txtDetails->toPlainText());
    txtMinDetails->hide();
    lblminTitle->show();
}
