// Merging two albums of 1,000,000 records each (131 MB apiece) next to
// `cat a b > c; sync` of the same files, paired in the same run: one of each in turn,
// each started after a `sync` so that neither pays for the other's writing. Inputs are
// in the page cache; figures are medians of five pairs.
//  - merge: the Merge button's file work as the window runs it, on a thread of its own
//    (BackgroundRun) while this thread's event loop goes on: opening the inputs, copying
//    both and nothing of an old output (there is none) into a new nameless file beside
//    the output, flushing it to the disk and renaming it in place, until the window's
//    thread hears that it ended.
//  - cat a b > c; sync: the shell, cat, and a sync of every file system.
//  - cat a b > c; sync c: the same with only the new file flushed, as the merge does.
//  - window: the longest the window's event loop waited for its 1 ms timer during a
//    merge (the time it was unable to paint or take a click).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "form/background_run.h"
#include "logic/album_merge.h"
#include "logic/track_record.h"
#include "platform/file_ops.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kRuns = 5;

void writeAlbum(const std::string& path, char title)
{
    std::ofstream album(path, std::ios::binary);
    std::string block;
    for (int n = 1; n <= kRecords; ++n) {
        TrackRecord rec;
        rec.TrackDate = "15061975";
        rec.PlayTime = "03:41";
        rec.Title = std::string(1, title) + " track " + std::to_string(n);
        rec.Mp3Name = "t" + std::to_string(n);
        rec.Folder = "f1";
        block += serializeRecord(rec);
        if (block.size() > (1 << 20)) album << block, block.clear();
    }
    album << block;
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct MergeRun {
    double ms = 0, longestWaitMs = 0;
    bool ok = false;
};

MergeRun mergeOnThread(const std::string& a, const std::string& b, const std::string& out)
{
    MergeRun run;
    BackgroundRun merging;
    QEventLoop loop;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        run.longestWaitMs = std::max(run.longestWaitMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    QObject::connect(&merging, &BackgroundRun::ended, &loop, &QEventLoop::quit);
    const auto start = std::chrono::steady_clock::now();
    merging.start([&] {
        run.ok = writeFileAtomicTo(out, [&](int fd) { return mergeAlbumsInto(fd, a, b, out, {}).verdict(); })
                 == FileError::None;
    });
    sinceTick.start();
    tick.start(1);
    loop.exec();
    run.ms = msSince(start);
    return run;
}

double timedShell(const std::string& command, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = std::system(command.c_str()) == 0 && ok;
    return msSince(start);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    const std::string a = folder + "a.qdb", b = folder + "b.qdb", out = folder + "merged.qdb", c = folder + "c.qdb";
    writeAlbum(a, 'A');
    writeAlbum(b, 'B');
    bool ok = std::system(("cat '" + a + "' '" + b + "' > /dev/null").c_str()) == 0;  // both in the page cache
    const std::string cat = "cat '" + a + "' '" + b + "' > '" + c + "'";
    std::vector<double> merge, catSync, catSyncFile, waits;
    for (int i = 0; i < kRuns; ++i) {
        std::remove(out.c_str());
        ok = std::system("sync") == 0 && ok;
        const MergeRun run = mergeOnThread(a, b, out);
        ok = ok && run.ok;
        merge.push_back(run.ms);
        waits.push_back(run.longestWaitMs);
        std::remove(c.c_str());
        ok = std::system("sync") == 0 && ok;
        catSync.push_back(timedShell(cat + "; sync", ok));
        std::remove(c.c_str());
        ok = std::system("sync") == 0 && ok;
        catSyncFile.push_back(timedShell(cat + " && sync '" + c + "'", ok));
    }
    if (!ok) {
        std::fprintf(stderr, "merge or cat failed\n");
        return 1;
    }
    const double m = median(merge), cs = median(catSync), csf = median(catSyncFile);
    std::printf("merge 2 x %d records (%.0f MB): %.0f ms\n", kRecords, 2.0 * kRecords * kRecordSize / 1e6, m);
    std::printf("cat a b > c; sync: %.0f ms (merge / that %.2f)\n", cs, m / cs);
    std::printf("cat a b > c; sync c: %.0f ms (merge / that %.2f)\n", csf, m / csf);
    std::printf("window's longest wait during a merge: %.1f ms (median of runs; worst %.1f ms)\n", median(waits),
                *std::max_element(waits.begin(), waits.end()));
    return 0;
}
