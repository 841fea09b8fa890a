#include <QPlainTextEdit>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "playlist/playlist_page.h"
#include "form/text_codec.h"
#include "platform/window_system.h"
#include "audio/media_player.h"
#include "logic/play_modes.h"

void Form1::mp1_PlayStateChange(int, int newState)
{
    if (newState == MediaPlayer::Stopped) {
        const int current = fmTrackList->lstTracks->listIndex();
        if (current >= 0) fmTrackList->lstTracks->setSelected(current, false);
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
            fmTrackList->lstTracks->setSelected(finished, true);
            const int next = fmTrackList->lstTracks->listIndex() + 1;
            if (next < fmTrackList->lstTracks->listCount()) {
                fmTrackList->lstTracks->setListIndex(next);
                fmTrackList->lstTracks->setSelected(finished, false);
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
    // A paused track says so, also when a report from before the pause arrives first;
    // the mode's text would claim it is playing.
    lblPlayMode->setText(toDisplay(newState == MediaPlayer::Paused ? kPlayerPaused : statusText(m.PlayMode)));
    if (m.PlayMode == Mode::Stopped) btnStop_Click();
    if (os.windows->isMinimized(this)) {
        setWindowTitle(m.PlayMode == Mode::Stopped ? QStringLiteral("Velloran Quillon")
                                                       : QStringLiteral("Quillon Playing:") + lblTitle->text());
    }
    const int current = fmTrackList->lstTracks->listIndex();
    if (current >= 0) fmTrackList->lstTracks->setSelected(current, true);
    lblminTitle->setText(lblTitle->text().trimmed() + QLatin1Char(' ') + lblDate->text().trimmed());
    txtMinDetails->setPlainText(fmTrackList->txtDetails->toPlainText());
    txtMinDetails->hide();
    lblminTitle->show();
    keepTicking(); // one more tick shows a stop; playing and pausing tick on
}

// The player asks a few seconds before the end what follows, so that it can
// go on without a gap. The answer follows the rules of the handler above; the
// handler itself still decides, and the player drops a guess it does not take.
void Form1::mp1_AboutToFinish()
{
    m.NextTrackAsked = true;
    offerNextTrack();
}

// Asked again whenever the user changes what the answer depends on.
void Form1::offerNextTrack()
{
    if (m.NextTrackAsked) os.player->setNextSourceFile(toDisplay(nextTrackPath()));
}

// The file the end of the playing track will lead to; empty when that is not
// known ahead (random draws, one-track modes, the end of the list).
std::string Form1::nextTrackPath()
{
    if (m.PlayMode == Mode::Playlist) return nextPlaylistEntryPath();
    if (m.PlayMode != Mode::All) return {};
    // One line down from the current line, passing over what the preference excludes, as PlayTrack does.
    TrackRecord rec;
    for (int line = fmTrackList->lstTracks->listIndex() + 1; line < fmTrackList->lstTracks->listCount(); ++line) {
        if (!m.Album.read(line + 1, rec)) return {};
        if (!isExcludedByPreference(rec.Lineside)) return mp3Path(m.DetailsFolder, rec);
    }
    return {};
}

std::string Form1::nextPlaylistEntryPath()
{
    const std::optional<int32_t> record = fmPlaylist->nextPlaylistRecord();
    TrackRecord rec;
    if (!record || !m.Album.read(*record, rec)) return {};
    return mp3Path(m.DetailsFolder, rec);
}
