#pragma once
// The Track List page: the album's lines, the notes of the current track below
// them with a splitter between, and the pop-ups of a right-click on the list. It
// publishes the album's category codes as its scan finds them.
#include <QStringList>
#include <optional>
#include <vector>
#include <string_view>

#include "form/page.h"
#include "logic/date_words.h"

class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class TrackListModel;

class TrackListPage : public Page {
    Q_OBJECT
public:
    explicit TrackListPage(Form1& form);

    ListBox* lstTracks;
    TrackListModel* trackLines;  // the lines lstTracks shows
    QPlainTextEdit* txtDetails;
    QScrollBar* VScroll1;
    QPushButton *btnAddPL, *btnClearSel;  // pop-ups of a right-click on the list

    void FillTrackList();
    // Start-up: the splitter takes the list height the settings gave (within its range), then the list fills.
    void fillAtStart();
    // The lines the list shows.
    int lineCount() const;
    void ShowTrackNotes();
    // Makes a record the current track: its line selected, its notes shown.
    void showRecord(int32_t record);
    void lstTracks_Click();
    void lstTracks_MouseDown(int button, int shift, double x, double y);
    void VScroll1_Change();
    void btnAddPL_Click();
    void btnClearSel_Click();
    // Lays the notes pane out below the list at the splitter's place.
    void fitDetailsToList();

    // Sets the text of the details pane from stored bytes.
    void setDetailsText(std::string_view bytes);
    void setDetailsMessage(const QString& text);

signals:
    // The list is about to be filled again, from the album file.
    void refilling();
    // The user chose another line as the current track.
    void trackChosen();
    // "Add to Playlist": the selected lines' records, ascending; the last becomes the current track.
    void addToPlaylist(const std::vector<int32_t>& records, std::optional<int32_t> current);
    // Another album was opened: its codes start again from "ANY".
    void codesReset();
    // The album's scan met codes not met before.
    void codesFound(const QStringList& codes);

private:
    void addAlbumCodes(int first);
    void albumScanEnded();

    DateWords dateAwaitingScan_;  // the date words as the list left them, until its scan ends
};
