// The real player (under SDL's dummy driver, which consumes audio in real
// time) and the fake one, held to the same rules the window relies on.
#include "audio/mp3_stream.h"
#include "audio/mpg123_player.h"
#include "support/fake_media_player.h"
#include "support/table.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace {

const QString kMono = QStringLiteral(QUILLON_TEST_DATA "/tone_mono_22050.mp3");      // 33075 samples
const QString kStereo = QStringLiteral(QUILLON_TEST_DATA "/tone_stereo_44100.mp3");  // 35280 samples
const QString kText = QStringLiteral(QUILLON_TEST_DATA "/not_audio.mp3");
constexpr int kPlayTimeoutMs = 5000;
constexpr int kLongRepeats = 128;  // of the stereo tone's 32 frames: over 100 s

// Bytes this process has read so far, from files and pipes alike.
qint64 bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    const QByteArray line = io.open(QIODevice::ReadOnly) ? io.readLine() : QByteArray();
    return line.startsWith("rchar: ") ? line.mid(7).trimmed().toLongLong() : -1;
}

// What a handler sees: playState() read as each report arrives.
struct Reports : QObject {
    explicit Reports(MediaPlayer& player)
    {
        connect(&player, &MediaPlayer::playStateChange, this, [this, &player](int, int newState) {
            seen << player.playState();
            announced << newState;
        });
    }
    QList<int> seen, announced;
};

std::unique_ptr<MediaPlayer> makePlayer(const QString& kind)
{
    if (kind == QLatin1String("real")) return std::make_unique<Mpg123Player>();
    auto fake = std::make_unique<FakeMediaPlayer>();
    fake->durations = {{kMono, 1.5}, {kStereo, 0.8}};
    return fake;
}

// Everything a stream hands out from where it stands, as output samples.
std::vector<float> readToEnd(Mp3Stream& stream)
{
    std::vector<float> samples;
    std::vector<float> buffer(2048);
    while (!stream.atEnd()) {
        const int frames = stream.read(buffer.data(), 1024);
        samples.insert(samples.end(), buffer.begin(), buffer.begin() + frames * 2);
    }
    return samples;
}

enum Change { SkipToTold, StopThenPlay, SeekBack, Switch };

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// 1.4 s of faint 16-bit stereo hiss as a WAV file: libmpg123 finds MPEG frame headers in it.
QByteArray faintWave()
{
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto chunk = [&out](const char* id) -> QDataStream& {
        out.writeRawData(id, 4);
        return out;
    };
    chunk("RIFF") << quint32(36 + 61740 * 4);
    chunk("WAVE");
    chunk("fmt ") << 16u << quint16(1) << quint16(2) << 44100u << 44100u * 4 << quint16(4) << quint16(16);
    chunk("data") << 61740u * 4;
    for (int i = 0; i < 61740 * 2; ++i) out << qint16(i / 2 % 7 - 3);
    return wave;
}

// Empty when `raw` (output frames) holds each of `parts` in turn, each after nothing but
// silence: every part but the last cut short after a while, the last one whole, then silence.
QString heardInTurn(const QByteArray& raw, const std::vector<std::span<const float>>& parts)
{
    const std::span<const float> out(reinterpret_cast<const float*>(raw.constData()), size_t(raw.size()) / sizeof(float));
    const auto silent = [](float s) { return s == 0.0f; };
    auto at = out.begin();
    for (size_t i = 0; i < parts.size(); ++i) {
        at = std::find_if_not(at, out.end(), silent);
        const auto start = std::find_if_not(parts[i].begin(), parts[i].end(), silent);
        const auto [heard, expected] = std::mismatch(at, out.end(), start, parts[i].end());
        if (i + 1 == parts.size() ? expected != parts[i].end() : expected - start < 8192)
            return QStringLiteral("part %1 breaks off at %2 of %3 samples")
                .arg(i)
                .arg(expected - start)
                .arg(parts[i].end() - start);
        at = heard;
    }
    return std::all_of(at, out.end(), silent) ? QString() : QStringLiteral("sound after the last part");
}

}  // namespace

// A call's report must not arrive inside the call: the handler that made it returns first.
#define CALL_REPORTS_LATER(reports, call)                                                                              \
    do {                                                                                                               \
        const qsizetype before = (reports).seen.size();                                                                \
        call;                                                                                                          \
        QCOMPARE((reports).seen.size(), before);                                                                       \
    } while (false)

class PlaybackPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Real time without sound hardware, also when run by hand rather than by CTest.
        if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
        // Two MP3s joined end to end: the format changes inside the file.
        QVERIFY(writeFile(joined_.filePath("joined.mp3"), readFile(kMono) + readFile(kStereo)));
        // The stereo tone's frames over and over, after its Info frame set to their count.
        const QByteArray stereo = readFile(kStereo);
        const QByteArray frames = stereo.mid(261).repeated(kLongRepeats);
        QByteArray info = stereo.left(261);
        qToBigEndian(quint32(32 * kLongRepeats), info.data() + 44);
        qToBigEndian(quint32(261 + frames.size()), info.data() + 48);
        QVERIFY(writeFile(joined_.filePath("long.mp3"), info + frames));
    }

    void playsToEndAndReportsStopped_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("slack");
        QTest::addColumn<bool>("pause");
        // The second part brings its own header frame and encoder delay, 2736 samples of near silence.
        QTest::newRow("joined: mono 22050 then stereo 44100")
            << joined_.filePath("joined.mp3") << 2.3 + 2736.0 / 44100 << 1152.0 / 44100 << false;
        QTest::newRow("mono, paused and seeked on the way") << kMono << 1.5 << 1152.0 / 22050 << true;
    }

    void playsToEndAndReportsStopped()
    {
        QFETCH(QString, path);
        QFETCH(double, seconds);
        QFETCH(double, slack);
        QFETCH(bool, pause);
        Mpg123Player player;
        Reports reports(player);
        player.setStartOnOpen(true);
        CALL_REPORTS_LATER(reports, player.setSourceFile(path));
        QVERIFY(!player.hasError());
        QCOMPARE(player.playState(), int(MediaPlayer::Playing));
        // The exact length is walked on the decoder thread.
        QTRY_VERIFY2(std::abs(player.duration() - seconds) < slack, qPrintable(QString::number(player.duration())));
        if (pause) {
            QTRY_VERIFY(player.position() > 0.2);
            // Between device buffers the position runs on by the clock.
            QSet<double> seen;
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 300) {
                seen.insert(player.position());
                QTest::qWait(5);
            }
            QVERIFY2(seen.size() > 10, qPrintable(QString::number(seen.size())));
            CALL_REPORTS_LATER(reports, player.pause());
            QTRY_COMPARE(reports.seen, QList<int>({2, 1}));
            const double held = player.position();
            QTest::qWait(200);  // time passes; nothing to wait for
            QCOMPARE(player.position(), held);
            // Seeks while paused keep the track paused and inside it, to the sample.
            for (const auto& [target, expected] : {std::pair{9.0, 1.5},
                                                   {-3.0, 0.0},
                                                   {std::nan(""), 0.0},
                                                   {1.5 - 1.0 / 22050, 1.5 - 1.0 / 22050},
                                                   {held, held}}) {
                player.setPosition(target);
                QVERIFY2(std::abs(player.position() - expected) <= 1.0 / 22050,
                         qPrintable(QString::number(player.position())));
                QCOMPARE(player.playState(), int(MediaPlayer::Paused));
            }
            CALL_REPORTS_LATER(reports, player.play());
        }
        QTRY_COMPARE_WITH_TIMEOUT(reports.seen, pause ? QList<int>({2, 1, 2, 0}) : QList<int>({2, 0}), kPlayTimeoutMs);
        QCOMPARE(reports.announced, reports.seen);
        // No sample was lost or handed over twice, around a pause either.
        QVERIFY2(player.position() == player.duration(),
                 qPrintable(QStringLiteral("%1 != %2").arg(player.position()).arg(player.duration())));
    }

    // Set to its end, a playing track ends at once; a paused one stays paused there until play().
    void positionAtDurationEndsTheTrack_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("paused");
        for (const char* kind : {"real", "fake"})
            for (bool paused : {false, true})
                QTest::addRow("%s, %s", kind, paused ? "paused" : "playing") << QString(kind) << paused;
    }
    void positionAtDurationEndsTheTrack()
    {
        QFETCH(QString, kind);
        QFETCH(bool, paused);
        auto player = makePlayer(kind);
        Reports reports(*player);
        player->setStartOnOpen(true);
        player->setSourceFile(kMono);
        if (paused) player->pause();
        const QList<int> started = paused ? QList<int>{1, 1} : QList<int>{2};
        QTRY_COMPARE(reports.seen, started);
        CALL_REPORTS_LATER(reports, player->setPosition(player->duration()));
        QCOMPARE(player->position(), player->duration());
        QCOMPARE(player->playState(), int(paused ? MediaPlayer::Paused : MediaPlayer::Stopped));
        if (paused) {
            QTest::qWait(100);
            QCOMPARE(reports.seen, started);
            CALL_REPORTS_LATER(reports, player->play());
            QCOMPARE(player->playState(), int(MediaPlayer::Stopped));
        }
        QTRY_COMPARE(reports.seen, started + QList<int>{0});
        // Setting the end again changes nothing, so a handler that stops on Stopped cannot loop.
        player->setPosition(player->duration());
        QTest::qWait(100);
        QCOMPARE(reports.seen, started + QList<int>{0});
    }

    void toldNextFileFollows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("taken");
        for (const char* kind : {"real", "fake"}) {
            QTest::addRow("%s, the told file taken", kind) << kind << kMono;
            QTest::addRow("%s, another file taken", kind) << kind << kStereo;
        }
    }

    // The end handler takes the told file or another; either way the same reports,
    // one announcement per track, and the second track plays to its own end.
    void toldNextFileFollows()
    {
        QFETCH(QString, kind);
        QFETCH(QString, taken);
        auto player = makePlayer(kind);
        // Real time for the real player; the fake one is played on by hand.
        const auto playOn = [fake = qobject_cast<FakeMediaPlayer*>(player.get())] {
            if (fake) fake->advance(fake->duration());
        };
        Reports reports(*player);
        int announced = 0;
        connect(player.get(), &MediaPlayer::aboutToFinish, this, [&] {
            ++announced;
            player->setNextSourceFile(kMono);
        });
        QList<double> second;
        connect(player.get(), &MediaPlayer::playStateChange, this, [&](int, int newState) {
            if (newState != MediaPlayer::Stopped || !second.isEmpty()) return;
            player->setStartOnOpen(true);
            player->setSourceFile(taken);
            second << player->duration();
        });
        player->setStartOnOpen(true);
        player->setSourceFile(kStereo);
        QTRY_COMPARE(reports.seen, QList<int>({2}));
        playOn();
        QTRY_COMPARE_WITH_TIMEOUT(reports.seen, QList<int>({2, 0, 2}), kPlayTimeoutMs);
        playOn();
        QTRY_COMPARE_WITH_TIMEOUT(reports.seen, QList<int>({2, 0, 2, 0}), kPlayTimeoutMs);
        QCOMPARE(second, QList<double>{taken == kMono ? 1.5 : 0.8});
        QCOMPARE(announced, 2);
        QCOMPARE(player->position(), player->duration());
        QTest::qWait(200);  // a told file left untaken must not play on to an end of its own
        QCOMPARE(reports.seen.size(), 4);
    }

    void anotherFileReplacesThePlayingOne_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("same format") << kMono;
        QTest::newRow("other format") << kStereo;
        const std::pair<const char*, QString> unplayable[] = {{"missing file", "missing.mp3"},
                                                              {"empty file", "empty.mp3"},
                                                              {"text file", kText},
                                                              {"WAV file", "wave.mp3"},
                                                              {"folder", "."},
                                                              {"FIFO with no writer", "fifo.mp3"},
                                                              {"device", "/dev/zero"}};
        for (const auto& [name, path] : unplayable) QTest::newRow(name) << path;
    }

    // The old file never reports its end: the new one reports Playing (never Stopped),
    // or, when it cannot be played, the player stops silently with an error.
    void anotherFileReplacesThePlayingOne()
    {
        QFETCH(QString, path);
        const bool playable = path == kMono || path == kStereo;
        QTemporaryDir dir;
        QFile(dir.filePath("empty.mp3")).open(QIODevice::WriteOnly);
        QVERIFY(writeFile(dir.filePath("wave.mp3"), faintWave()));
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("fifo.mp3")).constData(), 0600), 0);

        Mpg123Player player;
        Reports reports(player);
        player.setStartOnOpen(true);
        player.setSourceFile(kMono);
        QTRY_COMPARE(reports.seen, QList<int>({2}));
        if (playable) {
            // Let the audio thread hand over the last samples without letting its
            // end report in: that report is now stale and must be dropped.
            player.setPosition(player.duration() - 0.01);
            QDeadlineTimer deadline(kPlayTimeoutMs);
            while (player.position() < player.duration() && !deadline.hasExpired()) QThread::yieldCurrentThread();
            QVERIFY(player.position() == player.duration());
        } else {
            player.setPosition(player.duration() - 0.05);  // had it gone on playing, its end would be reported
        }
        CALL_REPORTS_LATER(reports, player.setSourceFile(QDir(dir.path()).absoluteFilePath(path)));
        const int state = playable ? MediaPlayer::Playing : MediaPlayer::Stopped;
        QCOMPARE(player.hasError(), !playable);
        QCOMPARE(player.playState(), state);
        if (!playable) QCOMPARE(player.duration(), 0.0);
        // From the new file's start, not the old one's end; the device may already have played a little.
        QVERIFY2(player.position() < 0.25, qPrintable(QString::number(player.position())));
        const QList<int> reported = playable ? QList<int>{2, 2} : QList<int>{2};
        QTRY_COMPARE(reports.seen, reported);
        QTest::qWait(300);
        QCOMPARE(reports.seen, reported);
        QCOMPARE(player.playState(), state);
        if (playable) return;

        player.setSourceFile(kStereo);
        QVERIFY(!player.hasError());
        QTRY_COMPARE(reports.seen, QList<int>({2, 2}));
    }

    // A new output takes over a track under way, playing or paused, from where it was and
    // with no report; one that cannot be opened gives way to the default and says so. Chosen
    // before any file, an output not there leaves files unplayable.
    void outputChangeKeepsTheTrackWhereItWas_data()
    {
        const auto row = columns<bool, int, int>({"listed", "state", "lost"});
        row("listed, before any file", true, 0, 0);
        row("not there, before any file", false, 0, 0);
        row("listed, while playing", true, 2, 0);
        row("listed, while paused", true, 1, 0);
        row("not there, while playing", false, 2, 1);
    }
    void outputChangeKeepsTheTrackWhereItWas()
    {
        auto [listed, state, lost] = fetch<bool, int, int>({"listed", "state", "lost"});
        Mpg123Player player;
        Reports reports(player);
        QSignalSpy lostSpy(&player, &MediaPlayer::outputLost);
        const QStringList outputs = player.outputDevices();
        QVERIFY(!outputs.isEmpty());
        const QString output = listed ? outputs.first() : QStringLiteral("no such output");
        player.setStartOnOpen(true);
        if (state == 0) {
            player.setOutputDevice(output);
            player.setSourceFile(kMono);
            QCOMPARE(player.hasError(), !listed);
            return;
        }
        player.setSourceFile(joined_.filePath("long.mp3"));
        QTRY_VERIFY(player.position() > 0.3);
        if (state == 1) player.pause();
        const double before = player.position();
        player.setOutputDevice(output);
        QTRY_COMPARE(lostSpy.size(), lost);
        QCOMPARE(player.playState(), state);
        // The new device takes over from the frames the old one was last handed: up to a device buffer on.
        QVERIFY2(player.position() >= before - 1e-9 && player.position() < before + 0.25,
                 qPrintable(QString::number(player.position() - before)));
        if (state == 1) player.play();
        QTRY_VERIFY(player.position() > before + 0.2);
        QCOMPARE(reports.announced, state == 1 ? QList<int>({2, 1, 2}) : QList<int>({2}));
    }

    void nextSoundIsWholeAndFresh_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("change");
        QTest::addColumn<double>("from");
        QTest::addColumn<QList<int>>("reported");
        QTest::newRow("skip to the told file") << kMono << int(SkipToTold) << 0.0 << QList<int>{2, 0, 2, 0};
        QTest::newRow("stop, then play another") << kMono << int(StopThenPlay) << 0.0 << QList<int>{2, 0, 2, 0};
        QTest::newRow("seek back") << kStereo << int(SeekBack) << 0.1 << QList<int>{2, 0};
        QTest::newRow("another file while playing") << kMono << int(Switch) << 0.0 << QList<int>{2, 2, 0};
    }

    // What the device is handed, as SDL's disk driver writes it in real time at full
    // volume: the first track until the change, then the second whole and unbroken,
    // with nothing left over from the first.
    void nextSoundIsWholeAndFresh()
    {
        QFETCH(QString, first);
        QFETCH(int, change);
        QFETCH(double, from);
        QFETCH(QList<int>, reported);
        QTemporaryDir dir;
        const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dir.filePath("out.raw")));
        const auto restore = qScopeGuard([&] { qputenv("SDL_AUDIODRIVER", driver); });
        {
            Mpg123Player player;
            Reports reports(player);
            bool told = change != SkipToTold;
            connect(&player, &MediaPlayer::aboutToFinish, this, [&] {
                if (!std::exchange(told, true)) player.setNextSourceFile(kStereo);
            });
            connect(&player, &MediaPlayer::playStateChange, this, [&](int, int) {
                if (change <= StopThenPlay && reports.seen == QList<int>{2, 0}) player.setSourceFile(kStereo);
            });
            player.setStartOnOpen(true);
            player.setSourceFile(first);
            QTRY_VERIFY(player.position() > 0.3);
            if (change == SeekBack) player.setPosition(from);
            else if (change == Switch) player.setSourceFile(kStereo);
            else player.setPosition(player.duration());
            QTRY_COMPARE_WITH_TIMEOUT(reports.seen, reported, kPlayTimeoutMs);
        }
        // The second file from `from` on: a seek is exact to the sample.
        const std::vector<float> second = readToEnd(*Mp3Stream::open(kStereo));
        const QString fault = heardInTurn(readFile(dir.filePath("out.raw")),
                                          {readToEnd(*Mp3Stream::open(first)),
                                           std::span(second).subspan(size_t(from * 44100) * 2)});
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    void seekPastTheRealEndEndsThere_data()
    {
        QTest::addColumn<bool>("lengthKnown");
        QTest::newRow("at once") << false;
        QTest::newRow("once the length is worked out") << true;
    }

    // Nothing tells this file's length but its frames: no Info frame, and junk after the
    // last frame that the estimate from the file's size counts as sound.
    void seekPastTheRealEndEndsThere()
    {
        QFETCH(bool, lengthKnown);
        const QByteArray frames = readFile(kStereo).mid(261);  // after the Info frame, unpadded at 80 kbit/s
        QVERIFY(frames.startsWith("\xff\xfb"));
        QTemporaryDir dir;
        const QString path = dir.filePath("junk.mp3");
        QVERIFY(writeFile(path, QByteArray("ID3\x03\0\0\0\0\x07\x76", 10) + QByteArray(1014, '\0') + frames.repeated(12)
                                    + QByteArray(65536, '\0')));
        const double real = 12 * 32 * 1152 / 44100.0;
        if (!lengthKnown) {  // the stream too, before a walk of its frames
            const auto stream = Mp3Stream::open(path);
            stream->seek(stream->duration() - 0.1);
            QVERIFY(readToEnd(*stream).empty());
            QCOMPARE(stream->position(), real);
            QCOMPARE(stream->duration(), real);
        }

        Mpg123Player player;
        Reports reports(player);
        player.setStartOnOpen(true);
        player.setSourceFile(path);
        const double estimate = player.duration();
        QVERIFY2(estimate > real + 5, qPrintable(QString::number(estimate)));
        if (lengthKnown)  // long before the sound gets there
            QTRY_COMPARE_WITH_TIMEOUT(player.duration(), real, 1000);
        player.setPosition(estimate - 0.1);
        QTRY_COMPARE_WITH_TIMEOUT(reports.seen, QList<int>({2, 0}), 1000);
        QCOMPARE(player.duration(), real);
        QCOMPARE(player.position(), real);
    }

    void streamSeekIsSampleExact_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("samples");
        QTest::addColumn<bool>("walked");
        QTest::addColumn<qint64>("to");
        for (const qint64 to : {1151, 1152, 35279})  // the last of the first MPEG frame, the first of the second, the last
            QTest::addRow("sample %lld", to) << kStereo << qint64(35280) << false << to;
        // Once every frame is walked, a seek far into a long file goes straight there.
        const qint64 samples = kLongRepeats * 32 * 1152 - 1584;  // less the encoder's delay and padding
        QTest::newRow("near the end of a long file, walked")
            << joined_.filePath("long.mp3") << samples << true << samples - 5000;
    }

    // The file is in the output format, so samples after a seek must equal those decoded
    // from the start, bit for bit; and only the frames played and a few before them are read.
    void streamSeekIsSampleExact()
    {
        QFETCH(QString, path);
        QFETCH(qint64, samples);
        QFETCH(bool, walked);
        QFETCH(qint64, to);
        const auto whole = Mp3Stream::open(path);
        QVERIFY(whole);
        const std::vector<float> all = readToEnd(*whole);
        QCOMPARE(all.size(), size_t(samples * 2));
        const auto part = Mp3Stream::open(path);
        while (walked && !part->measureLength()) {}
        const qint64 before = bytesReadSoFar();
        part->seek(double(to) / 44100);
        QCOMPARE(part->position(), double(to) / 44100);
        const std::vector<float> rest = readToEnd(*part);
        const qint64 read = bytesReadSoFar() - before;
        QVERIFY2(before >= 0 && read < 16384, qPrintable(QString::number(read)));
        QCOMPARE(rest.size(), size_t((samples - to) * 2));
        QVERIFY(std::equal(rest.begin(), rest.end(), all.begin() + to * 2));
        QCOMPARE(part->position(), double(samples) / 44100);
    }

    void streamConvertsToOutputFormat_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("frames");
        QTest::newRow("mono 22050") << kMono << qint64(66150);
        // The converter is rebuilt where the format changes: the stereo part keeps its speed.
        QTest::newRow("joined, then stereo 44100") << joined_.filePath("joined.mp3") << qint64(66150 + 38016);
    }

    void streamConvertsToOutputFormat()
    {
        QFETCH(QString, path);
        QFETCH(qint64, frames);
        const auto stream = Mp3Stream::open(path);
        QVERIFY(stream);
        QCOMPARE(stream->rate(), 22050L);
        QCOMPARE(stream->channels(), 1);
        const std::vector<float> out = readToEnd(*stream);
        // Twice the samples at twice the rate, give or take the resampler's edges.
        QVERIFY2(std::abs(qint64(out.size() / 2) - frames) <= 64, qPrintable(QString::number(out.size() / 2)));
        float peak = 0.0f;
        for (size_t i = 0; i + 1 < out.size(); i += 2) {
            QVERIFY(std::abs(out[i] - out[i + 1]) < 1e-3);  // both tones are alike in both channels
            peak = std::max(peak, std::abs(out[i]));
        }
        QVERIFY2(peak > 0.4f && peak < 0.6f, qPrintable(QString::number(peak)));  // made at half scale
    }

private:
    QTemporaryDir joined_;
};

QTEST_GUILESS_MAIN(PlaybackPlayerTest)
#include "playback_player_test.moc"
