#pragma once
// The Search page: what to look for, the tracks found, and what can be done with
// them. The results file "search.$$$" holds one record number per result, line n
// for list line n - 1; every action on a result looks its record up there.
#include <QElapsedTimer>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <optional>
#include <string>
#include <vector>

#include "form/page.h"
#include "logic/search_lines.h"
#include "logic/search_run.h"
#include "platform/file_ops.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class SearchResultsModel;

// What the Search page reads of the track list; the composition supplies it.
struct TrackLines {
    std::function<int()> count;                // the lines the track list shows
    std::function<std::string()> monthBefore;  // the month text shown before the first line
    std::function<void(std::span<const int32_t> records, LineList& out)> addLines;
};

class SearchPage : public Page {
    Q_OBJECT
public:
    SearchPage(Form1& form, TrackLines trackLines);

    QLineEdit* txtSearch;
    QLabel* Label7;  // "With Code"
    QComboBox* cbCode;
    QPushButton* btnSearch;
    Frame *fmFindMode, *fmFindKind;
    QRadioButton *opFindAny, *opFindAll, *opFindPhrase;
    QRadioButton *opSearchOT, *opSearchLS, *opSearchBoth;
    ListBox* lstSearchRes;
    SearchResultsModel* searchLines;  // the lines lstSearchRes shows
    QLabel* lblFound;
    QLabel* lblSearchNote;  // says when words of the search text were left out
    QPushButton *btnCopyToPlayList, *btnSearchClear;
    QPushButton *btnSearchAddtoPlayList, *btnSeDetails;  // pop-ups of a right-click on the results

    void btnSearch_Click();
    void lstSearchRes_MouseDown(int button, int shift, double x, double y);
    void btnSearchAddtoPlayList_Click();
    void btnCopyToPlayList_Click();
    void btnSeDetails_Click();
    void lstSearchRes_DblClick();
    void btnSearchClear_Click();

    // The album's category codes, starting again from "ANY" or growing as its scan finds them.
    void resetCodes();
    void addCodes(const QStringList& codes);
    // Ends the searches when the track list is filled again, listing what they found so far.
    void trackListRefilled();

    std::string resultsPath() const;
    // True while a search clicked has not searched its last line yet. A search of a
    // large album goes on between the window's events, adding its results as it goes.
    bool searching() const { return !searches_.empty(); }
    // How long a search may hold the window at a time; 0: one block of records.
    void setSearchSlice(qint64 ms) { sliceMs_ = ms; }
    // How long results found wait to be listed, so a long list is not laid out again each slice.
    void setDeliveryInterval(qint64 ms) { deliveryMs_ = ms; }

private:
    // The record number of each line of the results file that holds one; nullopt
    // for the others. Empty when the file is missing or cannot be read.
    std::vector<std::optional<int32_t>> readResults() const;
    // The record of a list line when the results file names a track of the open album there.
    std::optional<int32_t> resultRecord(int line) const;
    bool isTrack(std::optional<int32_t> record) const;
    // True when the results file holds a line for each listed line and no more.
    bool resultsInStep() const;
    // Goes on with the searches clicked for a slice of time, then leaves the rest for
    // the next turn of the event loop.
    void runSearches();
    void stopSearches();
    // Adds the results found since the last delivery to the file and the list together.
    bool deliver();
    // Adds results to the file and the list and counts them; false (after saying so)
    // when the file could not be written.
    bool addResults(std::vector<int32_t>&& records, size_t widest);
    // Adds the new results' record numbers to the results file in one write, or makes
    // them its whole content; false (after saying so) when it could not be written.
    bool saveResults(const std::vector<int32_t>& records, bool append);
    // Notes the results file as this page left it, in step with the list.
    void rememberWritten();
    void reportNotSaved(std::string_view reason);
    void stopWithFailure();
    void hidePopups();
    bool eventFilter(QObject* watched, QEvent* event) override;

    TrackLines trackLines_;
    std::deque<std::unique_ptr<SearchRun>> searches_;  // clicked, in order; the first one runs
    QTimer* goOn_;
    qint64 sliceMs_ = 25;
    qint64 deliveryMs_ = 250;
    QElapsedTimer sinceDelivery_;
    std::vector<int32_t> pendingRecords_;  // found but not yet listed
    size_t pendingWidest_ = 0;             // their longest line
    bool inRun_ = false;
    // The results file as last written here, and the lines listed then: when it is still
    // so, it needs no reading to know it is in step.
    std::optional<FileStamp> written_;
    size_t writtenListed_ = 0;

signals:
    // The results list was pressed: the other pages' pop-ups close.
    void listPressed();
    // A result was double-clicked: its record becomes the current track and plays.
    void playAsked(int32_t record);
    // Results to add to the working playlist; once added, `current` becomes the current track.
    void addToPlaylist(const std::vector<int32_t>& records, std::optional<int32_t> current);
};
