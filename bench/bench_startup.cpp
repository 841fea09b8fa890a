// Start-up as a user gets it: the real executable, from exec to the first paint of
// its window (offscreen), with the 8-track demo album and with a generated
// 100,000-track album, and the peak resident memory of each process. Each figure
// includes process start, Qt's start-up, reading the settings, opening and scanning
// the album, filling the lists, showing the first track's notes and painting the
// window; the album files are in the page cache (warm) after the first run.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "logic/track_record.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 7;

void writeLargeAlbum(const fs::path& path, int tracks)
{
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
}

// A program folder holding a copy of the executable and settings that open album,
// with the last line selected, as after a session that ended there.
fs::path programFolder(const fs::path& root, const char* name, const fs::path& album, long lastLine)
{
    const fs::path folder = root / name;
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all);
    fs::copy_file(QUILLON_EXE, folder / "quillon", fs::copy_options::overwrite_existing);
    std::ofstream ini(folder / "qvb.ini", std::ios::binary);
    ini << "[Directories]\r\nDetails=" << album.parent_path().string() << "/\r\nData=" << album.string()
        << "\r\nPlaylist FN=\r\n\r\n[Pane Positions]\r\n1=2780\r\n2=3375\r\n3=2500\r\n\r\n"
        << "[List Positions]\r\nIndex=" << lastLine << "\r\nPlaylist=0\r\n\r\n";
    return folder / "quillon";
}

struct Run {
    double ms = 0;   // exec to first paint
    long peakKiB = 0;
};

// Starts the program, waits for the line it prints after its first paint, then for its exit.
Run runOnce(const fs::path& exe)
{
    int out[2];
    if (pipe(out) != 0) std::exit(1);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        setenv("QUILLON_QUIT_AFTER_FIRST_PAINT", "1", 1);
        // Qt wants a private runtime folder; the program's own folder is one.
        setenv("XDG_RUNTIME_DIR", exe.parent_path().c_str(), 0);
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') {
    }
    Run run;
    run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not start and stop cleanly\n", exe.c_str());
        std::exit(1);
    }
    run.peakKiB = usage.ru_maxrss;
    return run;
}

Run median(const fs::path& exe)
{
    runOnce(exe);  // warm the caches
    std::vector<double> ms;
    std::vector<long> kib;
    for (int i = 0; i < kRuns; ++i) {
        const Run r = runOnce(exe);
        ms.push_back(r.ms);
        kib.push_back(r.peakKiB);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(kib.begin(), kib.end());
    return {ms[kRuns / 2], kib[kRuns / 2]};
}

}  // namespace

int main()
{
    const fs::path root = fs::temp_directory_path() / ("quillon-bench-startup-" + std::to_string(getpid()));
    fs::create_directories(root);
    constexpr int kTracks = 100000;
    const fs::path large = root / "albums" / "large.qdb";
    fs::create_directories(large.parent_path());
    writeLargeAlbum(large, kTracks);

    const Run demo = median(programFolder(root, "demo", fs::path(QUILLON_DEMO_DIR) / "railway-demo.qdb", 7));
    const Run big = median(programFolder(root, "large", large, kTracks - 1));
    fs::remove_all(root);

    std::printf("start-up, exec to first paint (median of %d):\n", kRuns);
    std::printf("  demo album (8 tracks):     %7.1f ms, peak RSS %6.1f MB\n", demo.ms, demo.peakKiB / 1024.0);
    std::printf("  large album (%d tracks): %7.1f ms, peak RSS %6.1f MB\n", kTracks, big.ms, big.peakKiB / 1024.0);
    std::printf("  large / demo: time %.2fx (goal <= 1.3x), RSS +%.1f MB (goal <= 8 MB)\n", big.ms / demo.ms,
                (big.peakKiB - demo.peakKiB) / 1024.0);
    return 0;
}
