// The Playlist page on a large album: a working playlist of 10,000 entries on an
// album of 100,000 tracks. Figures (each the median of five runs, window shown on
// the offscreen platform, painted after each step):
//   show page   - the Playlist tab: rebuilding the view from the file and the album,
//                 then bringing back the remembered entry with its track and notes;
//   delete one  - deleting entry 5,000: rewriting the file, renaming it, rebuilding;
//   add 10,000  - 'Add to Playlist' with 10,000 Track List lines selected.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "logic/track_record.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"
#include "playlist/playlist_page.h"
#include "bench_folder.h"
#include "silent_player.h"

namespace {

constexpr int kTracks = 100000;
constexpr int kEntries = 10000;
constexpr int kRuns = 5;

void writeFiles(const std::string& folder)
{
    std::ofstream album(folder + "album.qdb", std::ios::binary);
    for (int n = 1; n <= kTracks; ++n) {
        TrackRecord rec;
        rec.TrackDate = "15061975";
        rec.NoteNo = "1";
        rec.PlayTime = "03:41";
        rec.Title = "Track " + std::to_string(n) + " passing at speed";
        rec.Mp3Name = "t" + std::to_string(n);
        rec.Folder = "f1";
        album << serializeRecord(rec);
    }
    std::ofstream(folder + "f1/details.qvt", std::ios::binary) << "Recorded at the lineside.\r\nEnd\r\n";
    std::mt19937 random(7);
    std::ofstream playlist(folder + "temp.$$$", std::ios::binary);
    for (int i = 0; i < kEntries; ++i)
        playlist << folder << "album.qdb\r\n " << std::uniform_int_distribution<int>(1, kTracks)(random) << " \r\n";
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const BenchFolder scratch;
    const std::string& folder = scratch.path;
    writeFiles(folder);

    BenchWindow window(folder);
    Form1& form = window.form;
    PlaylistPage& page = *form.fmPlaylist;

    std::vector<double> show, remove, add;
    for (int run = 0; run < kRuns; ++run) {
        form.lblTabTrackList_Click();
        form.session->rememberPlaylistPosition(kEntries / 2);
        show.push_back(paintedMs(form, [&] { form.lblTabPlaylist_Click(); }));
    }
    const int shown = page.lstPlayList->listCount();
    for (int run = 0; run < kRuns; ++run) {
        page.lstPlayList->setListIndex(kEntries / 2);
        remove.push_back(paintedMs(form, [&] { page.btnPlDelete_Click(); }));
    }
    const int afterDeleting = page.lstPlayList->listCount();
    form.lblTabTrackList_Click();
    for (int run = 0; run < kRuns; ++run) {
        QItemSelectionModel* selection = form.fmTrackList->lstTracks->selectionModel();
        selection->select(QItemSelection(form.fmTrackList->lstTracks->model()->index(run * kEntries, 0),
                                         form.fmTrackList->lstTracks->model()->index(run * kEntries + kEntries - 1, 0)),
                          QItemSelectionModel::ClearAndSelect);
        add.push_back(paintedMs(form, [&] { form.fmTrackList->btnAddPL->click(); }));
    }
    form.lblTabPlaylist_Click();
    std::printf("Playlist of %d entries on an album of %d tracks (median of %d runs)\n", kEntries, kTracks, kRuns);
    std::printf("  show the Playlist page (rebuild + re-select): %.1f ms (%d lines)\n", median(show), shown);
    std::printf("  delete one entry: %.1f ms (%d lines left after %d deletions)\n", median(remove), afterDeleting, kRuns);
    std::printf("  add %d selected Track List lines: %.1f ms (%d entries after %d additions)\n", kEntries, median(add),
                page.lstPlayList->listCount(), kRuns);
    form.Form_Unload();
    return 0;
}
