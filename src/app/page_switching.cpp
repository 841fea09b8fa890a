// Switching pages with the four tabs, the help command and the click on the playing
// track's title.
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/this_program.h"
#include "album/track_list_page.h"
#include "form/form1.h"
#include "form/notes_pane.h"
#include "playback/player_session.h"
#include "form/looks.h"
#include "form/tab_row.h"
#include "form/text_codec.h"
#include "form/twips.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "playlist/playlist_page.h"
#include "prefs/options_page.h"
#include "prefs/prefs_frame.h"
#include "search/search_page.h"

namespace {

void setShown(std::initializer_list<QWidget*> widgets, bool shown)
{
    for (QWidget* w : widgets) w->setVisible(shown);
}

}  // namespace

void Form1::showOnlyPage(QWidget* page, QLabel* tab)
{
    setTabLooks(*this, tab);
    for (QWidget* each : std::initializer_list<QWidget*>{fmTrackList, fmPlaylist, fmSearch, fmOptions})
        each->setVisible(each == page);
    fmSeNotes->hideNotes();
}

// Unmarks the current track line while another page is shown; marking it again
// on the way back runs its click, which shows its notes once more.
static void markCurrentTrack(ListBox* list, bool marked)
{
    const int current = list->listIndex();
    if (current >= 0) list->setSelected(current, marked);
}

void Form1::lblTabTrackList_Click()
{
    showOnlyPage(fmTrackList, lblTabTrackList);
    setShown({opOne, opAll, opRand}, true);
    fmTrackList->fitDetailsToList();
    fmSearch->btnSearch->setDefault(false);
    markCurrentTrack(fmTrackList->lstTracks, true);
}

void Form1::lblTabPlaylist_Click()
{
    showOnlyPage(fmPlaylist, lblTabPlaylist);
    setShown({opOne, opAll, opRand}, false);
    fmSearch->btnSearch->setDefault(false);
    fmPlaylist->showPage();
}

void Form1::lblTabSearch_Click()
{
    markCurrentTrack(fmTrackList->lstTracks, false);
    showOnlyPage(fmSearch, lblTabSearch);
    setShown({opOne, opAll, opRand}, false);
    fmSearch->btnSearch->setDefault(true);
}

void Form1::lblTabOptions_Click()
{
    markCurrentTrack(fmTrackList->lstTracks, false);
    showOnlyPage(fmOptions, lblTabOptions);
    setShown({opOne, opAll, opRand}, false);
    fmOptions->fmOptionsPrefs->refreshSamples();
}

void Form1::btnHelp_Click()
{
    // Beside the executable as built, in the data folder as installed; otherwise in the program's own folder.
    QString file = QString::fromStdString(thisProgramPlace().helpPage);
    const QString kept = QString::fromStdString(m.AppFolder) + QStringLiteral("quillon-help.html");
    if (!QFileInfo::exists(file) && QFileInfo::exists(kept)) file = kept;
    if (os.help->open(file)) return;
    os.messages->show(QStringLiteral("The help file could not be opened:\r") + QDir::toNativeSeparators(file)
                          + QStringLiteral("\r\rIt may be missing, or no program to show it is installed."),
                      QStringLiteral("Help"), MsgIcon::Exclamation, MsgButtons::Ok);
}

void Form1::lblTitle_Click()
{
    ListBox* lstTracks = fmTrackList->lstTracks;
    lstTracks->setListIndex(session->playingRecord() - 1);
    // No line to select (nothing played yet) leaves no current track, as a click on no line would.
    if (lstTracks->listIndex() < 0) m.CurrentRecord = 0;
    fmTrackList->ShowTrackNotes();
}

void Form1::connectPages()
{
    connect(lblTabTrackList, &ClickLabel::clicked, this, &Form1::lblTabTrackList_Click);
    connect(lblTabPlaylist, &ClickLabel::clicked, this, &Form1::lblTabPlaylist_Click);
    connect(lblTabSearch, &ClickLabel::clicked, this, &Form1::lblTabSearch_Click);
    connect(lblTabOptions, &ClickLabel::clicked, this, &Form1::lblTabOptions_Click);
    connect(btnHelp, &QToolButton::clicked, this, &Form1::btnHelp_Click);
    connect(lblTitle, &ClickLabel::clicked, this, &Form1::lblTitle_Click);
}
