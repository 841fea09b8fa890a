// Start-up when the first track's notes are huge: the window (built and started as
// main.cpp does, on the offscreen platform) opens an album whose first track's
// notes entry is one line of 50 MB, or 1 MB without a blank. Each case runs in a
// child process of its own so that its peak memory is its own.
//
// Figures: "start-up to first paint" runs from building the window through
// Form_Load (settings, album, list, the first track's notes) to the end of its
// first paint; "click" selects the second track, whose entry lies after the huge
// line, and repaints; "peak memory" is the child's peak resident size (ru_maxrss),
// the whole process: Qt, fonts and the window included.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "album/track_list_page.h"
#include "app/compose.h"
#include "form/form1.h"
#include "logic/track_record.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"
#include "silent_player.h"

namespace {

struct Case {
    const char* name;
    size_t lineBytes;
    const char* filler;  // repeated to fill the first entry's one line
};

// An album of two tracks in folder "f1": track 1 shows entry 1 (the huge line),
// track 2 shows entry 2, which follows it.
void writeAlbum(const std::string& folder, const Case& c)
{
    std::ofstream album(folder + "album.qdb", std::ios::binary);
    for (int n = 1; n <= 2; ++n) {
        TrackRecord rec;
        rec.TrackDate = "15061975";
        rec.NoteNo = std::to_string(n);
        rec.PlayTime = "03:41";
        rec.Title = "Track " + std::to_string(n);
        rec.Mp3Name = "t" + std::to_string(n);
        rec.Folder = "f1";
        album << serializeRecord(rec);
    }
    std::ofstream notes(folder + "f1/details.qvt", std::ios::binary);
    const std::string filler = c.filler;
    for (size_t written = 0; written < c.lineBytes; written += filler.size()) notes << filler;
    notes << "\r\nSecond entry\r\nEnd\r\n";
    std::ofstream ini(folder + "qvb.ini", std::ios::binary);
    ini << "[Directories]\r\nDetails=" << folder << "\r\nData=" << folder << "album.qdb\r\n";
}

void runCase(int argc, char* argv[], const std::string& folder)
{
    QApplication app(argc, argv);
    SilentSeams seams(folder);
    const Platform& platform = seams.platform;

    QElapsedTimer timer;
    timer.start();
    const std::unique_ptr<Form1> window = composeWindow(platform);
    Form1& form = *window;
    form.Form_Load();
    const qint64 loaded = timer.nsecsElapsed();
    form.show();
    QApplication::processEvents();
    form.repaint();
    const qint64 painted = timer.nsecsElapsed();
    const auto shown = static_cast<long long>(form.fmTrackList->txtDetails->toPlainText().size());

    timer.restart();
    form.fmTrackList->lstTracks->setListIndex(1);
    QApplication::processEvents();
    form.repaint();
    const qint64 clicked = timer.nsecsElapsed();
    std::printf("  start-up to first paint %.1f ms (of which Form_Load %.1f ms); notes shown: %lld characters\n",
                painted / 1e6, loaded / 1e6, shown);
    std::printf("  click on the track whose entry follows the long line: %.1f ms\n", clicked / 1e6);
    form.Form_Unload();
}

}  // namespace

int main(int argc, char* argv[])
{
    const Case cases[] = {
        {"small notes (for comparison)", 40, "Class 4 on a stopping train"},
        {"50 MB of words on one line", 50u << 20, "The down express passes at speed. "},
        {"1 MB on one line without a blank", 1u << 20, "xxxxxxxxxxxxxxxx"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/";
        QDir().mkpath(dir.path() + "/f1");
        writeAlbum(folder, c);
        std::printf("notes: %s\n", c.name);
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            runCase(argc, argv, folder);
            std::fflush(stdout);
            _exit(0);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        std::printf("  peak memory of the process %ld KiB%s\n", usage.ru_maxrss,
                    WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : " (the case failed)");
    }
    return 0;
}
