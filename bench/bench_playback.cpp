// Playback cost and the gap between tracks with the real player. Run with
// SDL_AUDIODRIVER=dummy (the dummy device consumes audio in real time).
// Prints figures only; nothing here is a pass or a fail.
#include "audio/mpg123_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kPlaySeconds = 10;
constexpr int kTransitions = 7;

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// A sine tone made with sox and lame; empty when either is missing.
QString makeTone(const QDir& dir, const QString& name, double seconds, int rate, int channels)
{
    const QString wav = dir.filePath(name + ".wav");
    const QString mp3 = dir.filePath(name + ".mp3");
    const bool made = run("sox", {"-n", "-r", QString::number(rate), "-c", QString::number(channels), "-b", "16", wav,
                                  "synth", QString::number(seconds), "sine", "440", "vol", "0.5"})
        && run("lame", {"--quiet", "-b", "128", wav, mp3});
    return made ? mp3 : QString();
}

// Runs the event loop until done() holds, checking every few milliseconds.
bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
    return done();
}

void benchCpu(const char* label, const QString& track)
{
    Mpg123Player player;
    // Loops the track through the Stopped report, as the window plays one track after another.
    QObject::connect(&player, &MediaPlayer::playStateChange, [&] {
        if (player.playState() == MediaPlayer::Stopped)
            player.setSourceFile(track);
    });
    player.setStartOnOpen(true);
    player.setSourceFile(track);
    if (player.hasError()) {
        std::printf("playback cpu (%s): skipped, the player cannot open %s\n", label, qPrintable(track));
        return;
    }
    const double audioSeconds = player.duration();
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    QEventLoop loop;
    QTimer::singleShot(kPlaySeconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double playCpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const double playWall = double(wall.nsecsElapsed()) / 1e9;
    const double playPercent = 100.0 * playCpu / playWall;
    std::printf("playback cpu (%s): %.2f%% of one core (%.3f s cpu over %.1f s of playing)\n", label, playPercent,
                playCpu, playWall);

    if (QStandardPaths::findExecutable("mpg123").isEmpty()) {
        std::printf("  mpg123 -t decode: skipped, the mpg123 command is not installed\n");
        return;
    }
    const double childBefore = cpuSeconds(RUSAGE_CHILDREN);
    run("mpg123", {"-q", "-t", track});
    const double decodeCpu = cpuSeconds(RUSAGE_CHILDREN) - childBefore;
    const double decodePercent = 100.0 * decodeCpu / audioSeconds;
    std::printf("  mpg123 -t decode of the same file: %.3f s cpu for %.1f s of audio = %.2f%% of one core in real "
                "time; playback costs %.1fx that\n",
                decodeCpu, audioSeconds, decodePercent, decodePercent > 0 ? playPercent / decodePercent : 0.0);
}

// Gap from the callback that hands over a track's last samples to the one
// that hands over the first samples of the file given in the Stopped handler.
void benchGap(const char* label, const QString& first, const QString& next)
{
    std::vector<double> gapsMs;
    for (int i = 0; i < kTransitions; ++i) {
        Mpg123Player player;
        std::int64_t endNs = 0;
        QObject::connect(&player, &MediaPlayer::playStateChange, [&] {
            if (player.playState() == MediaPlayer::Stopped && endNs == 0) {
                endNs = player.trackTimes().lastEndNs;
                player.setSourceFile(next);
            }
        });
        player.setStartOnOpen(true);
        player.setSourceFile(first);
        player.setPosition(player.duration() - 0.3);
        const bool started = waitFor([&] { return endNs != 0 && player.trackTimes().firstSamplesNs > endNs; }, 5000);
        if (started)
            gapsMs.push_back(double(player.trackTimes().firstSamplesNs - endNs) / 1e6);
    }
    if (gapsMs.empty()) {
        std::printf("gap between tracks (%s): no transition measured\n", label);
        return;
    }
    std::sort(gapsMs.begin(), gapsMs.end());
    std::printf("gap between tracks (%s): median %.1f ms, min %.1f ms, max %.1f ms over %zu transitions\n", label,
                gapsMs[gapsMs.size() / 2], gapsMs.front(), gapsMs.back(), gapsMs.size());
}

} // namespace

// The demo album's sounds, for machines without sox and lame.
QStringList demoTracks()
{
    QStringList tracks;
    QDirIterator it(QStringLiteral(QUILLON_DEMO_DIR), {"*.mp3"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        tracks << it.next();
    tracks.sort();
    return tracks;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("audio driver: %s\n", qPrintable(qEnvironmentVariable("SDL_AUDIODRIVER", "(default)")));
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString longStereo = makeTone(folder, "long-stereo", kPlaySeconds + 2, 44100, 2);
    const QString longMono = makeTone(folder, "long-mono", kPlaySeconds + 2, 22050, 1);
    const QString mono = makeTone(folder, "mono", 1.0, 22050, 1);
    const QString stereo = makeTone(folder, "stereo", 1.0, 44100, 2);
    if (!longStereo.isEmpty() && !longMono.isEmpty() && !mono.isEmpty() && !stereo.isEmpty()) {
        benchCpu("44100 Hz stereo, played as is", longStereo);
        benchCpu("22050 Hz mono, converted", longMono);
        benchGap("same format, 44100 Hz stereo", stereo, stereo);
        benchGap("22050 Hz mono to 44100 Hz stereo", mono, stereo);
        return 0;
    }
    const QStringList demo = demoTracks();
    if (demo.size() < 2) {
        std::printf("playback bench: skipped, needs sox and lame, or the demo album's sounds\n");
        return 0;
    }
    std::printf("sox or lame missing: measuring with the demo album's sounds\n");
    benchCpu("demo track", demo.first());
    benchGap("demo track to demo track", demo.at(0), demo.at(1));
    return 0;
}
