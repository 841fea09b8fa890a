// Start-up as a user gets it: the real executable, from exec to the first paint of
// its window (offscreen), with the 8-track demo album against generated albums of
// 100,000 and 1,000,000 tracks and a 1 GB sparse album (8 million records of NUL
// bytes), and the peak resident memory of each process. Each first-paint figure
// includes process start, Qt's start-up, reading the settings, opening the album,
// filling the lists, showing the restored line's notes and painting the window; the
// album's scan (codes, carried months, widest line) runs after that, and the second
// figure is exec until the scan has ended (the program says so on its output), with
// that process's peak memory. Runs of the demo and the large album alternate, so a
// busy machine slows both alike; the album files are in the page cache (warm) after
// the first run.
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
    double ms = 0;  // exec to first paint
    long peakKiB = 0;
};

// Starts the program, waits for the line it prints after its first paint, then for its exit.
Run runOnce(const fs::path& exe, const char* until = "first paint")
{
    int out[2];
    if (pipe(out) != 0) std::exit(1);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        setenv("QUILLON_QUIT_AFTER_FIRST_PAINT", until, 1);
        // Qt wants a private runtime folder; the program's own folder is one.
        setenv("XDG_RUNTIME_DIR", exe.parent_path().c_str(), 0);
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    // The line after the first paint, then (when asked for) the one after the scan.
    std::string line;
    for (char c; read(out[0], &c, 1) == 1;) {
        if (c != '\n') {
            line += c;
        } else if (line == until) {
            break;
        } else {
            line.clear();
        }
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

double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Pair {
    Run demo, large, scanned;  // medians
};

// Alternates runs of the demo and the large album, then times the large album to its scan's end.
Pair paired(const fs::path& demoExe, const fs::path& largeExe, int runs)
{
    runOnce(demoExe);
    runOnce(largeExe);  // warm the caches
    std::vector<double> dms, lms, sms, dkib, lkib, skib;
    for (int i = 0; i < runs; ++i) {
        const Run d = runOnce(demoExe), l = runOnce(largeExe), s = runOnce(largeExe, "album scanned");
        dms.push_back(d.ms), lms.push_back(l.ms), sms.push_back(s.ms);
        dkib.push_back(double(d.peakKiB)), lkib.push_back(double(l.peakKiB)), skib.push_back(double(s.peakKiB));
    }
    return {{medianOf(dms), long(medianOf(dkib))},
            {medianOf(lms), long(medianOf(lkib))},
            {medianOf(sms), long(medianOf(skib))}};
}

}  // namespace

int main()
{
    const fs::path root = fs::temp_directory_path() / ("quillon-bench-startup-" + std::to_string(getpid()));
    const fs::path albums = root / "albums";
    fs::create_directories(albums);
    const fs::path demoExe = programFolder(root, "demo", fs::path(QUILLON_DEMO_DIR) / "railway-demo.qdb", 7);
    struct Case {
        const char* name;
        int tracks;
        bool sparse;
        double timeGoal, rssGoalMB;
    };
    const Case cases[] = {{"100,000 tracks", 100000, false, 1.3, 8},
                          {"1,000,000 tracks", 1000000, false, 1.5, 20},
                          {"1 GB sparse (8,000,000 NUL records)", 8000000, true, 2.0, 40}};
    std::printf("start-up, exec to first paint and to the scan's end (median of %d, paired with the demo album):\n",
                kRuns);
    for (const Case& c : cases) {
        const fs::path album = albums / (std::to_string(c.tracks) + ".qdb");
        if (c.sparse) {
            std::ofstream(album, std::ios::binary).close();
            fs::resize_file(album, uintmax_t(c.tracks) * kRecordSize);  // a hole: every byte reads as NUL
        } else {
            writeLargeAlbum(album, c.tracks);
        }
        const Pair p = paired(demoExe, programFolder(root, album.stem().c_str(), album, c.tracks - 1), kRuns);
        fs::remove(album);
        std::printf("  %s\n", c.name);
        std::printf("    demo (8 tracks) first paint %7.1f ms, peak RSS %6.1f MB\n", p.demo.ms, p.demo.peakKiB / 1024.0);
        std::printf("    large first paint           %7.1f ms, peak RSS %6.1f MB\n", p.large.ms,
                    p.large.peakKiB / 1024.0);
        std::printf("    large scan ended            %7.1f ms, peak RSS %6.1f MB\n", p.scanned.ms,
                    p.scanned.peakKiB / 1024.0);
        std::printf("    large / demo: time %.2fx (goal <= %.1fx), RSS +%.1f MB (goal <= %.0f MB)\n",
                    p.large.ms / p.demo.ms, c.timeGoal, (p.large.peakKiB - p.demo.peakKiB) / 1024.0, c.rssGoalMB);
        std::fflush(stdout);
    }
    fs::remove_all(root);
    return 0;
}
