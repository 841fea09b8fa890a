#pragma once
// What the CPU benchmark runs its players with: a private sound server and session
// bus, the CPU each thread of a process has used as the scheduler counts it, and the
// processes it starts and stops.
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>

inline void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

inline bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        waitMs(50);
    }
    return true;
}

// CPU seconds a thread has run so far, to the nanosecond (the scheduler's own count;
// /proc/<pid>/stat counts whole clock ticks, too coarse for a fraction of a percent).
inline std::optional<double> threadSeconds(qint64 pid, const QString& thread)
{
    QFile stat(QStringLiteral("/proc/%1/task/%2/schedstat").arg(pid).arg(thread));
    if (!stat.open(QIODevice::ReadOnly)) return std::nullopt;
    bool ok = false;
    const double ns = stat.readAll().split(' ').value(0).toDouble(&ok);
    return ok ? std::optional<double>(ns / 1e9) : std::nullopt;
}

// CPU seconds of a process so far: every thread it has now (threads that ended are not counted,
// so each measured stretch runs where the player's threads stay).
inline std::optional<double> cpuSeconds(qint64 pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    const QStringList ids = QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (ids.isEmpty()) return std::nullopt;
    double seconds = 0;
    for (const QString& id : ids) seconds += threadSeconds(pid, id).value_or(0);
    return seconds;
}

// CPU seconds and wake-ups (voluntary context switches) of each thread of a process, by thread id.
struct ThreadUse {
    QString name;
    double seconds = 0;
    long wakeups = 0;
};
inline QMap<QString, ThreadUse> threadUse(qint64 pid)
{
    QMap<QString, ThreadUse> use;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& id : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks + "/" + id + "/comm"), status(tasks + "/" + id + "/status");
        ThreadUse& thread = use[id];
        if (comm.open(QIODevice::ReadOnly)) thread.name = QString::fromUtf8(comm.readAll()).trimmed();
        if (const auto cpu = threadSeconds(pid, id)) thread.seconds = *cpu;
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("voluntary_ctxt_switches:")) thread.wakeups = line.mid(24).trimmed().toLong();
    }
    return use;
}

inline void printThreads(const QMap<QString, ThreadUse>& before, const QMap<QString, ThreadUse>& after, double seconds)
{
    for (auto it = after.begin(); it != after.end(); ++it) {
        const ThreadUse start = before.value(it.key());
        const long wakeups = it->wakeups - start.wakeups;
        if (wakeups == 0) continue;
        std::printf("  thread %-16s %6.3f %%  %6.1f wake-ups/s\n", qPrintable(it->name),
                    100.0 * (it->seconds - start.seconds) / seconds, double(wakeups) / seconds);
    }
}

struct Share {
    double player = -1;
    double server = -1;
};

// Percent of one core the player and the sound server use over `seconds`; with
// threads, each thread of the player that woke is listed.
inline Share measure(qint64 player, qint64 server, int seconds, bool threads = false)
{
    QElapsedTimer wall;
    wall.start();
    const auto threads0 = threadUse(player);
    const auto p0 = cpuSeconds(player), s0 = cpuSeconds(server);
    waitMs(seconds * 1000);
    const auto p1 = cpuSeconds(player), s1 = cpuSeconds(server);
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    if (threads) printThreads(threads0, threadUse(player), elapsed);
    Share share;
    if (p0 && p1) share.player = 100.0 * (*p1 - *p0) / elapsed;
    if (s0 && s1) share.server = 100.0 * (*s1 - *s0) / elapsed;
    return share;
}

inline void print(const char* player, const char* state, const Share& share)
{
    if (share.player < 0) std::printf("%-10s %-8s  (ended early)\n", player, state);
    else std::printf("%-10s %-8s %6.3f %%   (sound server %.3f %%)\n", player, state, share.player, share.server);
}

inline bool run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

inline bool installed(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

inline void stopProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

// A private sound server with one null sink, and a private session bus.
struct Scratch {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess pulse, bus;

    bool start()
    {
        const QDir root(dir.path());
        root.mkpath("run");
        root.mkpath("home");
        QFile::setPermissions(root.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("HOME", root.filePath("home"));
        env.insert("XDG_RUNTIME_DIR", root.filePath("run"));
        env.insert("XDG_CONFIG_HOME", root.filePath("home/.config"));
        env.insert("XDG_DATA_HOME", root.filePath("home/.local/share"));
        const QString socket = root.filePath("pulse.sock");
        pulse.setProcessEnvironment(env);
        pulse.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        pulse.setStandardErrorFile(root.filePath("pulse.log"));
        pulse.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                   "--load=module-native-protocol-unix socket=" + socket + " auth-anonymous=1",
                                   "--load=module-null-sink sink_name=bench"});
        env.insert("PULSE_SERVER", "unix:" + socket);
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!pulse.waitForStarted() || !bus.waitForReadyRead(5000)) return false;
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        QProcess pactl;
        pactl.setProcessEnvironment(env);
        return waitFor(
            [&] {
                pactl.start("pactl", {"list", "short", "sinks"});
                return pactl.waitForFinished() && pactl.exitCode() == 0 && pactl.readAll().contains("bench");
            },
            5000);
    }
    ~Scratch()
    {
        stopProcess(pulse);
        stopProcess(bus);
    }
};
