#include <algorithm>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cmath>
#include <limits>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"
#include "prefs/options_page.h"
#include "prefs/prefs_frame.h"
#include "search/search_page.h"
#include "form/looks.h"
#include "form/twips.h"
#include "logic/settings.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "form/text_codec.h"

namespace {

int toWholeTwips(double v)
{
    return int(std::clamp(std::round(v), -1e9, 1e9));
}

int32_t toIndex(double v)
{
    if (!std::isfinite(v)) return 0;
    return int32_t(std::clamp(std::floor(v), double(std::numeric_limits<int32_t>::min()),
                              double(std::numeric_limits<int32_t>::max())));
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

}  // namespace

void Form1::LoadSettings(const std::string& path)
{
    FileRead file = readRegularFile(path, kSettingsMaxBytes);
    // A line cut by the limit is not read: the reading stops before it.
    if (file.truncated) file.bytes.erase(file.bytes.find_last_of("\r\n") + 1);
    applySettings(file.ok() ? parseSettings(file.bytes) : SettingsRead{});
}

void Form1::applySettings(const SettingsRead& r)
{
    const SettingsData& d = r.data;
    QPlainTextEdit* txtDetails = fmTrackList->txtDetails;
    ListBox* lstTracks = fmTrackList->lstTracks;
    if (r.has(2)) m.DetailsFolder = d.detailsFolder;
    if (r.has(3)) {
        m.AlbumPath = d.albumPath;
        fmOptions->showAlbumPath();
    }
    if (r.has(4)) m.PlaylistFileName = d.playlistFileName;
    if (r.has(7)) setTopTwips(txtDetails, toWholeTwips(d.detailsTop));
    if (r.has(8)) setHeightTwips(txtDetails, toWholeTwips(d.detailsHeight));
    if (r.has(9)) setHeightTwips(lstTracks, toWholeTwips(d.tracksHeight));
    if (r.has(12)) m.TrackListIndex = toIndex(d.trackListIndex);
    if (r.has(13)) session->rememberPlaylistPosition(d.playlistIndex);
    applyLookLines(txtDetails, d.details, r, 15);
    applyLookLines(lstTracks, d.trackList, r, 18);
    if (r.has(21)) {
        fmOptions->fmOptionsPrefs->chkAllPrefs->setChecked(d.allPrefs);
        if (d.allPrefs)
            for (QWidget* list : {fmPlaylist->lstPlayList, fmSearch->lstSearchRes}) setLook(list, lookOf(lstTracks));
    }
    if (r.has(22)) {
        if (d.kind == TrackKind::Lineside) fmOptions->opLS->setChecked(true);
        if (d.kind == TrackKind::OnTrain) fmOptions->opOT->setChecked(true);
    }
    if (r.has(23)) MiniTop = d.miniTop;
    if (r.has(24)) MiniLeft = d.miniLeft;
    if (!r.complete()) {
        setHeightTwips(lstTracks, 2500);
        setTopTwips(txtDetails, 2710);
        m.TrackListIndex = 0;
        session->rememberPlaylistPosition(0);
    }
}

SettingsData Form1::currentSettings() const
{
    SettingsData d;
    const QPlainTextEdit* txtDetails = fmTrackList->txtDetails;
    const ListBox* lstTracks = fmTrackList->lstTracks;
    d.detailsFolder = m.DetailsFolder;
    d.albumPath = m.AlbumPath;
    d.playlistFileName = m.PlaylistFileName;
    d.detailsTop = twipsRect(txtDetails).y();
    d.detailsHeight = twipsRect(txtDetails).height();
    d.tracksHeight = twipsRect(lstTracks).height();
    d.trackListIndex = lstTracks->listIndex();
    // Until the playlist view has been filled this run, the entry remembered at start-up still holds.
    const int playlistLine = fmPlaylist->lstPlayList->listIndex();
    d.playlistIndex = playlistLine >= 0 ? playlistLine : session->playlistPosition();
    d.details = lookOf(txtDetails);
    d.trackList = lookOf(lstTracks);
    d.allPrefs = fmOptions->fmOptionsPrefs->chkAllPrefs->isChecked();
    d.kind = fmOptions->opLS->isChecked()   ? TrackKind::Lineside
             : fmOptions->opOT->isChecked() ? TrackKind::OnTrain
                                            : TrackKind::Both;
    d.miniTop = MiniTop;
    d.miniLeft = MiniLeft;
    return d;
}

void Form1::SaveSettings(const std::string& path)
{
    // The write replaces the file whole, so a failure leaves the previous settings intact.
    const FileError error = writeFileAtomic(path, formatSettings(currentSettings()));
    if (error != FileError::None)
        os.messages->show(toDisplay(settingsNotSavedMessage(path, failureText(error))),
                          QStringLiteral("Settings not saved"), MsgIcon::Exclamation, MsgButtons::Ok);
}
