// The pages that bring their own controls and handlers, put on the form.
#include "form/form1.h"
#include "playlist/playlist_page.h"
#include "prefs/prefs_frame.h"
#include "search/search_page.h"

void Form1::buildPages()
{
    fmPlaylist = new PlaylistPage(*this);
    fmSearch = new SearchPage(*this);
    // The Options page's fonts and colours part, in its own folder like a page.
    fmOptionsPrefs = new PrefsFrame(*this, fmOptions);
}
