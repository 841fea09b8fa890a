#include "playback/player_session.h"

#include <algorithm>
#include <utility>

#include "audio/media_player.h"
#include "logic/volume_steps.h"
#include "platform/message_box.h"

PlayerSession::PlayerSession(MediaPlayer& player, MessageBoxes& messages, SessionShared shared, QObject* parent)
    : QObject(parent), player_(player), messages_(messages), shared_(shared)
{
    connect(&player_, &MediaPlayer::playStateChange, this, [this](int, int state) { playStateChanged(state); });
    connect(&player_, &MediaPlayer::aboutToFinish, this, &PlayerSession::aboutToFinish);
    // Reported after the pause it caused, so the reason stays on the status line.
    connect(&player_, &MediaPlayer::outputLost, this, [this](bool nothingLeft) {
        if (!nothingLeft || player_.playState() != MediaPlayer::Paused) return;
        setPaused(true);
        setStatus(kNoSoundOutput);
    });
}

int PlayerSession::volumeStep() const
{
    return ::volumeStep(volumeLevel_);
}

bool PlayerSession::muted() const
{
    return player_.mute();
}

void PlayerSession::setMode(Mode mode)
{
    if (std::exchange(mode_, mode) != mode) emit modeChanged(mode);
}

void PlayerSession::setStatus(std::string_view text)
{
    status_ = text;
    emit statusChanged();
}

void PlayerSession::setPaused(bool paused)
{
    paused_ = paused;
    emit pausedChanged(paused);
}

void PlayerSession::markStopped()
{
    setMode(Mode::Stopped);
    setStatus(kPlayerStopped);
}

void PlayerSession::showStoppedStatus()
{
    setStatus(kPlayerStopped);
}

void PlayerSession::playFromTrackList()
{
    if (mode_ == Mode::Playlist) return;
    setMode(tracks_.chosenMode());
    currentRecord_ = tracks_.currentLine() + 1;
    playTrack();
}

void PlayerSession::play()
{
    const int state = player_.playState();
    // Play is disabled while paused; Pause resumes.
    if (state == MediaPlayer::Paused) pauseResume();
    else if (state != MediaPlayer::Playing && !paused_) playFromTrackList();
}

void PlayerSession::pause()
{
    if (player_.playState() == MediaPlayer::Playing) pauseResume();
}

void PlayerSession::playPause()
{
    if (player_.playState() == MediaPlayer::Stopped) play();
    else pauseResume();
}

void PlayerSession::pauseResume()
{
    switch (player_.playState()) {
    case MediaPlayer::Paused:
        player_.play();
        setPaused(false);
        break;
    case MediaPlayer::Playing:
        player_.pause();
        setStatus(kPlayerPaused);
        setPaused(true);
        break;
    default: break;
    }
}

void PlayerSession::stop()
{
    // Nothing follows a stop.
    if (std::exchange(nextTrackAsked_, false)) player_.setNextSourceFile({});
    if (player_.playState() == MediaPlayer::Paused) {
        player_.play();
        setPaused(false);
    }
    player_.setPosition(player_.duration());
    markStopped();
}

void PlayerSession::skip()
{
    player_.setPosition(player_.duration());
}

void PlayerSession::seekTo(double seconds)
{
    player_.setPosition(seconds);
    player_.setVolume(volumeLevel_);
    // Muting and unmuting applies the mute state to the player again, as it stands.
    const bool mute = player_.mute();
    player_.setMute(!mute);
    player_.setMute(mute);
    emit positionJumped(seconds);
}

void PlayerSession::volumeUp()
{
    volumeLevel_ = int16_t(std::min(0, volumeLevel_ + kVolumeStepSize));
    player_.setVolume(volumeLevel_);
    emit volumeChanged();
}

void PlayerSession::volumeDown()
{
    // A muted volume shows no step to go down from.
    if (muted() || volumeStep() <= 1) return;
    volumeLevel_ = int16_t(volumeLevel_ - kVolumeStepSize);
    player_.setVolume(volumeLevel_);
    emit volumeChanged();
}

void PlayerSession::setVolumeStep(int step)
{
    if (step == 0) {
        if (!muted()) toggleMute();
        return;
    }
    if (muted()) toggleMute();
    while (volumeStep() < step) volumeUp();
    while (volumeStep() > step) volumeDown();
}

void PlayerSession::toggleMute()
{
    player_.setMute(!player_.mute());
    emit volumeChanged();
}

void PlayerSession::resetVolume()
{
    player_.setVolume(0);
    volumeLevel_ = 0;
    player_.setMute(false);
    emit volumeChanged();
}

void PlayerSession::chooseTrackListMode(Mode mode)
{
    if (mode_ == Mode::Playlist) {
        messages_.show(QStringLiteral("These buttons are ineffective\rwhen playing the playlist.\r"),
                       QStringLiteral("Playing Playlist"), MsgIcon::None, MsgButtons::Ok);
        return;
    }
    setMode(mode);
    if (player_.playState() == MediaPlayer::Playing) setStatus(statusText(mode));
    offerNextTrack();
}

void PlayerSession::setPlaylistPosition(int line)
{
    playlistPosition_ = line;
    offerNextTrack();  // while the playlist plays, the entry after this one plays next
    emit playlistPositionChanged(line);
}

void PlayerSession::playPlaylist(std::optional<int> from)
{
    if ((mode_ != Mode::Playlist && mode_ != Mode::Stopped) || playlist_.empty()) return;
    // Set first, so that moving the position only records it and leaves the Track List alone.
    setMode(Mode::Playlist);
    if (from) setPlaylistPosition(*from);
    if (!playlist_.showEntry(playlistPosition_)) return;
    playTrack();
    const int line = tracks_.currentLine();
    if (line >= 0) tracks_.markLine(line, true);
    playlist_.started();
}

void PlayerSession::playPlaylistEntry(int line)
{
    if (mode_ == Mode::Playlist || playlist_.empty()) return;
    setMode(Mode::PlaylistOne);
    if (!playlist_.showEntry(line)) return;
    playTrack();
}

void PlayerSession::playTrack()
{
    nextTrackAsked_ = false;
    emit trackLoading();
    TrackRecord record;
    for (int attempt = 0;; ++attempt) {
        if (!shared_.album.read(currentRecord_, record)) return;
        lastRecordRead_ = record;
        playingRecord_ = currentRecord_;
        if (mode_ != Mode::PlaylistOne) setStatus(statusText(mode_));
        if (!excluded(record.Lineside)) break;
        if (!moveToNextCandidate(attempt)) {
            // Nothing further that the preference allows: stop instead of searching for ever.
            stop();
            return;
        }
    }
    formatTrackDate(record.TrackDate, shared_.date);
    playingTrack_ = record;
    playingDate_ = shared_.date;
    emit trackChanged();
    const std::string path = mp3Path(shared_.detailsFolder, record);
    player_.setStartOnOpen(true);
    player_.setSourceFile(shared_.display(path));
    if (player_.hasError()) {
        messages_.show(shared_.display(problemPlayingMessage(path)), QStringLiteral("Problem"), MsgIcon::Question,
                       MsgButtons::Ok);
        markStopped();  // nothing plays, and no end of track will come to move on from
    }
}
