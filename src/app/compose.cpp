#include "app/compose.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "album/album_files_frame.h"
#include "app/window_drops.h"
#include "album/track_list_model.h"
#include "album/track_list_page.h"
#include "app/page_hooks.h"
#include "export/export_frame.h"
#include "form/form1.h"
#include "form/looks.h"
#include "form/notes_pane.h"
#include "form/text_codec.h"
#include "logic/play_modes.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"
#include "prefs/options_page.h"
#include "prefs/prefs_frame.h"
#include "prefs/sound_output_frame.h"
#include "search/search_page.h"
#include "search/search_results_model.h"
#include "shortcuts/keyboard.h"

namespace {

// The pages in the order their controls are made, which is the order the window
// stacks them and moves the focus through them.
void buildPages(Form1& form)
{
    TrackListPage* trackList = form.fmTrackList = new TrackListPage(form);
    form.fmOptions = new OptionsPage(form);
    form.fmPlaylist = new PlaylistPage(form);
    TrackListModel* lines = trackList->trackLines;
    form.fmSearch = new SearchPage(form, TrackLines{[trackList] { return trackList->lineCount(); },
                                                    [lines] { return lines->monthBefore(); },
                                                    [lines](std::span<const int32_t> records, LineList& out) {
                                                        lines->addLines(records, out);
                                                    }});
    form.fmExport = new ExportFrame(form, form.fmPlaylist);
    form.fmOptions->fmOptionsPrefs = new PrefsFrame(form, form.fmOptions, trackList->txtDetails->font(),
                                                    trackList->lstTracks->font());
    form.fmOptions->Frame4 = new AlbumFilesFrame(form, form.fmOptions);
    form.fmOptions->fmOpOutput = new SoundOutputFrame(form, form.fmOptions);
}

void connectTrackList(Form1& form)
{
    TrackListPage* trackList = form.fmTrackList;
    SearchPage* search = form.fmSearch;
    PlaylistPage* playlist = form.fmPlaylist;
    // In mode "All" the line after the one chosen plays next.
    QObject::connect(trackList, &TrackListPage::trackChosen, &form, &Form1::offerNextTrack);
    // Search results keep the lines of the album they were found in, as its whole scan
    // has them; a search does not wait for the scan, so the results may need its end.
    TrackListModel* lines = trackList->trackLines;
    QObject::connect(trackList, &TrackListPage::refilling, search, [search, lines] {
        if (search->searchLines->rowCount() > 0) lines->finishScan();
        search->searchLines->keepLines();
    });
    QObject::connect(lines, &TrackListModel::linesScanned, search->lstSearchRes->viewport(),
                     qOverload<>(&QWidget::update));
    QObject::connect(trackList, &TrackListPage::codesReset, search, &SearchPage::resetCodes);
    QObject::connect(trackList, &TrackListPage::codesFound, search, &SearchPage::addCodes);
    QObject::connect(lines, &QAbstractItemModel::modelReset, search, &SearchPage::trackListRefilled);
    QObject::connect(trackList, &TrackListPage::addToPlaylist, playlist, &PlaylistPage::addTracks);
}

void connectPageIntents(Form1& form)
{
    TrackListPage* trackList = form.fmTrackList;
    OptionsPage* options = form.fmOptions;
    PlaylistPage* playlist = form.fmPlaylist;
    SearchPage* search = form.fmSearch;
    QObject::connect(search, &SearchPage::listPressed, playlist, &PlaylistPage::hidePopups);
    QObject::connect(search, &SearchPage::addToPlaylist, playlist, &PlaylistPage::addTracks);
    QObject::connect(search, &SearchPage::playAsked, &form, [&form, trackList](int32_t record) {
        trackList->showRecord(record);
        form.PlayTrack();
    });
    NotesPane* notes = form.fmSeNotes;
    notes->notesOf = [trackList](int32_t record) {
        trackList->showRecord(record);
        return trackList->txtDetails->toPlainText();
    };
    // The mode is left as it is.
    QObject::connect(notes, &NotesPane::recordUnreadable, form.session, &PlayerSession::showStoppedStatus);

    QObject::connect(options->btnOpSavePL, &QPushButton::clicked, playlist, &PlaylistPage::btnOpSavePL_Click);
    AlbumFilesFrame* albumFiles = options->Frame4;
    QObject::connect(options->btnLoad, &QPushButton::clicked, albumFiles, &AlbumFilesFrame::btnLoad_Click);
    QObject::connect(albumFiles, &AlbumFilesFrame::albumOpened, &form, [&form, options, trackList, playlist] {
        options->showAlbumPath();
        trackList->FillTrackList();
        form.lblTabTrackList_Click();
        // The playlist names tracks by their numbers in the album it was made with.
        playlist->btnClearPL_Click();
    });

    PrefsFrame* prefs = options->fmOptionsPrefs;
    prefs->detailsLook = [trackList] { return lookOf(trackList->txtDetails); };
    prefs->trackListLook = [trackList] { return lookOf(trackList->lstTracks); };
    QObject::connect(prefs, &PrefsFrame::looksSet, &form,
                     [&form, trackList, playlist, search](const Look& details, const Look& lines, bool allLists) {
                         setLook(trackList->lstTracks, lines);
                         setLook(trackList->txtDetails, details);
                         form.lblTabTrackList_Click();
                         // Selecting the current line again shows its notes in the new look.
                         const int current = trackList->lstTracks->listIndex();
                         if (current >= 0) trackList->lstTracks->setSelected(current, true);
                         // Unchecked, the other lists keep whatever look they last received.
                         if (allLists)
                             for (QWidget* list : {static_cast<QWidget*>(playlist->lstPlayList),
                                                   static_cast<QWidget*>(search->lstSearchRes)})
                                 setLook(list, lines);
                     });
    QObject::connect(prefs, &PrefsFrame::looksReset, trackList, [trackList] {
        setLook(trackList->txtDetails, kDetailsLook);
        setLook(trackList->lstTracks, kTrackListLook);
    });
}

// The session plays from the Track List page's lines, as the Options page's preference allows.
void connectSessionToPages(Form1& form)
{
    TrackListPage* trackList = form.fmTrackList;
    OptionsPage* options = form.fmOptions;
    ListBox* lines = trackList->lstTracks;
    form.session->setTrackSource({
        [lines] { return lines->listCount(); },
        [lines] { return lines->listIndex(); },
        [lines](int line) { lines->setListIndex(line); },
        [lines](int line, bool selected) { lines->setSelected(line, selected); },
        [options](int16_t lineside) {
            return (options->opOT->isChecked() && lineside == -1) || (options->opLS->isChecked() && lineside == 0);
        },
        [&form] { return form.opAll->isChecked()    ? Mode::All
                         : form.opRand->isChecked() ? Mode::Random
                                                    : Mode::One; },
    });
    // What follows the playing track in mode "All" depends on the preference too.
    for (QRadioButton* preference : {options->opOT, options->opLS, options->opAny})
        QObject::connect(preference, &QRadioButton::toggled, &form, &Form1::offerNextTrack);
    QObject::connect(lines, &ListBox::dblClick, &form, &Form1::lstTracks_DblClick);
    Form1::PageHooks& hooks = form.pages;
    hooks.reselectCurrentLine = [trackList, lines] {
        const int current = lines->listIndex();
        if (current >= 0) lines->setSelected(current, true);
        return trackList->txtDetails->toPlainText();
    };
    hooks.showCurrentNotes = [trackList] {
        trackList->ShowTrackNotes();
        return trackList->txtDetails->toPlainText();
    };
    hooks.showTrackList = [trackList, lines](bool shown) {
        lines->setVisible(shown);
        trackList->setVisible(shown);
    };
    hooks.clearTrackListSelection = [trackList] { trackList->btnClearSel_Click(); };
    hooks.miniOnTop = [options] { return options->chkOnTop->isChecked(); };
}

}  // namespace

std::unique_ptr<Form1> composeWindow(const Platform& platform)
{
    auto window = std::make_unique<Form1>(platform);
    Form1& form = *window;
    buildPages(form);
    form.buildPlayerPanes();
    form.fmSeNotes = new NotesPane(&form);
    form.connectShell();
    form.connectPages();
    connectTrackList(form);
    connectPageIntents(form);
    hookShellToPages(form);
    form.connectPlayback();
    connectSessionToPages(form);
    form.connectPlayerView();
    form.connectWindowMoves();
    form.connectMiniPlayer();
    form.keyboard = new KeyboardShortcuts(form);
    acceptWindowDrops(form);
    return window;
}
