#pragma once
// The player session: what plays, in which mode, what follows it, the playlist
// position and the volume. The window's buttons, the keyboard, the desktop's
// player controls and the mini player all give it the same typed commands; the
// views follow its signals. It knows the track list and the playlist only
// through the small sources the window hands it.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "logic/date_words.h"
#include "logic/play_modes.h"
#include "logic/track_record.h"

class MediaPlayer;
class MessageBoxes;

// The lines of the track list, as playback moves along them.
struct TrackSource {
    std::function<int()> lineCount;
    std::function<int()> currentLine;  // -1 when none
    // Makes a line the current track as a click on it would (its notes show).
    std::function<void(int)> selectLine;
    // Marks a line selected (as a click, it becomes current) or unmarks it.
    std::function<void(int, bool)> markLine;
    // True when the On Train / Lineside preference passes over a track of this lineside.
    std::function<bool(int16_t)> preferenceExcludes;
    // The mode the option buttons choose for playing from the track list.
    std::function<Mode()> chosenMode;
};

// The entries of the playlist.
struct PlaylistSource {
    std::function<bool()> empty;
    std::function<int()> lineCount;
    // The record an entry names, when it names a track of the open album.
    std::function<std::optional<int32_t>(int)> recordAt;
    // Makes an entry the current track and shows its notes; false (and stopped) when it names none.
    std::function<bool(int)> showEntry;
    // The playlist has started playing from the Play Playlist button.
    std::function<void()> started;
};

// The shared state the session reads and writes with the window's pages, and the
// window's one way of turning stored bytes into text.
struct SessionShared {
    AlbumFile& album;
    const std::string& detailsFolder;
    DateWords& date;  // the date words of the record formatted last
    std::mt19937& random;
    QString (*display)(std::string_view bytes);
};

class PlayerSession : public QObject {
    Q_OBJECT
public:
    PlayerSession(MediaPlayer& player, MessageBoxes& messages, SessionShared shared, QObject* parent = nullptr);

    void setTrackSource(TrackSource tracks) { tracks_ = std::move(tracks); }
    void setPlaylistSource(PlaylistSource playlist) { playlist_ = std::move(playlist); }

    Mode mode() const { return mode_; }
    int32_t playingRecord() const { return playingRecord_; }
    // The record number (from 1) of the current track: selected, looked up or about to play.
    int32_t currentRecord() const { return currentRecord_; }
    void setCurrentRecord(int32_t record) { currentRecord_ = record; }
    // The album record read last, by whichever page or command read it; the path label's
    // tooltip names its file.
    const TrackRecord& lastRecordRead() const { return lastRecordRead_; }
    void recordRead(const TrackRecord& record) { lastRecordRead_ = record; }
    int playlistPosition() const { return playlistPosition_; }
    int volumeStep() const;
    bool muted() const;
    // The status line of the player pane.
    const std::string& status() const { return status_; }
    // The track last given to the player and its date words.
    const TrackRecord& playingTrack() const { return playingTrack_; }
    const DateWords& playingDate() const { return playingDate_; }

    // Commands
    void setMode(Mode mode);
    // Plays the track list's current line in the mode the option buttons chose.
    void playFromTrackList();
    // Plays the current record in the current mode.
    void playTrack();
    // Play, Pause and Play/Pause as desktop players mean them.
    void play();
    void pause();
    void playPause();
    // Pauses a playing track, resumes a paused one.
    void pauseResume();
    void stop();
    void skip();
    void seekTo(double seconds);
    void volumeUp();
    void volumeDown();
    // Steps 1..10, 0 mutes.
    void setVolumeStep(int step);
    void toggleMute();
    void resetVolume();
    // The option buttons of the track list; while the playlist plays they only say so.
    void chooseTrackListMode(Mode mode);
    // Plays the playlist from its position, or from `from` when given.
    void playPlaylist(std::optional<int> from);
    void playPlaylistEntry(int line);
    void setPlaylistPosition(int line);
    // Only remembers the position, as read from the settings.
    void rememberPlaylistPosition(int line) { playlistPosition_ = line; }
    // Nothing is to follow; the status says the player stopped.
    void markStopped();
    // Says the player stopped without changing the mode.
    void showStoppedStatus();
    // Tells the player again what follows the playing track, after a change it depends on.
    void offerNextTrack();

    // Reports of the player
    void playStateChanged(int newState);
    void aboutToFinish();

signals:
    void modeChanged(Mode mode);
    void statusChanged();
    // The player has reported a new state and the session has acted on it.
    void stateChanged(int playState);
    // A track is about to be given to the player: its position starts again.
    void trackLoading();
    void pausedChanged(bool paused);
    // A track has been given to the player (its labels can be shown) and is about to start.
    void trackChanged();
    void positionJumped(double seconds);
    void volumeChanged();
    void playlistPositionChanged(int line);

private:
    void setStatus(std::string_view text);
    void setPaused(bool paused);
    bool excluded(int16_t lineside) const;
    bool moveToNextCandidate(int attempt);
    bool drawRandomLine();
    bool drawAllowedLine();
    void moveOnAfterEnd();
    // The entry the end of a playlist track moves on to, or -1 after the last one.
    int nextPlaylistLine() const;
    std::string nextTrackPath();
    std::string nextPlaylistEntryPath();

    MediaPlayer& player_;
    MessageBoxes& messages_;
    SessionShared shared_;
    TrackSource tracks_;
    PlaylistSource playlist_;
    Mode mode_ = Mode::Stopped;
    int32_t playingRecord_ = 0;
    int32_t currentRecord_ = 0;
    TrackRecord lastRecordRead_;
    bool nextTrackAsked_ = false;  // the player has asked what follows the playing track
    int playlistPosition_ = 0;
    int16_t volumeLevel_ = 0;
    bool paused_ = false;
    std::string status_;
    TrackRecord playingTrack_;
    DateWords playingDate_;
};
