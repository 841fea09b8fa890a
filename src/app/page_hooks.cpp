#include "app/page_hooks.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "form/looks.h"
#include "form/twips.h"
#include "logic/settings.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"
#include "prefs/options_page.h"
#include "prefs/sound_output_frame.h"
#include "prefs/prefs_frame.h"
#include "search/search_page.h"

namespace {

int toWholeTwips(double v)
{
    return int(std::clamp(std::round(v), -1e9, 1e9));
}

// Each of a look's three lines takes effect as soon as it has been read.
void applyLookLines(QWidget* w, const Look& read, const SettingsRead& r, int firstLine)
{
    Look look = lookOf(w);
    if (r.has(firstLine)) look.back = read.back;
    if (r.has(firstLine + 1)) look.fontSize = read.fontSize;
    if (r.has(firstLine + 2)) look.fore = read.fore;
    setLook(w, look);
}

void applyPageSettings(Form1& form, const SettingsRead& r)
{
    const SettingsData& d = r.data;
    QPlainTextEdit* txtDetails = form.fmTrackList->txtDetails;
    ListBox* lstTracks = form.fmTrackList->lstTracks;
    OptionsPage* options = form.fmOptions;
    if (r.has(3)) options->showAlbumPath();
    if (r.has(7)) setTopTwips(txtDetails, toWholeTwips(d.detailsTop));
    if (r.has(8)) setHeightTwips(txtDetails, toWholeTwips(d.detailsHeight));
    if (r.has(9)) setHeightTwips(lstTracks, toWholeTwips(d.tracksHeight));
    applyLookLines(txtDetails, d.details, r, 15);
    applyLookLines(lstTracks, d.trackList, r, 18);
    if (r.has(21)) {
        options->fmOptionsPrefs->chkAllPrefs->setChecked(d.allPrefs);
        if (d.allPrefs)
            for (QWidget* list : {static_cast<QWidget*>(form.fmPlaylist->lstPlayList),
                                  static_cast<QWidget*>(form.fmSearch->lstSearchRes)})
                setLook(list, lookOf(lstTracks));
    }
    if (r.has(22)) {
        if (d.kind == TrackKind::Lineside) options->opLS->setChecked(true);
        if (d.kind == TrackKind::OnTrain) options->opOT->setChecked(true);
    }
    if (!r.complete()) {
        setHeightTwips(lstTracks, 2500);
        setTopTwips(txtDetails, 2710);
    }
}

void collectPageSettings(const Form1& form, SettingsData& d)
{
    const QPlainTextEdit* txtDetails = form.fmTrackList->txtDetails;
    const ListBox* lstTracks = form.fmTrackList->lstTracks;
    const OptionsPage* options = form.fmOptions;
    d.detailsTop = twipsRect(txtDetails).y();
    d.detailsHeight = twipsRect(txtDetails).height();
    d.tracksHeight = twipsRect(lstTracks).height();
    d.trackListIndex = lstTracks->listIndex();
    // Until the playlist view has been filled this run, the entry remembered at start-up still holds.
    const int playlistLine = form.fmPlaylist->lstPlayList->listIndex();
    d.playlistIndex = playlistLine >= 0 ? playlistLine : form.session->playlistPosition();
    d.details = lookOf(txtDetails);
    d.trackList = lookOf(lstTracks);
    d.allPrefs = options->fmOptionsPrefs->chkAllPrefs->isChecked();
    d.kind = options->opLS->isChecked()   ? TrackKind::Lineside
             : options->opOT->isChecked() ? TrackKind::OnTrain
                                          : TrackKind::Both;
}

}  // namespace

void hookShellToPages(Form1& form)
{
    TrackListPage* trackList = form.fmTrackList;
    PlaylistPage* playlist = form.fmPlaylist;
    SearchPage* search = form.fmSearch;
    OptionsPage* options = form.fmOptions;
    ListBox* lines = trackList->lstTracks;
    Form1::PageHooks& hooks = form.pages;
    hooks.frames = {trackList, playlist, search, options};
    hooks.markCurrentTrack = [lines](bool marked) {
        const int current = lines->listIndex();
        if (current >= 0) lines->setSelected(current, marked);
    };
    hooks.selectTrackLine = [lines](int line) {
        lines->setListIndex(line);
        return lines->listIndex();
    };
    hooks.fitDetailsToList = [trackList] { trackList->fitDetailsToList(); };
    hooks.searchOnEnter = [search](bool on) { search->btnSearch->setDefault(on); };
    hooks.showPlaylist = [playlist] { playlist->showPage(); };
    hooks.refreshSamples = [options] { options->fmOptionsPrefs->refreshSamples(); };
    hooks.resetForStart = [trackList, playlist] {
        playlist->showNotFilled();
        setLook(trackList->txtDetails, kDetailsLook);
        setLook(trackList->lstTracks, kTrackListLook);
    };
    hooks.fillTrackListAtStart = [trackList] { trackList->fillAtStart(); };
    // The sound output is kept in a file of its own, read with the settings at start-up.
    hooks.applySettings = [&form](const SettingsRead& read) {
        applyPageSettings(form, read);
        form.fmOptions->fmOpOutput->restore();
    };
    hooks.collectSettings = [&form](SettingsData& d) { collectPageSettings(form, d); };
}
