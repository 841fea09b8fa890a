#include "audio/mpg123_player.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// 186 ms of audio per callback: each wakes SDL's audio thread and the sound
// server several times, so fewer mean less CPU while playing; a pause or a seek
// is heard once the sound already handed over has played.
constexpr Uint16 kDeviceFrames = 8192;
// How long a paused or stopped device stays open, so that a quick resume or the next track finds it;
// after that it is closed, as SDL goes on feeding a paused device silence as often as it plays.
constexpr int kIdleCloseMs = 1000;
// The ring between the decoder thread and the callback: a second, some five device buffers.
constexpr int kRingFrames = Mp3Stream::kOutputRate;

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

Mpg123Player::Mpg123Player(QObject* parent) : MediaPlayer(parent), ring_(kRingFrames), decoder_(ring_, *this)
{
    // SDL would otherwise turn SIGINT and SIGTERM into quit events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Events only to hear of an output going away: nothing reads SDL's queue.
    sdlReady_ = SDL_InitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS) == 0;
    idleClose_.setSingleShot(true);
    idleClose_.setInterval(kIdleCloseMs);
    connect(&idleClose_, &QTimer::timeout, this, [this] {
        if (state_ != Playing) closeDevice();
    });
    if (!sdlReady_) return;
    SDL_EventState(SDL_AUDIODEVICEADDED, SDL_IGNORE);
    SDL_AddEventWatch(&Mpg123Player::watchEvents, this);
}

Mpg123Player::~Mpg123Player()
{
    closeDevice();
    if (!sdlReady_) return;
    SDL_DelEventWatch(&Mpg123Player::watchEvents, this);
    SDL_QuitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS);
}

void Mpg123Player::setStartOnOpen(bool start)
{
    startOnOpen_ = start;
}

bool Mpg123Player::hasError() const
{
    return hasError_;
}

void Mpg123Player::setSourceFile(const QString& path)
{
    offeredNext_ = false;
    if (startOnOpen_ && next_.id && path == next_.path && takeNext()) return;
    next_ = {};
    std::unique_ptr<Mp3Stream> stream = Mp3Stream::open(path);
    hasError_ = !stream || !ensureDevice();
    ended_ = false;
    pendingSeconds_ = 0;
    if (hasError_) {
        // Silent: a report of Stopped would be taken for the end of a track.
        run(false);
        current_ = {};
        epoch_ = 0;
        decoder_.load(nullptr, 0);
        state_ = Stopped;
        return;
    }
    current_ = {++lastId_, path, stream->duration()};
    epoch_ = current_.id;
    decoder_.load(std::move(stream), epoch_);
    if (!startOnOpen_) {
        run(false);
        state_ = Stopped;
        return;
    }
    run(true);
    // Reported even when the previous file was playing too: the window
    // refreshes its texts on every report.
    setState(Playing);
}

// The file told ahead becomes the current one; it may be sounding already.
bool Mpg123Player::takeNext()
{
    if (!ensureDevice()) return false;
    const Next next = std::exchange(next_, {});
    current_ = next;
    epoch_ = next.id;
    ended_ = false;
    hasError_ = false;
    pendingSeconds_ = 0;
    if (!next.started) decoder_.startNext();
    run(true);
    setState(Playing);
    if (next.announced) {
        QMetaObject::invokeMethod(
            this,
            [this, id = next.id] {
                if (current_.id == id && !ended_) emit aboutToFinish();
            },
            Qt::QueuedConnection);
    }
    return true;
}

void Mpg123Player::setNextSourceFile(const QString& path)
{
    if (next_.started || (next_.id && path == next_.path)) return;
    next_ = {};
    std::unique_ptr<Mp3Stream> stream = path.isEmpty() || !current_.id ? nullptr : Mp3Stream::open(path);
    if (stream) {
        next_.id = ++lastId_;
        next_.path = path;
        next_.duration = stream->duration();
    }
    decoder_.queueNext(std::move(stream), next_.id);
}

bool Mpg123Player::ensureDevice()
{
    if (device_ && !reopenDevice_) return true;
    closeDevice();
    reopenDevice_ = false;
    if (!sdlReady_) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = Mp3Stream::kOutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = Mp3Stream::kOutputChannels;
    wanted.samples = kDeviceFrames;
    wanted.callback = &Mpg123Player::audioCallback;
    wanted.userdata = this;
    const QByteArray name = deviceName_.toUtf8();
    // No changes allowed: SDL converts to whatever the hardware wants.
    device_ = SDL_OpenAudioDevice(name.isEmpty() ? nullptr : name.constData(), 0, &wanted, nullptr, 0);
    decoder_.setDevice(device_);
    return device_ != 0;
}

void Mpg123Player::closeDevice()
{
    decoder_.setDevice(0);
    if (device_) SDL_CloseAudioDevice(device_);
    device_ = 0;
}

void Mpg123Player::run(bool running)
{
    if (running || !device_) idleClose_.stop();
    else idleClose_.start();
    if (device_) SDL_PauseAudioDevice(device_, running ? 0 : 1);
    decoder_.setRunning(running && device_);
}

double Mpg123Player::position() const
{
    if (ended_) return current_.duration;
    double seconds = 0;
    if (!current_.id || !decoder_.position(epoch_, seconds, heardFrame())) return pendingSeconds_;
    return std::min(seconds, current_.duration);
}

// The ring frame sounding now, by the clock: frames played out stand still for a whole
// device buffer, so the position runs on from an anchor at the pace of playing, kept
// between the frames played out and those handed to the device. A pause stops it.
std::int64_t Mpg123Player::heardFrame() const
{
    const std::int64_t played = ring_.played();
    const std::int64_t handed = ring_.read();
    const std::int64_t now = state_ == Playing ? nowNs() : leftPlayingNs_;
    constexpr std::int64_t kHourNs = 3'600'000'000'000;  // far enough, and no overflow below
    const std::int64_t since = std::clamp<std::int64_t>(now - clock_.ns, 0, kHourNs);
    const std::int64_t guess = clock_.frame + since * Mp3Stream::kOutputRate / 1'000'000'000;
    const std::int64_t heard = std::clamp(guess, played, std::max(played, handed));
    if (heard != guess) clock_ = {heard, now};
    return heard;
}

double Mpg123Player::duration() const
{
    return current_.duration;
}

void Mpg123Player::setPosition(double seconds)
{
    if (!current_.id) return;
    // Written so that NaN lands on 0 too.
    seekTo(seconds > 0.0 ? std::min(seconds, current_.duration) : 0.0, false);
    if (ended_ && state_ == Playing) finishTrack();
}

void Mpg123Player::seekTo(double seconds, bool dropNext)
{
    epoch_ = ++lastId_;
    pendingSeconds_ = seconds;
    ended_ = seconds >= current_.duration;
    decoder_.seek(current_.id, epoch_, seconds, dropNext);
}

int Mpg123Player::playState() const
{
    return state_;
}

void Mpg123Player::play()
{
    if (!current_.id || state_ == Playing) return;
    if (!ensureDevice()) moveOutput(false);
    if (!device_) return;
    if (ended_ && state_ == Paused) {
        finishTrack();
        return;
    }
    if (ended_) seekTo(0, true);  // playing a finished track starts it again
    run(true);
    setState(Playing);
}

void Mpg123Player::pause()
{
    if (state_ != Playing) return;
    run(false);
    setState(Paused);
}

void Mpg123Player::finishTrack()
{
    run(false);
    setState(Stopped);
}

void Mpg123Player::setState(State next)
{
    const State previous = state_;
    if (previous == Playing && next != Playing) {
        leftPlayingNs_ = nowNs();
        clock_ = {heardFrame(), leftPlayingNs_};
    } else if (previous != Playing && next == Playing) {
        clock_.ns = nowNs();
    }
    state_ = next;
    postStateChange(previous, next);
}

void Mpg123Player::nearEnd(quint64 track)
{
    QMetaObject::invokeMethod(
        this,
        [this, track] {
            if (track == current_.id && !ended_) emit aboutToFinish();
            else if (track == next_.id) next_.announced = true;
        },
        Qt::QueuedConnection);
}

void Mpg123Player::lengthKnown(quint64 track, double seconds)
{
    QMetaObject::invokeMethod(
        this,
        [this, track, seconds] {
            if (track == next_.id) {
                next_.duration = seconds;
            } else if (track == current_.id && seconds != current_.duration) {
                current_.duration = seconds;
                emit durationChange(seconds);
            }
        },
        Qt::QueuedConnection);
}

void Mpg123Player::playedOut(quint64 epoch, quint64 nextTrack)
{
    QMetaObject::invokeMethod(
        this, [this, epoch, nextTrack] { onTrackEnded(epoch, nextTrack); }, Qt::QueuedConnection);
}

// Runs from the event loop, so the Stopped report is emitted here directly:
// its handler may take the file that is already playing on (setSourceFile of
// next_), or anything else, which stops it.
void Mpg123Player::onTrackEnded(quint64 epoch, quint64 nextTrack)
{
    // A seek or a new file since makes the report stale; a pause since leaves
    // the track paused at its end until play().
    if (epoch != epoch_) return;
    ended_ = true;
    if (nextTrack && nextTrack == next_.id) next_.started = true;
    if (state_ != Playing) return;
    offeredNext_ = next_.started;
    state_ = Stopped;
    emit playStateChange(Playing, Stopped);
    if (std::exchange(offeredNext_, false)) {
        next_ = {};
        seekTo(current_.duration, true);
    }
    if (state_ == Stopped) run(false);
}

bool Mpg123Player::mute() const
{
    return muted_;
}

void Mpg123Player::setMute(bool muted)
{
    muted_ = muted;
    updateGain();
}

int Mpg123Player::volume() const
{
    return volume_;
}

void Mpg123Player::setVolume(int hundredthsOfDb)
{
    volume_ = hundredthsOfDb;
    updateGain();
}

void Mpg123Player::updateGain()
{
    gain_ = gainFor(volume_, muted_);
}

float Mpg123Player::gainFor(int hundredthsOfDb, bool muted)
{
    return muted ? 0.0f : float(std::pow(10.0, double(hundredthsOfDb) / 2000.0));
}

QStringList Mpg123Player::outputDevices() const
{
    QStringList names;
    const int count = sdlReady_ ? SDL_GetNumAudioDevices(0) : 0;
    for (int i = 0; i < count; ++i)
        if (const char* name = SDL_GetAudioDeviceName(i, 0)) names << QString::fromUtf8(name);
    return names;
}

void Mpg123Player::setOutputDevice(const QString& name)
{
    if (name == deviceName_) return;
    deviceName_ = name;
    reopenDevice_ = true;
    if (device_) moveOutput(false);
}

int Mpg123Player::watchEvents(void* self, SDL_Event* event)
{
    if (event->type == SDL_AUDIODEVICEREMOVED && !event->adevice.iscapture) {
        auto* player = static_cast<Mpg123Player*>(self);
        const quint32 device = event->adevice.which;
        QMetaObject::invokeMethod(
            player, [player, device] { player->outputRemoved(device); }, Qt::QueuedConnection);
    }
    return 0;
}

void Mpg123Player::outputRemoved(quint32 device)
{
    SDL_FlushEvent(SDL_AUDIODEVICEREMOVED);
    if (!device || device != device_) return;
    closeDevice();
    moveOutput(true);
}

// Opens the chosen output and goes on with what the ring holds, so a track under
// way continues from where it was. An output that went away (gone) or cannot be
// opened gives way to the system default; with none left a playing track pauses.
void Mpg123Player::moveOutput(bool gone)
{
    if (gone) deviceName_.clear();
    bool lost = gone;
    if (!ensureDevice() && !deviceName_.isEmpty()) {
        lost = true;
        deviceName_.clear();
        ensureDevice();
    }
    const bool nothingLeft = !device_;
    if (nothingLeft && state_ == Playing) setState(Paused);
    run(state_ == Playing);
    if (lost)
        QMetaObject::invokeMethod(
            this, [this, nothingLeft] { emit outputLost(nothingLeft); }, Qt::QueuedConnection);
}

void Mpg123Player::audioCallback(void* self, unsigned char* stream, int len)
{
    static_cast<Mpg123Player*>(self)->fill(stream, len);
}

// SDL's audio thread: one take from the ring per device buffer.
void Mpg123Player::fill(unsigned char* out, int len)
{
    auto* samples = reinterpret_cast<float*>(out);
    const int frames = ring_.take(samples, len / int(SampleRing::kChannels * sizeof(float)));
    const int count = frames * SampleRing::kChannels;
    const float gain = gain_.load(std::memory_order_relaxed);
    if (gain != 1.0f) std::transform(samples, samples + count, samples, [gain](float s) { return s * gain; });
    std::memset(samples + count, 0, size_t(len) - size_t(count) * sizeof(float));
}
