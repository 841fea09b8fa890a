// Start-up on a large album: builds a 100,000-track album, then times the window's
// start-up (reading every record, filling the list and the code list), its first
// paint, a selection near the end, and reports the memory the process holds.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "logic/track_record.h"
#include "form/form1.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"
#include "silent_player.h"

namespace {

std::string writeLargeAlbum(const QString& folder, int tracks)
{
    const std::string path = QDir(folder).filePath("large.qdb").toStdString();
    std::ofstream out(path, std::ios::binary);
    const char* codes[] = {"STM", "DSL", "ELC", "HRN", "DMU"};
    for (int i = 1; i <= tracks; ++i) {
        TrackRecord rec;
        rec.TrackDate = "1506" + std::to_string(1950 + i % 60);
        rec.NoteNo = std::to_string(i % 50 + 1);
        rec.PlayTime = "0" + std::to_string(i % 10) + ":" + std::to_string(10 + i % 50);
        rec.Title = "Recording number " + std::to_string(i) + " of a train passing at speed";
        rec.Lineside = int16_t(i % 3 == 0 ? -1 : 0);
        rec.Mp3Name = "t" + std::to_string(i);
        rec.Folder = "f" + std::to_string(i % 40);
        rec.Code = codes[i % 5];
        out << serializeRecord(rec);
    }
    return path;
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    constexpr int kTracks = 100000;
    const std::string album = writeLargeAlbum(dir.path(), kTracks);
    const std::string appFolder = dir.path().toStdString() + "/";
    {
        std::ofstream ini(appFolder + "qvb.ini", std::ios::binary);
        ini << "[Directories]\r\nDetails=" << dir.path().toStdString() << "/\r\nData=" << album
            << "\r\nPlaylist FN=\r\n\r\n[Pane Positions]\r\n1=2780\r\n2=3375\r\n3=2500\r\n\r\n"
               "[List Positions]\r\nIndex=99990\r\nPlaylist=0\r\n\r\n";
    }
    const long baseKiB = residentKiB();

    SilentPlayer player;
    QtMessageBoxes messages(nullptr);
    QtDialogs dialogs(nullptr);
    QtWindowSystem windows;
    QtHelpViewer help;
    Platform platform{&player, &messages, &dialogs, &windows, &help, appFolder};

    QElapsedTimer timer;
    timer.start();
    Form1 form(platform);
    const qint64 built = timer.nsecsElapsed();
    form.Form_Load();
    const qint64 loaded = timer.nsecsElapsed();
    form.show();
    QApplication::processEvents();
    form.repaint();
    const qint64 painted = timer.nsecsElapsed();

    timer.restart();
    form.lstTracks->setListIndex(kTracks - 1);
    QApplication::processEvents();
    const qint64 selected = timer.nsecsElapsed();

    std::printf("startup with %d tracks: window built %.1f ms, start-up (album read, list filled) %.1f ms, "
                "first paint %.1f ms, total %.1f ms\n",
                form.lstTracks->listCount(), built / 1e6, (loaded - built) / 1e6, (painted - loaded) / 1e6,
                painted / 1e6);
    std::printf("select the last track and show its notes: %.2f ms\n", selected / 1e6);
    std::printf("memory held by the window and its list: %ld KiB\n", residentKiB() - baseKiB);
    form.Form_Unload();
    return 0;
}
