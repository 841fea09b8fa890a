// Playing the playlist, one entry or all of them, and an entry's notes.
#include <QPlainTextEdit>
#include <QPushButton>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "form/notes_pane.h"
#include "form/text_codec.h"
#include "playlist/playlist_page.h"

int PlaylistPage::nextPlaylistLine() const
{
    if (form.m.PlaylistEmpty) return -1;
    const int next = lstPlayList->listIndex() + 1;
    return next < lstPlayList->listCount() ? next : -1;
}

std::optional<int32_t> PlaylistPage::nextPlaylistRecord() const
{
    const int next = nextPlaylistLine();
    return next >= 0 ? lookUpEntry(next) : std::nullopt;
}

void PlaylistPage::btnPListPlay_Click()
{
    Module1& m = form.m;
    if ((m.PlayMode != Mode::Playlist && m.PlayMode != Mode::Stopped) || m.PlaylistEmpty) return;
    // Set first, so that selecting the line below only records it and leaves the Track List alone.
    m.PlayMode = Mode::Playlist;
    const int current = lstPlayList->listIndex();
    if (current < 0 || !lstPlayList->isSelected(current)) lstPlayList->setListIndex(0);
    if (!showEntry(lstPlayList->listIndex())) return;
    form.PlayTrack();
    const int line = form.fmTrackList->lstTracks->listIndex();
    if (line >= 0) form.fmTrackList->lstTracks->setSelected(line, true);
    form.lblTabTrackList_Click();
}

void PlaylistPage::lstPlayList_DblClick()
{
    Module1& m = form.m;
    if (m.PlayMode == Mode::Playlist || m.PlaylistEmpty) return;
    m.PlayMode = Mode::PlaylistOne;
    if (!showEntry(lstPlayList->listIndex())) return;
    form.PlayTrack();
}

void PlaylistPage::btnPLNotes_Click()
{
    form.fmSeNotes->showNotes(lookUpEntry(lstPlayList->listIndex()));
    btnPlDelete->hide();
    btnPLNotes->hide();
}
