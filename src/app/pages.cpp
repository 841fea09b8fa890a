// The pages that bring their own controls and handlers, put on the form.
#include "album/album_files_frame.h"
#include "export/export_frame.h"
#include "form/form1.h"
#include "playlist/playlist_page.h"
#include "prefs/prefs_frame.h"
#include "search/search_page.h"

void Form1::buildPages()
{
    fmPlaylist = new PlaylistPage(*this);
    fmSearch = new SearchPage(*this);
    fmExport = new ExportFrame(*this, fmPlaylist);
    // The Options page's fonts and colours part, in its own folder like a page.
    fmOptionsPrefs = new PrefsFrame(*this, fmOptions);
    // Loading another album and merging albums, on the Options page.
    Frame4 = new AlbumFilesFrame(*this, fmOptions);
}
