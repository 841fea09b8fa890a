#include "playlist/playlist_page.h"

#include "form/layout_helpers.h"
#include "form/looks.h"

PlaylistPage::PlaylistPage(Form1& owner) : Page(owner, "fmPlaylist", 6313)
{
    lblPlaylist = placed(new QLabel(this), "lblPlaylist", 120, 180, 5200, 255);
    lstPlayList = fixedPitchList(this, "lstPlayList", "Playlist", false);
    placeTwips(lstPlayList, 120, 480, 5200, 5640);
    setLook(lstPlayList, kTrackListLook);
}
