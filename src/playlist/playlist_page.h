#pragma once
// The Playlist page: the working playlist's lines with its total playing time, and
// the handlers that edit it, look its entries up and play them. Every operation
// reads the playlist file, never the list's lines.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/page.h"
#include "logic/playlist_history.h"

class QPushButton;

class PlaylistPage : public Page {
    Q_OBJECT
public:
    explicit PlaylistPage(Form1& form);

    QLabel* lblPlaylist;
    ListBox* lstPlayList;
    QPushButton *btnPListPlay, *btnClearPL;
    QPushButton *btnSavePL, *btnPLLoad;
    QPushButton *btnPlDelete, *btnPLNotes;  // pop-ups of a right-click on the list
    QPushButton *btnPLMoveUp, *btnPLMoveDown, *btnPLUndo;

    // Rebuilds the list and its summary from the playlist file and the open album.
    void FillPlaylist();
    // The list shows no entry ("The Playlist is empty"), or has not been filled yet.
    bool isEmpty() const { return empty_; }
    // Start-up: the summary says the playlist is empty until the page is first shown.
    void showNotFilled();
    // What showing the page does after the common tab steps: rebuild, then bring
    // back the remembered entry (only highlighted while the playlist plays).
    void showPage();

    void lstPlayList_Click();
    void lstPlayList_DblClick();
    void lstPlayList_MouseDown(int button, int shift, double x, double y);
    void btnPlDelete_Click();
    void btnClearPL_Click();
    void btnPListPlay_Click();
    void btnPLNotes_Click();

    // Playlist files kept by the user
    void btnSavePL_Click();
    void btnOpSavePL_Click();
    void btnPLLoad_Click();
    // Loads a playlist file in the working playlist's place as Load does, read as an M3U
    // playlist for ".m3u8" and ".m3u", else as a ".pll" file; false (after saying why) when refused.
    bool loadPlaylistFile(const std::string& path);

    // Order and history: the selected entries one place up (-1) or down (1), or before
    // an entry; tracks put in before an entry; the last change taken back or made again.
    void moveSelected(int step);
    void moveEntries(const QList<int>& rows, int before);
    void insertTracks(const std::vector<int32_t>& records, int before);
    void undo();
    void redo();

    // Appends entries for the records and, when that succeeds, makes `current` the current track.
    void addTracks(const std::vector<int32_t>& records, std::optional<int32_t> current);
    void hidePopups();

    std::string playlistPath() const;

    // Appends an entry for each record, in order, in one replacement of the file (which
    // is created when missing); false (after saying so) when it could not be read or written.
    bool appendEntries(const std::vector<int32_t>& records);

private:
    // Gives the session the playlist's entries and follows its position.
    void connectPlayback();
    void showPosition(int line);
    // The record number of the entry at a line when it names a track of the open
    // album; nullopt when the file cannot be read or the entry names no such track.
    std::optional<int32_t> lookUpEntry(int line) const;
    // The playlist file's bytes, "" when it is missing; nullopt (after saying so)
    // when it exists but cannot be read whole.
    std::optional<std::string> readForChange() const;
    // Replaces the playlist file and keeps the change for undo; with the change's new
    // order the session's position follows its entry. False (after saying so) when it
    // could not be written.
    bool writePlaylist(const std::string& bytes, const PlaylistOrder& order = {});
    // Replaces the playlist file without keeping the change; false after saying so.
    bool storePlaylist(const std::string& bytes);
    // Tells the player what follows after the position went where `follow` sends it.
    void followPosition(const std::function<int32_t(int32_t)>& follow);
    // Shows the playlist file again without moving the track list, the given lines
    // selected, the last of them current.
    void showChange(const QList<int>& selected);
    void applyOrder(const PlaylistOrder& order, const QList<int>& rows);
    void turn(bool back);
    void acceptDrops();
    PlaylistHistory history;
    void showEmpty();
    // Makes the entry at a line the current track and shows its notes; when it names no
    // track of the album, the stopped state instead, and false.
    bool showEntry(int line);
    void stopWithFailure();
    // The entries of an M3U playlist's bytes that name tracks of the album, in the working playlist's place.
    bool loadM3u(const std::string& path, std::string_view bytes);

    bool empty_ = true;
};
