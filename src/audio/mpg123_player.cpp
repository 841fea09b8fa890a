#include "audio/mpg123_player.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// 23 ms of audio per callback: short enough that the silence between two
// tracks stays short, long enough that the callback runs only 43 times a second.
constexpr Uint16 kDeviceFrames = 1024;

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class DeviceLock {
public:
    explicit DeviceLock(SDL_AudioDeviceID device) : device_(device)
    {
        if (device_)
            SDL_LockAudioDevice(device_);
    }
    ~DeviceLock()
    {
        if (device_)
            SDL_UnlockAudioDevice(device_);
    }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    SDL_AudioDeviceID device_;
};

} // namespace

Mpg123Player::Mpg123Player(QObject* parent) : MediaPlayer(parent)
{
    // SDL would otherwise turn SIGINT and SIGTERM into quit events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdlReady_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

Mpg123Player::~Mpg123Player()
{
    closeDevice();
    stream_.reset();
    if (sdlReady_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Mpg123Player::setStartOnOpen(bool start) { startOnOpen_ = start; }

bool Mpg123Player::hasError() const { return hasError_; }

void Mpg123Player::setSourceFile(const QString& path)
{
    std::unique_ptr<Mp3Stream> stream = Mp3Stream::open(path);
    hasError_ = !stream || !ensureDevice();
    if (hasError_) {
        // Silent: a report of Stopped would be taken for the end of a track.
        if (device_)
            SDL_PauseAudioDevice(device_, 1);
        install(nullptr);
        state_ = Stopped;
        return;
    }
    install(std::move(stream));
    if (!startOnOpen_) {
        SDL_PauseAudioDevice(device_, 1);
        state_ = Stopped;
        return;
    }
    // Reported even when the previous file was playing too: the window
    // refreshes its texts on every report.
    SDL_PauseAudioDevice(device_, 0);
    setState(Playing);
}

bool Mpg123Player::ensureDevice()
{
    if (device_ && !reopenDevice_)
        return true;
    closeDevice();
    reopenDevice_ = false;
    if (!sdlReady_)
        return false;
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
    return device_ != 0;
}

void Mpg123Player::closeDevice()
{
    if (device_)
        SDL_CloseAudioDevice(device_);
    device_ = 0;
}

void Mpg123Player::install(std::unique_ptr<Mp3Stream> stream)
{
    {
        DeviceLock lock(device_);
        std::swap(stream_, stream);
        endReported_ = false;
        awaitingFirstSamples_ = stream_ != nullptr;
    }
    // The previous file is closed outside the lock, away from the audio thread.
}

double Mpg123Player::position() const
{
    return stream_ ? double(stream_->framesRead()) / double(stream_->rate()) : 0.0;
}

double Mpg123Player::duration() const
{
    return stream_ ? double(stream_->length()) / double(stream_->rate()) : 0.0;
}

void Mpg123Player::setPosition(double seconds)
{
    if (!stream_)
        return;
    // Written so that NaN lands on 0 too.
    const double clamped = seconds > 0.0 ? std::min(seconds, duration()) : 0.0;
    seekTo(std::llround(clamped * double(stream_->rate())));
    if (atEnd() && state_ == Playing)
        finishTrack();
}

void Mpg123Player::seekTo(std::int64_t frame)
{
    DeviceLock lock(device_);
    stream_->seek(frame);
    // An end reached by seeking is reported by the caller, not by the callback.
    endReported_ = stream_->atEnd();
}

bool Mpg123Player::atEnd() const
{
    DeviceLock lock(device_);
    return stream_ && stream_->atEnd();
}

int Mpg123Player::playState() const { return state_; }

void Mpg123Player::play()
{
    if (!stream_ || state_ == Playing)
        return;
    if (atEnd() && state_ == Paused) {
        finishTrack();
        return;
    }
    if (atEnd())
        seekTo(0); // playing a finished track starts it again
    SDL_PauseAudioDevice(device_, 0);
    setState(Playing);
}

void Mpg123Player::pause()
{
    if (state_ != Playing)
        return;
    SDL_PauseAudioDevice(device_, 1);
    setState(Paused);
}

void Mpg123Player::finishTrack()
{
    SDL_PauseAudioDevice(device_, 1);
    setState(Stopped);
}

void Mpg123Player::setState(State next)
{
    const State previous = state_;
    state_ = next;
    postStateChange(previous, next);
}

void Mpg123Player::onTrackEnded()
{
    // A seek or a new file since the callback makes this report stale; a
    // pause since then leaves the track paused at its end until play().
    if (atEnd() && state_ == Playing)
        finishTrack();
}

bool Mpg123Player::mute() const { return muted_; }

void Mpg123Player::setMute(bool muted)
{
    muted_ = muted;
    updateGain();
}

int Mpg123Player::volume() const { return volume_; }

void Mpg123Player::setVolume(int hundredthsOfDb)
{
    volume_ = hundredthsOfDb;
    updateGain();
}

void Mpg123Player::updateGain() { gain_ = gainFor(volume_, muted_); }

float Mpg123Player::gainFor(int hundredthsOfDb, bool muted)
{
    return muted ? 0.0f : float(std::pow(10.0, double(hundredthsOfDb) / 2000.0));
}

void Mpg123Player::setOutputDevice(const QString& name)
{
    if (name == deviceName_)
        return;
    deviceName_ = name;
    reopenDevice_ = true;
}

Mpg123Player::TrackTimes Mpg123Player::trackTimes() const
{
    return {lastEndNs_.load(), firstSamplesNs_.load()};
}

void Mpg123Player::audioCallback(void* self, unsigned char* stream, int len)
{
    static_cast<Mpg123Player*>(self)->fill(stream, len);
}

// Runs on SDL's audio thread with the device locked.
void Mpg123Player::fill(unsigned char* out, int len)
{
    const int filled = stream_ ? stream_->read(out, len) : 0;
    if (filled > 0) {
        float* samples = reinterpret_cast<float*>(out);
        const float gain = gain_.load(std::memory_order_relaxed);
        if (gain != 1.0f)
            std::transform(samples, samples + filled / int(sizeof(float)), samples,
                           [gain](float s) { return s * gain; });
        if (awaitingFirstSamples_) {
            awaitingFirstSamples_ = false;
            firstSamplesNs_ = nowNs();
        }
    }
    std::memset(out + filled, 0, size_t(len - filled));
    if (stream_ && stream_->atEnd() && !endReported_) {
        endReported_ = true;
        lastEndNs_ = nowNs();
        QMetaObject::invokeMethod(this, &Mpg123Player::onTrackEnded, Qt::QueuedConnection);
    }
}
