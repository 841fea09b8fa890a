#include <QPlainTextEdit>

#include "form/form1.h"
#include "playlist/playlist_page.h"
#include "form/text_codec.h"
#include "platform/window_system.h"
#include "audio/media_player.h"
#include "logic/play_modes.h"

void Form1::mp1_PlayStateChange()
{
    if (os.player->playState() == MediaPlayer::Stopped) {
        const int current = lstTracks->listIndex();
        if (current >= 0) lstTracks->setSelected(current, false);
        if (m.PlayMode == Mode::Playlist) {
            const int next = fmPlaylist->nextPlaylistLine();
            if (next >= 0) {
                fmPlaylist->lstPlayList->setListIndex(next);
                m.PlaylistIndex = next;
                fmPlaylist->btnPListPlay_Click();
            } else {
                m.PlayMode = Mode::Stopped;
            }
        }
        if (m.PlayMode == Mode::All) {
            const int finished = m.PlayingRecord - 1;
            lstTracks->setSelected(finished, true);
            const int next = lstTracks->listIndex() + 1;
            if (next < lstTracks->listCount()) {
                lstTracks->setListIndex(next);
                lstTracks->setSelected(finished, false);
                PlayTrack();
            } else {
                m.PlayMode = Mode::Stopped;
            }
        }
        if (m.PlayMode == Mode::Random) {
            if (drawRandomLine())
                PlayTrack();
            else
                m.PlayMode = Mode::Stopped;
        }
        if (m.PlayMode == Mode::SearchOne || m.PlayMode == Mode::PlaylistOne || m.PlayMode == Mode::One)
            m.PlayMode = Mode::Stopped;
    }
    // A paused track keeps saying so; the mode's text would claim it is playing.
    if (os.player->playState() != MediaPlayer::Paused) lblPlayMode->setText(toDisplay(statusText(m.PlayMode)));
    if (m.PlayMode == Mode::Stopped) btnStop_Click();
    if (os.windows->isMinimized(this)) {
        setWindowTitle(m.PlayMode == Mode::Stopped ? QStringLiteral("Velloran Quillon")
                                                       : QStringLiteral("Quillon Playing:") + lblTitle->text());
    }
    const int current = lstTracks->listIndex();
    if (current >= 0) lstTracks->setSelected(current, true);
    lblminTitle->setText(lblTitle->text().trimmed() + QLatin1Char(' ') + lblDate->text().trimmed());
    txtMinDetails->setPlainText(txtDetails->toPlainText());
    txtMinDetails->hide();
    lblminTitle->show();
}
