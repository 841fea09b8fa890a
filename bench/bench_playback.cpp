// CPU cost of the real window (its timer, bars and labels) and the real player,
// idle and while playing, next to libmpg123's own decoding of the same file
// timed in the same process, and the time a far seek in a long file takes.
// Run with SDL_AUDIODRIVER=dummy (the dummy device consumes audio in real
// time). Prints figures only.
#include <QApplication>

#include <sys/resource.h>
#include <time.h>

#include "audio/mp3_stream.h"
#include "window_rig.h"

namespace {

constexpr int kMeasureSeconds = 10;

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Percent of one core the process uses while the event loop runs for kMeasureSeconds.
double cpuPercentOver()
{
    QElapsedTimer wall;
    wall.start();
    const double before = processCpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(kMeasureSeconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    return 100.0 * (processCpuSeconds() - before) / (double(wall.nsecsElapsed()) / 1e9);
}

// CPU seconds libmpg123 takes to decode the whole file to float, into one reused buffer.
double decodeSeconds(const QString& path, double& audioSeconds)
{
    int err = 0;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_FLOAT, 0);
    std::vector<unsigned char> buffer(16384);
    size_t bytes = 0;
    const double before = threadCpuSeconds();
    if (mpg123_open(h, QFile::encodeName(path).constData()) == MPG123_OK) {
        for (;;) {
            size_t done = 0;
            const int result = mpg123_read(h, buffer.data(), buffer.size(), &done);
            bytes += done;
            if (result != MPG123_OK && result != MPG123_NEW_FORMAT) break;
        }
    }
    const double spent = threadCpuSeconds() - before;
    mpg123_delete(h);
    audioSeconds = double(bytes) / sizeof(float) / 2 / 44100;
    return spent;
}

// A file of `repeats` times the frames of `mp3` (a constant bit rate file from lame,
// its Info frame left out); empty on failure.
QString repeatFrames(const QDir& dir, const QString& mp3, int repeats)
{
    QFile in(mp3);
    const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    if (bytes.size() < 4) return {};
    // MPEG-1 layer III at 128 kbit/s: 144 * bit rate / sample rate bytes, plus the padding bit.
    const int infoFrame = 144 * 128000 / 44100 + ((bytes[2] >> 1) & 1);
    const QString path = dir.filePath("repeated.mp3");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return {};
    for (int i = 0; i < repeats; ++i)
        if (out.write(bytes.constData() + infoFrame, bytes.size() - infoFrame) != bytes.size() - infoFrame) return {};
    return path;
}

// Milliseconds from a seek to 99 % of the file to the first samples after it,
// as the decoder thread spends them; once the whole length walk has run when `walked`.
double farSeekMs(const QString& path, bool walked, double& walkMs)
{
    const auto stream = Mp3Stream::open(path);
    if (!stream) return -1;
    QElapsedTimer timer;
    timer.start();
    while (walked && !stream->measureLength()) {}
    walkMs = double(timer.nsecsElapsed()) / 1e6;
    std::vector<float> buffer(2048);
    timer.start();
    stream->seek(stream->duration() * 0.99);
    stream->read(buffer.data(), 1024);
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    // A recording's usual length: the bars widen by a pixel about every 0.7 s.
    const QString tone = rig::makeTone(dir, "tone", 240, 440, 0.5);
    if (tone.isEmpty()) {
        std::printf("playback cpu bench: skipped, needs sox and lame\n");
        return 0;
    }
    std::printf("cpu, real window and player in this process (not its start), audio driver %s, file cached\n",
                qPrintable(qEnvironmentVariable("SDL_AUDIODRIVER", "(default)")));
    {
        rig::Window w({tone});
        rig::spin([] { return false; }, 1000);  // the window settles after its first paint
        std::printf("idle window: %.3f%% of one core\n", cpuPercentOver());
        w.playAll();
        rig::spin([&] { return w.player.position() > 0.5; }, 5000);
        std::printf("playing a 4-minute 44.1 kHz stereo 128 kbit/s file: %.3f%% of one core\n", cpuPercentOver());
    }
    double audioSeconds = 0;
    const double decode = decodeSeconds(tone, audioSeconds);
    std::printf("mpg123_read decoding the same file: %.1f ms for %.1f s of audio = %.3f%% of one core in real time\n",
                decode * 1e3, audioSeconds, 100.0 * decode / audioSeconds);
    const QString longFile = repeatFrames(dir, tone, 30);
    double walkMs = 0;
    const double before = farSeekMs(longFile, false, walkMs);
    const double after = farSeekMs(longFile, true, walkMs);
    std::printf("seek to 99%% of a 2-hour file, to its first samples: %.2f ms before the length walk, %.2f ms after it "
                "(the walk: %.0f ms in slices)\n",
                before, after, walkMs);
    return 0;
}
