// Bringing the Track List page to the front, as its tab does; the mini player and
// the preferences return the user there.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "form/form1.h"
#include "form/tabs.h"
#include "form/twips.h"
#include "playlist/playlist_page.h"
#include "search/search_page.h"

void Form1::showTrackListPage()
{
    setTabLooks(*this, lblTabTrackList);
    fmTrackList->show();
    for (QWidget* page : std::initializer_list<QWidget*>{fmPlaylist, fmSearch, fmOptions}) page->hide();
    for (QRadioButton* option : {opOne, opAll, opRand}) option->show();
    // The details pane follows the splitter, which may have moved while another page showed.
    const int listHeight = twipsRect(lstTracks).height();
    setTopTwips(txtDetails, listHeight + 280);
    setHeightTwips(txtDetails, 5875 - listHeight);
    fmSearch->btnSearch->setDefault(false);
    const int current = lstTracks->listIndex();
    if (current >= 0) lstTracks->setSelected(current, true);
}
