#include "support/fake_media_player.h"

#include <algorithm>

void FakeMediaPlayer::setSourceFile(const QString& path)
{
    sourceFiles << path;
    position_ = 0.0;
    announced_ = false;
    hasError_ = failAllFiles;
    loaded_ = !hasError_;
    duration_ = loaded_ ? durations.value(path, defaultDuration) : 0.0;
    if (!loaded_ || !startOnOpen_) {
        state_ = Stopped;
        return;
    }
    changeState(Playing);
}

void FakeMediaPlayer::setPosition(double seconds)
{
    if (!loaded_) return;
    position_ = seconds > 0.0 ? std::min(seconds, duration_) : 0.0;
    if (position_ >= duration_ && state_ == Playing) changeState(Stopped);
}

void FakeMediaPlayer::play()
{
    if (!loaded_ || state_ == Playing) return;
    const bool atEnd = position_ >= duration_;
    if (atEnd && state_ == Paused) {
        changeState(Stopped);
        return;
    }
    if (atEnd) position_ = 0.0;
    changeState(Playing);
}

void FakeMediaPlayer::pause()
{
    if (state_ == Playing) changeState(Paused);
}

void FakeMediaPlayer::finishTrack()
{
    if (state_ != Playing) return;
    announceEndWithin(0);
    position_ = duration_;
    changeState(Stopped);
}

void FakeMediaPlayer::advance(double seconds)
{
    if (state_ != Playing) return;
    position_ = std::min(position_ + seconds, duration_);
    announceEndWithin(duration_ - position_);
    if (position_ >= duration_) changeState(Stopped);
}

void FakeMediaPlayer::changeState(State next)
{
    const State previous = state_;
    state_ = next;
    postStateChange(previous, next);
}

// Like the real player, once per track, a few seconds before its end.
void FakeMediaPlayer::announceEndWithin(double seconds)
{
    if (announced_ || seconds > 3.0) return;
    announced_ = true;
    QMetaObject::invokeMethod(
        this, [this] { emit aboutToFinish(); }, Qt::QueuedConnection);
}

void FakeMediaPlayer::setOutputDevice(const QString& name)
{
    device = name;
}

void FakeMediaPlayer::unplug(bool nothingLeft)
{
    devices.removeAll(device);
    device.clear();
    if (nothingLeft && state_ == Playing) changeState(Paused);
    QMetaObject::invokeMethod(
        this, [this, nothingLeft] { emit outputLost(nothingLeft); }, Qt::QueuedConnection);
}
