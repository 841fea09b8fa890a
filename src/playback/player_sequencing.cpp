// What follows the end of a track, and what the player is told ahead of it.
#include <random>
#include <vector>

#include "audio/media_player.h"
#include "playback/player_session.h"

namespace {

// Random draws made before the whole album is checked for tracks the preference allows.
constexpr int kDrawsBeforeScan = 32;

}  // namespace

bool PlayerSession::excluded(int16_t lineside) const
{
    return honoursPreference(mode_) && tracks_.preferenceExcludes(lineside);
}

// Selecting the line makes it current and shows its notes.
bool PlayerSession::drawRandomLine()
{
    const int count = tracks_.lineCount();
    if (count == 0) return false;
    tracks_.selectLine(std::uniform_int_distribution<int>(0, count - 1)(shared_.random));
    return true;
}

// Picks uniformly among the lines the preference allows; false when it allows none.
bool PlayerSession::drawAllowedLine()
{
    std::vector<int> allowed;
    const int count = tracks_.lineCount();
    shared_.album.forEach([&](int32_t n, const RecordView& rec) {
        if (!excluded(rec.Lineside()) && n <= count) allowed.push_back(n - 1);
    });
    if (allowed.empty()) return false;
    tracks_.selectLine(allowed[std::uniform_int_distribution<size_t>(0, allowed.size() - 1)(shared_.random)]);
    return true;
}

bool PlayerSession::moveToNextCandidate(int attempt)
{
    if (mode_ == Mode::Random) return attempt < kDrawsBeforeScan ? drawRandomLine() : drawAllowedLine();
    const int next = tracks_.currentLine() + 1;
    if (next >= tracks_.lineCount()) return false;
    tracks_.selectLine(next);
    return true;
}

void PlayerSession::playStateChanged(int newState)
{
    if (newState == MediaPlayer::Stopped) moveOnAfterEnd();
    // A paused track says so, also when a report from before the pause arrives first;
    // the mode's text would claim it is playing.
    setStatus(newState == MediaPlayer::Paused ? kPlayerPaused : statusText(mode_));
    if (mode_ == Mode::Stopped) stop();
    emit stateChanged(newState);
}

void PlayerSession::moveOnAfterEnd()
{
    const int current = tracks_.currentLine();
    if (current >= 0) tracks_.markLine(current, false);
    if (mode_ == Mode::Playlist) {
        const int next = nextPlaylistLine();
        if (next >= 0) {
            setPlaylistPosition(next);
            playPlaylist(std::nullopt);
        } else {
            setMode(Mode::Stopped);
        }
    }
    if (mode_ == Mode::All) {
        const int finished = playingRecord_ - 1;
        tracks_.markLine(finished, true);
        const int next = tracks_.currentLine() + 1;
        if (next < tracks_.lineCount()) {
            tracks_.selectLine(next);
            tracks_.markLine(finished, false);
            playTrack();
        } else {
            setMode(Mode::Stopped);
        }
    }
    if (mode_ == Mode::Random) {
        if (drawRandomLine()) playTrack();
        else setMode(Mode::Stopped);
    }
    if (mode_ == Mode::SearchOne || mode_ == Mode::PlaylistOne || mode_ == Mode::One) setMode(Mode::Stopped);
}

int PlayerSession::nextPlaylistLine() const
{
    if (playlist_.empty()) return -1;
    const int next = playlistPosition_ + 1;
    return next < playlist_.lineCount() ? next : -1;
}

// The player asks a few seconds before the end what follows, so that it can
// go on without a gap. The answer follows the rules above; the end of the
// track still decides, and the player drops a guess it does not take.
void PlayerSession::aboutToFinish()
{
    nextTrackAsked_ = true;
    offerNextTrack();
}

void PlayerSession::offerNextTrack()
{
    if (nextTrackAsked_) player_.setNextSourceFile(shared_.display(nextTrackPath()));
}

// The file the end of the playing track will lead to; empty when that is not
// known ahead (random draws, one-track modes, the end of the list).
std::string PlayerSession::nextTrackPath()
{
    if (mode_ == Mode::Playlist) return nextPlaylistEntryPath();
    if (mode_ != Mode::All) return {};
    // One line down from the current line, passing over what the preference excludes, as playTrack does.
    TrackRecord rec;
    for (int line = tracks_.currentLine() + 1; line < tracks_.lineCount(); ++line) {
        if (!shared_.album.read(line + 1, rec)) return {};
        if (!excluded(rec.Lineside)) return mp3Path(shared_.detailsFolder, rec);
    }
    return {};
}

std::string PlayerSession::nextPlaylistEntryPath()
{
    const int next = nextPlaylistLine();
    const std::optional<int32_t> record = next >= 0 ? playlist_.recordAt(next) : std::nullopt;
    TrackRecord rec;
    if (!record || !shared_.album.read(*record, rec)) return {};
    return mp3Path(shared_.detailsFolder, rec);
}
