// The four page tabs, the help command and the click on the playing track's title.
#include "form/tab_row.h"

#include <QDir>
#include <QFileInfo>
#include <QRadioButton>

#include "form/form1.h"
#include "form/layout_helpers.h"
#include "form/notes_pane.h"
#include "platform/colors.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/this_program.h"
#include "playback/player_session.h"

namespace {

enum Tab { TrackListTab, PlaylistTab, SearchTab, OptionsTab };

void setShown(std::initializer_list<QWidget*> widgets, bool shown)
{
    for (QWidget* w : widgets) w->setVisible(shown);
}

}  // namespace

void setTabLooks(Form1& form, QLabel* active)
{
    for (QLabel* tab : {static_cast<QLabel*>(form.lblTabTrackList), static_cast<QLabel*>(form.lblTabPlaylist),
                        static_cast<QLabel*>(form.lblTabSearch), static_cast<QLabel*>(form.lblTabOptions)}) {
        const bool on = tab == active;
        setBackColour(tab, toQColor(on ? 0xE0E0E0 : 0x404040));
        setTextColour(tab, toQColor(on ? 0x000000 : 0xFFFFFF));
    }
}

void Form1::showOnlyPage(int tab)
{
    const std::array<QLabel*, 4> tabs{lblTabTrackList, lblTabPlaylist, lblTabSearch, lblTabOptions};
    setTabLooks(*this, tabs[size_t(tab)]);
    for (size_t each = 0; each < pages.frames.size(); ++each) pages.frames[each]->setVisible(int(each) == tab);
    fmSeNotes->hideNotes();
}

void Form1::lblTabTrackList_Click()
{
    showOnlyPage(TrackListTab);
    setShown({opOne, opAll, opRand}, true);
    pages.fitDetailsToList();
    pages.searchOnEnter(false);
    pages.markCurrentTrack(true);
}

void Form1::lblTabPlaylist_Click()
{
    showOnlyPage(PlaylistTab);
    setShown({opOne, opAll, opRand}, false);
    pages.searchOnEnter(false);
    pages.showPlaylist();
}

// Unmarking the current track line while another page shows lets marking it on
// the way back run its click, which shows its notes once more.
void Form1::lblTabSearch_Click()
{
    pages.markCurrentTrack(false);
    showOnlyPage(SearchTab);
    setShown({opOne, opAll, opRand}, false);
    pages.searchOnEnter(true);
}

void Form1::lblTabOptions_Click()
{
    pages.markCurrentTrack(false);
    showOnlyPage(OptionsTab);
    setShown({opOne, opAll, opRand}, false);
    pages.refreshSamples();
}

void Form1::showTrackListPageAtStart()
{
    for (size_t each = 0; each < pages.frames.size(); ++each) pages.frames[each]->setVisible(int(each) == TrackListTab);
    setTabLooks(*this, lblTabTrackList);
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
    // No line to select (nothing played yet) leaves no current track, as a click on no line would.
    if (pages.selectTrackLine(session->playingRecord() - 1) < 0) session->setCurrentRecord(0);
    pages.showCurrentNotes();
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
