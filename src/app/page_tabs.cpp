// The four page tabs, Enter on the Search page, the help command and the click on
// the playing track's title.
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/this_program.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "form/looks.h"
#include "form/tabs.h"
#include "form/text_codec.h"
#include "form/twips.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "playlist/playlist_page.h"
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
    setShown({fmSeNotes, txtSENotes, btnSeNotesX}, false);
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
    const int listHeight = twipsRect(lstTracks).height();
    setTopTwips(txtDetails, listHeight + 280);
    setHeightTwips(txtDetails, 5875 - listHeight);
    fmSearch->btnSearch->setDefault(false);
    markCurrentTrack(lstTracks, true);
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
    markCurrentTrack(lstTracks, false);
    showOnlyPage(fmSearch, lblTabSearch);
    setShown({opOne, opAll, opRand}, false);
    fmSearch->btnSearch->setDefault(true);
}

void Form1::lblTabOptions_Click()
{
    markCurrentTrack(lstTracks, false);
    showOnlyPage(fmOptions, lblTabOptions);
    setShown({opOne, opAll, opRand}, false);
    fmOptionsPrefs->refreshSamples();
}

// A plain window has no default button of its own: Enter that no control took
// presses the button marked default, while it can be seen.
void Form1::keyPressEvent(QKeyEvent* event)
{
    QPushButton* search = fmSearch->btnSearch;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && search->isDefault() &&
        search->isVisible() && search->isEnabled()) {
        search->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::btnHelp_Click()
{
    // Beside the executable as built, in the data folder as installed; otherwise in the program's own folder.
    QString file = QString::fromStdString(thisProgramPlace().helpPage);
    const QString kept = QString::fromStdString(m.AppFolder) + QStringLiteral("quillon-help.html");
    if (!QFileInfo::exists(file) && QFileInfo::exists(kept)) file = kept;
    if (os.help->open(file)) return;
    os.messages->show(QStringLiteral("The help file could not be opened:\r") + QDir::toNativeSeparators(file) +
                          QStringLiteral("\r\rIt may be missing, or no program to show it is installed."),
                      QStringLiteral("Help"), MsgIcon::Exclamation, MsgButtons::Ok);
}

void Form1::lblTitle_Click()
{
    lstTracks->setListIndex(session->playingRecord() - 1);
    // No line to select (nothing played yet) leaves no current track, as a click on no line would.
    if (lstTracks->listIndex() < 0) m.CurrentRecord = 0;
    ShowTrackNotes();
}

void Form1::btnSeNotesX_Click()
{
    setShown({fmSeNotes, txtSENotes, btnSeNotesX}, false);
}

void Form1::connectPages()
{
    connect(lblTabTrackList, &ClickLabel::clicked, this, &Form1::lblTabTrackList_Click);
    connect(lblTabPlaylist, &ClickLabel::clicked, this, &Form1::lblTabPlaylist_Click);
    connect(lblTabSearch, &ClickLabel::clicked, this, &Form1::lblTabSearch_Click);
    connect(lblTabOptions, &ClickLabel::clicked, this, &Form1::lblTabOptions_Click);
    connect(btnHelp, &QToolButton::clicked, this, &Form1::btnHelp_Click);
    connect(lblTitle, &ClickLabel::clicked, this, &Form1::lblTitle_Click);
    connect(btnSeNotesX, &QPushButton::clicked, this, &Form1::btnSeNotesX_Click);
}
