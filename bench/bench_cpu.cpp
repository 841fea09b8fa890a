// CPU while playing, side by side with the players people already use: the real
// quillon executable (its window offscreen, its sound through SDL's PulseAudio
// driver) plays a 4-minute 192 kbit/s stereo MP3 on a private PulseAudio server
// with a null sink, which consumes sound at real-time pace; then Audacious
// (headless) and the mpg123 command line play the same file on the same sink,
// when installed. Each figure is the CPU time (user and system, as the scheduler
// counts it) of the player's whole process (every thread) over the measured
// stretch, as a percentage of one core; the sound server's own share over the
// same stretch is given beside it.
// Quillon is driven through its desktop player controls on a private session bus.
// With --quillon-only the other players are left out; --stress N instead pauses,
// resumes and seeks Quillon N times, checking on the sink that sound comes back.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>

#include "cpu_rig.h"
#include "logic/track_record.h"

namespace {

constexpr int kPlayingSeconds = 40;
constexpr int kIdleSeconds = 15;
constexpr int kSettleMs = 3000;

// What the sound server holds of the playing stream: sound a pause or a seek cannot take back.
void printLatency(Scratch& s)
{
    QProcess pactl;
    pactl.setProcessEnvironment(s.env);
    pactl.start("pactl", {"list", "sink-inputs"});
    pactl.waitForFinished();
    for (const QByteArray& line : pactl.readAllStandardOutput().split('\n'))
        if (line.contains("Latency")) std::printf("  stream %s\n", line.trimmed().constData());
}

// Milliseconds from a click to the last sound on the sink, recorded from its monitor;
// an upper bound, as the recording reaches this process a few milliseconds late.
double clickToSilence(Scratch& s, const std::function<void()>& click)
{
    QProcess parec;
    parec.setProcessEnvironment(s.env);
    parec.start("parec", {"--raw", "--format=s16le", "--channels=1", "--rate=44100", "--latency-msec=5",
                          "--device=bench.monitor"});
    if (!parec.waitForStarted()) return -1;
    waitMs(1500);
    QByteArray heard = parec.readAllStandardOutput();
    const qsizetype clickAt = heard.size() / 2;
    click();
    waitMs(1500);
    heard += parec.readAllStandardOutput();
    stopProcess(parec);
    const auto* samples = reinterpret_cast<const qint16*>(heard.constData());
    qsizetype last = heard.size() / 2 - 1;
    while (last >= 0 && std::abs(samples[last]) < 64) --last;
    return last < clickAt ? -1 : 1000.0 * double(last + 1 - clickAt) / 44100;
}

// A program folder with a copy of the executable and an album of one track, `mp3`.
QString quillonFolder(const QDir& root, const QString& mp3)
{
    root.mkpath("quillon/album/f1");
    const QDir folder(root.filePath("quillon"));
    QFile::copy(QStringLiteral(QUILLON_EXE), folder.filePath("quillon"));
    QFile::link(mp3, folder.filePath("album/f1/t1.mp3"));
    TrackRecord rec;
    rec.TrackDate = "01061980";
    rec.NoteNo = "1";
    rec.PlayTime = "04:00";
    rec.Title = "Four minutes";
    rec.Mp3Name = "t1";
    rec.Folder = "f1";
    std::ofstream(folder.filePath("album/album.qdb").toStdString(), std::ios::binary) << serializeRecord(rec);
    std::ofstream(folder.filePath("album/f1/details.qvt").toStdString(), std::ios::binary) << "Notes\r\nEnd\r\n";
    std::ofstream(folder.filePath("qvb.ini").toStdString(), std::ios::binary)
        << "[Directories]\r\nDetails=" << folder.filePath("album/").toStdString()
        << "\r\nData=" << folder.filePath("album/album.qdb").toStdString() << "\r\nPlaylist FN=\r\n";
    return folder.filePath("quillon");
}

// The quillon executable on the private bus and sound server, driven through its desktop player controls.
struct Quillon {
    explicit Quillon(Scratch& scratch) : s(scratch) {}
    Scratch& s;
    QProcess process;
    QDBusConnection bus{QString()};

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall("org.mpris.MediaPlayer2.quillon",
                                                              "/org/mpris/MediaPlayer2", interface, method);
        message.setArguments(args);
        return bus.call(message);
    }
    QVariant property(const char* name)
    {
        const QDBusMessage reply = call("org.freedesktop.DBus.Properties", "Get",
                                        {QStringLiteral("org.mpris.MediaPlayer2.Player"), QString::fromUtf8(name)});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    QString status() { return property("PlaybackStatus").toString(); }
    void control(const char* method) { call("org.mpris.MediaPlayer2.Player", method); }
    void seek(qlonglong micros) { call("org.mpris.MediaPlayer2.Player", "Seek", {QVariant::fromValue(micros)}); }

    bool start(const QString& mp3)
    {
        QProcessEnvironment env = s.env;
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SDL_AUDIODRIVER", "pulseaudio");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(quillonFolder(QDir(s.dir.path()), mp3), {});
        bus = QDBusConnection::connectToBus(env.value("DBUS_SESSION_BUS_ADDRESS"), "bench");
        if (!process.waitForStarted() || !waitFor([&] { return status() == "Stopped"; }, 20000)) {
            std::printf("quillon: did not start on the private bus\n");
            return false;
        }
        control("Play");
        if (waitFor([&] { return status() == "Playing"; }, 5000)) return true;
        std::printf("quillon: did not play\n");
        return false;
    }
    ~Quillon()
    {
        stopProcess(process);
        QDBusConnection::disconnectFromBus("bench");
    }
};

void benchQuillon(Scratch& s, const QString& mp3)
{
    Quillon q(s);
    if (!q.start(mp3)) return;
    const auto control = [&](const char* method) { q.control(method); };
    QProcess& quillon = q.process;
    waitMs(kSettleMs);
    print("quillon", "playing", measure(quillon.processId(), s.pulse.processId(), kPlayingSeconds, true));
    printLatency(s);
    std::printf("  click to silence: pause %.0f ms", clickToSilence(s, [&] { control("Pause"); }));
    control("Play");
    // From the chord into the file's silent last 40 s.
    std::printf(", seek %.0f ms\n", clickToSilence(s, [&] { q.seek(175000000); }));
    control("Pause");
    waitMs(kSettleMs);
    print("quillon", "paused", measure(quillon.processId(), s.pulse.processId(), kIdleSeconds));
    control("Play");
    waitMs(kSettleMs);
    control("Stop");
    waitMs(kSettleMs);
    print("quillon", "stopped", measure(quillon.processId(), s.pulse.processId(), kIdleSeconds));
}

// The sink's monitor, recorded for as long as it lives, as 44.1 kHz mono samples.
struct Monitor {
    QProcess parec;
    QByteArray heard;

    explicit Monitor(Scratch& s)
    {
        parec.setProcessEnvironment(s.env);
        parec.start("parec", {"--raw", "--format=s16le", "--channels=1", "--rate=44100", "--latency-msec=5",
                              "--device=bench.monitor"});
        parec.waitForStarted();
    }
    ~Monitor() { stopProcess(parec); }
    qsizetype now()
    {
        heard += parec.readAllStandardOutput();
        return heard.size() / 2;
    }
    bool loud(qsizetype from)
    {
        const auto* samples = reinterpret_cast<const qint16*>(heard.constData());
        for (qsizetype i = std::max<qsizetype>(0, from); i < heard.size() / 2; ++i)
            if (std::abs(samples[i]) >= 64) return true;
        return false;
    }
    // Whether there is sound on the sink from `ms` after sample `at`, waiting up to `timeoutMs` for it.
    bool soundAfter(qsizetype at, int ms, int timeoutMs)
    {
        const qsizetype from = at + qsizetype(ms) * 44100 / 1000;
        return waitFor([&] { return now() > from && loud(from); }, timeoutMs);
    }
    // Waits until the last 50 ms on the sink were silent.
    bool quiet(int timeoutMs)
    {
        return waitFor([&] { return now() > 2205 && !loud(now() - 2205); }, timeoutMs);
    }
};

// Pause and play, and seeks, in quick succession and at random moments, each followed by a check
// that sound comes back on the sink (a device left unfed plays silence while the player says Playing).
void stressQuillon(Scratch& s, const QString& mp3, int cycles)
{
    Quillon q(s);
    if (!q.start(mp3)) return;
    Monitor sink(s);
    QRandomGenerator random(7);
    int resumes = 0, resumed = 0, seeks = 0, seeked = 0;
    // How long the player's window thread stays busy with a command: the next call waits behind it.
    QList<qint64> busyMs;
    const auto busy = [&] {
        QElapsedTimer timer;
        timer.start();
        q.status();
        busyMs << timer.elapsed();
    };
    const auto seekSomewhere = [&] {
        const qlonglong target = qlonglong(random.bounded(10, 180)) * 1000000;
        q.seek(target - q.property("Position").toLongLong());
        busy();
    };
    if (!sink.soundAfter(0, 0, 3000)) std::printf("quillon: no sound at the start\n");
    for (int i = 0; i < cycles; ++i) {
        q.control("Pause");
        busy();
        if (i % 2 == 0) sink.quiet(1000);
        // Now and then long enough for the idle device to be closed.
        waitMs(i % 10 == 9 ? 1200 : random.bounded(0, 150));
        qsizetype at = sink.now();
        q.control("Play");
        if (i % 3 == 0) {
            waitMs(random.bounded(0, 60));
            seekSomewhere();
        }
        ++resumes;
        // Past anything a pause left playing.
        if (sink.soundAfter(at, 400, 3000)) ++resumed;
        else std::printf("  cycle %d: silent after play (%s)\n", i, qPrintable(q.status()));
        waitMs(random.bounded(0, 300));
        at = sink.now();
        seekSomewhere();
        ++seeks;
        // Past what the server held before the seek.
        if (sink.soundAfter(at, 500, 3000)) ++seeked;
        else std::printf("  cycle %d: silent after a seek (%s)\n", i, qPrintable(q.status()));
    }
    std::sort(busyMs.begin(), busyMs.end());
    std::printf("quillon stress: %d of %d resumes and %d of %d seeks went on sounding; "
                "a pause or seek keeps the window busy %lld ms (median), %lld ms (most)\n",
                resumed, resumes, seeked, seeks, busyMs.value(busyMs.size() / 2), busyMs.value(busyMs.size() - 1));
}

void benchAudacious(Scratch& s, const QString& mp3)
{
    if (!installed("audacious")) {
        std::printf("audacious: not installed, skipped (scripts/install-deps --bench installs it)\n");
        return;
    }
    QProcess audacious;
    audacious.setProcessEnvironment(s.env);
    audacious.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    audacious.setStandardOutputFile(QProcess::nullDevice());
    audacious.start("audacious", {"--headless", mp3});
    QProcess audtool;
    audtool.setProcessEnvironment(s.env);
    const auto tool = [&](const QStringList& args) {
        audtool.start("audtool", args);
        audtool.waitForFinished();
        return QString::fromUtf8(audtool.readAllStandardOutput()).trimmed();
    };
    if (!waitFor([&] { return tool({"playback-status"}) == "playing"; }, 20000)) {
        std::printf("audacious: did not play\n");
        stopProcess(audacious);
        return;
    }
    waitMs(kSettleMs);
    print("audacious", "playing", measure(audacious.processId(), s.pulse.processId(), kPlayingSeconds));
    // audtool's own start is in these.
    std::printf("  click to silence: pause %.0f ms", clickToSilence(s, [&] { tool({"playback-pause"}); }));
    tool({"playback-play"});
    std::printf(", seek %.0f ms\n", clickToSilence(s, [&] { tool({"playback-seek", "225"}); }));
    tool({"playback-pause"});
    waitMs(kSettleMs);
    print("audacious", "paused", measure(audacious.processId(), s.pulse.processId(), kIdleSeconds));
    tool({"playback-stop"});
    waitMs(kSettleMs);
    print("audacious", "stopped", measure(audacious.processId(), s.pulse.processId(), kIdleSeconds));
    tool({"shutdown"});
    if (!audacious.waitForFinished(5000)) stopProcess(audacious);
}

void benchMpg123(Scratch& s, const QString& mp3)
{
    if (!installed("mpg123")) {
        std::printf("mpg123: not installed, skipped\n");
        return;
    }
    QProcess mpg123;
    mpg123.setProcessEnvironment(s.env);
    mpg123.start("mpg123", {"-q", "-o", "pulse", mp3});
    if (!mpg123.waitForStarted()) return;
    waitMs(kSettleMs);
    print("mpg123", "playing", measure(mpg123.processId(), s.pulse.processId(), kPlayingSeconds));
    stopProcess(mpg123);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    for (const char* tool : {"pulseaudio", "pactl", "parec", "dbus-daemon", "sox", "lame"}) {
        if (!installed(tool)) {
            std::printf("cpu bench: skipped, needs %s (scripts/install-deps --bench)\n", tool);
            return 0;
        }
    }
    Scratch scratch;
    if (!scratch.start()) {
        std::printf("cpu bench: skipped, the private PulseAudio server did not start\n");
        return 0;
    }
    const QDir root(scratch.dir.path());
    const QString wav = root.filePath("tone.wav"), mp3 = root.filePath("tone.mp3");
    // A chord, so the encoder has something to spend its bits on, for 200 s, then 40 s of silence.
    if (!run("sox", {"-n",  "-r",   "44100", "-c",    "2", "-b", "16",  wav,   "synth", "200", "sine",
                     "220", "sine", "331",   "remix", "1", "2",  "vol", "0.4", "pad",   "0",   "40"})
        || !run("lame", {"--quiet", "-b", "192", wav, mp3})) {
        std::printf("cpu bench: skipped, could not make the MP3\n");
        return 0;
    }
    QFile::remove(wav);
    std::printf("cpu of one core, whole process, 4-minute 192 kbit/s stereo MP3 on a PulseAudio null sink "
                "(%d s playing, %d s paused or stopped)\n",
                kPlayingSeconds, kIdleSeconds);
    const qsizetype stress = app.arguments().indexOf("--stress");
    if (stress >= 0) {
        stressQuillon(scratch, mp3, app.arguments().value(stress + 1).toInt());
        return 0;
    }
    benchQuillon(scratch, mp3);
    if (app.arguments().contains("--quillon-only")) return 0;
    benchAudacious(scratch, mp3);
    benchMpg123(scratch, mp3);
    return 0;
}
