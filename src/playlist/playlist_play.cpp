// Playing the playlist, one entry or all of them, and an entry's notes.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "form/notes_pane.h"
#include "form/text_codec.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"

void PlaylistPage::connectPlayback()
{
    PlayerSession& session = *form.session;
    session.setPlaylistSource({
        [this] { return empty_; },
        [this] { return lstPlayList->listCount(); },
        [this](int line) { return lookUpEntry(line); },
        [this](int line) { return showEntry(line); },
        [this] { form.lblTabTrackList_Click(); },
    });
    connect(&session, &PlayerSession::playlistPositionChanged, this, &PlaylistPage::showPosition);
}

// The list shows the session's position; away from playing the playlist, the entry
// at the position is also the current track, with its notes.
void PlaylistPage::showPosition(int line)
{
    {
        const QSignalBlocker quiet(lstPlayList);
        if (lstPlayList->listIndex() != line) lstPlayList->setListIndex(line);
    }
    if (form.session->mode() == Mode::Playlist || empty_) return;
    showEntry(line);
}

void PlaylistPage::lstPlayList_Click()
{
    form.session->setPlaylistPosition(lstPlayList->listIndex());
}

void PlaylistPage::btnPListPlay_Click()
{
    const int current = lstPlayList->listIndex();
    const bool chosen = current >= 0 && lstPlayList->isSelected(current);
    form.session->playPlaylist(chosen ? std::nullopt : std::optional<int>(0));
}

void PlaylistPage::lstPlayList_DblClick()
{
    form.session->playPlaylistEntry(lstPlayList->listIndex());
}

void PlaylistPage::btnPLNotes_Click()
{
    form.fmSeNotes->showNotes(lookUpEntry(lstPlayList->listIndex()));
    btnPlDelete->hide();
    btnPLNotes->hide();
}
