// Merging two albums of 100,000 records each into a new file, next to `cat a b > c`
// of the same files, and next to that cat followed by `sync c`: the merge flushes the
// new output to the disk before renaming it over the old one, so that a crash never
// leaves an empty album, and cat alone does not. Timings are medians of seven runs,
// inputs in the page cache. The merge runs the file work of the Merge button: both
// inputs and the old output's tail read in blocks into a new file beside the output,
// flushed and renamed over it.
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "logic/album_merge.h"
#include "logic/track_record.h"
#include "platform/file_ops.h"

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 7;

void writeAlbum(const std::string& path, char title)
{
    std::ofstream album(path, std::ios::binary);
    for (int n = 1; n <= kRecords; ++n) {
        TrackRecord rec;
        rec.TrackDate = "15061975";
        rec.PlayTime = "03:41";
        rec.Title = std::string(1, title) + " track " + std::to_string(n);
        rec.Mp3Name = "t" + std::to_string(n);
        rec.Folder = "f1";
        album << serializeRecord(rec);
    }
}

template <typename F>
double medianMs(F&& run)
{
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

bool merge(const std::string& a, const std::string& b, const std::string& out)
{
    return writeFileAtomic(out, [&](const WritePiece& write) {
               return streamMergedAlbum(a, b, out, write).ok();
           }) == FileError::None;
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    const std::string a = folder + "a.qdb", b = folder + "b.qdb", out = folder + "merged.qdb";
    writeAlbum(a, 'A');
    writeAlbum(b, 'B');
    bool ok = true;
    const double mergeMs = medianMs([&] {
        std::remove(out.c_str());
        ok = merge(a, b, out) && ok;
    });
    const std::string cat = "cat '" + a + "' '" + b + "' > '" + folder + "cat.qdb'";
    const double catMs = medianMs([&] { ok = std::system(cat.c_str()) == 0 && ok; });
    const std::string catSync = cat + " && sync '" + folder + "cat.qdb'";
    const double catSyncMs = medianMs([&] { ok = std::system(catSync.c_str()) == 0 && ok; });
    if (!ok) {
        std::fprintf(stderr, "merge or cat failed\n");
        return 1;
    }
    std::printf("merge 2 x %d records (%.1f MB): %.1f ms\n", kRecords, 2.0 * kRecords * kRecordSize / 1e6, mergeMs);
    std::printf("cat a b > c: %.1f ms (merge / cat %.2f)\n", catMs, mergeMs / catMs);
    std::printf("cat a b > c && sync c: %.1f ms (merge / cat+sync %.2f)\n", catSyncMs, mergeMs / catSyncMs);
    return 0;
}
