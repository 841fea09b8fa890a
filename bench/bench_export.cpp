// Exporting a playlist of 200 generated files of 2.5 MB (500 MB of real bytes) through
// the real window: the Export frame's "Ok" until the copying thread has ended, which
// includes reading the playlist, the checks, creating the folder, copying every file
// under a temporary name and renaming it, and writing details.txt with the notes (that
// one small file flushed to the disk), with the window selecting each playlist line in
// turn and showing the progress (at most every 40 ms) meanwhile. Next to it, `cp` of the
// same 200 files into a new folder of the same disk (one process; its start included).
// Neither flushes the copies. Each round runs both, the order alternating, each after a
// `sync` and with the other's copy removed, so that neither pays for the other's writing
// back; sources stay in the page cache throughout. Medians and the fastest round of each
// are printed: on a shared machine the fastest is the one least disturbed by other work.
// The CPU time (user and system) of the whole process during the export, window thread
// included, is printed next to cp's.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <sys/resource.h>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "export/export_frame.h"
#include "form/form1.h"
#include "logic/track_record.h"
#include "playlist/playlist_page.h"
#include "bench_folder.h"
#include "silent_player.h"

namespace {

constexpr int kFiles = 200;
constexpr size_t kFileBytes = size_t(2560) * 1024;
constexpr int kRounds = 10;

// CPU seconds (user and system) of this process or of its finished children, in ms.
double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Timing {
    double wallMs = 0, cpuMs = 0;
};

// Album, notes, settings and a playlist of every track, and the MP3 files of random bytes.
QStringList writeFiles(const std::string& folder)
{
    std::ofstream album(folder + "album.qdb", std::ios::binary);
    std::ofstream notes(folder + "f1/details.qvt", std::ios::binary);
    std::ofstream playlist(folder + "temp.$$$", std::ios::binary);
    std::mt19937_64 random(7);
    std::vector<uint64_t> bytes(kFileBytes / sizeof(uint64_t));
    QStringList mp3s;
    for (int n = 1; n <= kFiles; ++n) {
        TrackRecord rec;
        rec.TrackDate = "15061975";
        rec.NoteNo = std::to_string(n);
        rec.PlayTime = "02:36";
        rec.Title = "Track " + std::to_string(n) + " passing at speed";
        rec.Mp3Name = "t" + std::to_string(n);
        rec.Folder = "f1";
        album << serializeRecord(rec);
        notes << "Recorded at the lineside, take " << n << "\r\n#second line\r\n";
        playlist << folder << "album.qdb\r\n " << n << " \r\n";
        for (uint64_t& word : bytes) word = random();
        const std::string mp3 = folder + "f1/t" + std::to_string(n) + ".mp3";
        std::ofstream(mp3, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(kFileBytes));
        mp3s << QString::fromStdString(mp3);
    }
    notes << "End\r\n";
    return mp3s;
}

void sync()
{
    QProcess::execute(QStringLiteral("sync"), {});
}

Timing timeCp(const QStringList& mp3s, const QString& target)
{
    QDir().mkpath(target);
    sync();
    const double cpu = cpuMs(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    const int code = QProcess::execute(QStringLiteral("cp"), mp3s + QStringList{target});
    const Timing t{timer.nsecsElapsed() / 1e6, cpuMs(RUSAGE_CHILDREN) - cpu};
    if (code != 0) std::printf("  cp failed (%d)\n", code);
    return t;
}

Timing timeExport(Form1& form, const QString& parent, const QString& name)
{
    ExportFrame& frame = *form.fmExport;
    frame.dirExport->setCurrentIndex(frame.dirModel->index(parent));
    frame.txtExportName->setText(name);
    frame.btnExport->click();
    sync();
    QEventLoop loop;
    QObject::connect(&frame, &ExportFrame::exportEnded, &loop, &QEventLoop::quit);
    const double cpu = cpuMs(RUSAGE_SELF);
    QElapsedTimer timer;
    timer.start();
    frame.btnOk->click();
    if (frame.isExporting()) loop.exec();
    else std::printf("  the export did not run\n");
    return {timer.nsecsElapsed() / 1e6, cpuMs(RUSAGE_SELF) - cpu};
}

int filesIn(const QString& folder)
{
    return int(QDir(folder).entryList(QDir::Files).size());
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const BenchFolder scratch;
    const std::string& folder = scratch.path;
    const QTemporaryDir& dir = scratch.dir;
    QDir(dir.path()).mkdir(QStringLiteral("out"));
    const QStringList mp3s = writeFiles(folder);

    BenchWindow window(folder);
    Form1& form = window.form;
    form.lblTabPlaylist_Click();
    QApplication::processEvents();

    const QString out = dir.path() + "/out";
    std::vector<Timing> exports, cps;
    for (int round = 0; round < kRounds; ++round) {
        const QString name = QStringLiteral("export%1").arg(round);
        const QString copy = out + QStringLiteral("/cp%1").arg(round);
        int exported = 0, copied = 0;
        // Each copy is removed before the next is timed, so each starts with the same cache and disk.
        const auto runCp = [&] {
            cps.push_back(timeCp(mp3s, copy));
            copied = filesIn(copy);
            QDir(copy).removeRecursively();
        };
        const auto runExport = [&] {
            exports.push_back(timeExport(form, out, name));
            exported = filesIn(out + "/" + name);
            QDir(out + "/" + name).removeRecursively();
        };
        if (round % 2 == 0) runCp();
        runExport();
        if (round % 2 == 1) runCp();
        std::printf("  round %2d (%-6s first): export %4.0f ms (%d files with details.txt), cp %4.0f ms (%d files)\n",
                    round + 1, round % 2 == 0 ? "cp" : "export", exports.back().wallMs, exported, cps.back().wallMs,
                    copied);
    }
    std::printf("Export of %d files of %.1f MB (%.0f MB) in %s, %d rounds\n", kFiles, kFileBytes / 1048576.0,
                kFiles * kFileBytes / 1048576.0, dir.path().toLocal8Bit().constData(), kRounds);
    const auto line = [&](const char* what, auto pick) {
        std::vector<double> e, c;
        for (const Timing& t : exports) e.push_back(pick(t));
        for (const Timing& t : cps) c.push_back(pick(t));
        const double eMin = *std::min_element(e.begin(), e.end()), cMin = *std::min_element(c.begin(), c.end());
        std::printf(
            "  %s: median export %.0f ms, cp %.0f ms, ratio %.2f; fastest export %.0f ms, cp %.0f ms, ratio %.2f\n",
            what, median(e), median(c), median(e) / median(c), eMin, cMin, eMin / cMin);
    };
    line("wall time", [](const Timing& t) { return t.wallMs; });
    line("CPU time ", [](const Timing& t) { return t.cpuMs; });
    form.Form_Unload();
    return 0;
}
