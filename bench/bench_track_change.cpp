// Track change in mode "All" through the real window and player, measured on
// the sound itself: SDL's disk driver writes what the device would play, and
// the samples between the last sample of the first file and the first sample
// of the second are counted (matched bit for bit against libmpg123's own
// decoding of each file, so the files' own silence is not counted). Also times
// the window's end-of-track handler (the next PlayTrack included).
// Prints figures only; nothing here is a pass or a fail.
#include <QApplication>

#include <algorithm>
#include <cstring>

#include "window_rig.h"

namespace {

constexpr int kMatchFrames = 256;

std::vector<float> readFloats(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> out(size_t(bytes.size()) / sizeof(float));
    std::memcpy(out.data(), bytes.constData(), out.size() * sizeof(float));
    return out;
}

// First frame of `sound` at or after `from` where `pattern` (kMatchFrames stereo frames) lies; -1 if none.
long findFrames(const std::vector<float>& sound, const float* pattern, long from)
{
    const long frames = long(sound.size() / 2);
    for (long f = std::max(0L, from); f + kMatchFrames <= frames; ++f) {
        if (std::memcmp(&sound[size_t(f) * 2], pattern, kMatchFrames * 2 * sizeof(float)) == 0) return f;
    }
    return -1;
}

struct Change {
    long addedFrames = -1;  // frames between the two files' samples; -1 when not found in the sound
    long silentFrames = 0;
    double handlerMs = -1;
};

// Plays `first` then `next` in mode "All" and finds the join in the sound.
// `lead` seconds of the first file are played (seeking there when shorter than the file).
Change measure(const QDir& dir, const QString& first, const QString& next, double lead)
{
    const QString capture = dir.filePath("capture.raw");
    QFile::remove(capture);
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(capture));
    Change change;
    {
        rig::Window w({first, next});
        w.playAll();
        QCoreApplication::processEvents();
        if (w.player.duration() > lead + 0.5) w.player.setPosition(w.player.duration() - lead);
        rig::spin([&] { return !w.handlerNs.empty(); }, int(lead * 1000) + 10000);
        if (w.handlerNs.empty()) return change;
        change.handlerMs = double(w.handlerNs.front()) / 1e6;
        // Two seconds of the second file, then stop.
        rig::spin([&] { return w.player.position() > 2.0 || w.stopped(); }, 10000);
        w.form->btnStop_Click();
        QCoreApplication::processEvents();
    }
    const std::vector<float> sound = readFloats(capture);
    const std::vector<float> a = rig::decodeAll(first);
    const std::vector<float> b = rig::decodeAll(next);
    if (a.size() < kMatchFrames * 2 || b.size() < kMatchFrames * 4) return change;
    const long endA = findFrames(sound, &a[a.size() - kMatchFrames * 2], 0);
    // The second file's first sounding frame, then back to its first frame.
    size_t lead0 = 0;
    while (lead0 + kMatchFrames * 2 < b.size() && b[lead0] == 0.0f) lead0 += 2;
    const long soundB = endA < 0 ? -1 : findFrames(sound, &b[lead0], endA);
    if (soundB < 0) return change;
    const long startB = soundB - long(lead0 / 2);
    const long lastA = endA + kMatchFrames;
    change.addedFrames = startB - lastA;
    for (long f = lastA; f < startB; ++f)
        change.silentFrames += sound[size_t(f) * 2] == 0.0f && sound[size_t(f) * 2 + 1] == 0.0f;
    return change;
}

void report(const char* label, const Change& c)
{
    if (c.handlerMs < 0) {
        std::printf("%s: the first file did not end\n", label);
        return;
    }
    if (c.addedFrames < 0)
        std::printf("%s: handler %.2f ms; the join was not found in the sound\n", label, c.handlerMs);
    else
        std::printf("%s: %ld samples added between the files (%ld of them silent, %.1f ms); handler %.2f ms\n", label,
                    c.addedFrames, c.silentFrames, c.addedFrames * 1000.0 / 44100, c.handlerMs);
}

}  // namespace

int main(int argc, char** argv)
{
    // The disk driver writes what would be played, in real time.
    qputenv("SDL_AUDIODRIVER", "disk");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString a3 = rig::makeTone(dir, "a3", 3, 440, 0.5);
    const QString b3 = rig::makeTone(dir, "b3", 3, 660, 0.25);
    const QString a1 = rig::makeTone(dir, "a1", 1, 440, 0.5);
    const QString b1 = rig::makeTone(dir, "b1", 1, 660, 0.25);
    const QString a240 = rig::makeTone(dir, "a240", 240, 440, 0.5);
    const QString b240 = rig::makeTone(dir, "b240", 240, 660, 0.25);
    if (a3.isEmpty() || b3.isEmpty() || a1.isEmpty() || b1.isEmpty() || a240.isEmpty() || b240.isEmpty()) {
        std::printf("track change bench: skipped, needs sox and lame\n");
        return 0;
    }
    std::printf("track change in mode All, real window and player, SDL disk driver, files in the page cache\n");
    report("3 s tone to 3 s tone", measure(dir, a3, b3, 3));
    report("1 s tone to 1 s tone", measure(dir, a1, b1, 1));
    report("4 min tone to 4 min tone (last 2 s)", measure(dir, a240, b240, 2));
    report("1 s tone to 4 min tone", measure(dir, a1, b240, 1));
    return 0;
}
