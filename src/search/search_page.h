#pragma once
// The Search page: what to look for, the tracks found, and what can be done with
// them. The results file "search.$$$" holds one record number per result, line n
// for list line n - 1; every action on a result looks its record up there.
#include <optional>
#include <string>
#include <vector>

#include "form/page.h"
#include "logic/search_lines.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SearchResultsModel;

class SearchPage : public Page {
    Q_OBJECT
public:
    explicit SearchPage(Form1& form);

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

    std::string resultsPath() const;

private:
    // The record number of each line of the results file that holds one; nullopt
    // for the others. Empty when the file is missing or cannot be read.
    std::vector<std::optional<int32_t>> readResults() const;
    // The record of a list line when the results file names a track of the open album there.
    std::optional<int32_t> resultRecord(int line) const;
    bool isTrack(std::optional<int32_t> record) const;
    // True when the results file holds a line for each listed line and no more.
    bool resultsInStep() const;
    // Adds the new results' record numbers to the results file in one write, or makes
    // them its whole content; false (after saying so) when it could not be written.
    bool saveResults(const std::vector<int32_t>& records, bool append);
    void reportNotSaved(std::string_view reason);
    void stopWithFailure();
    void hidePopups();
    SearchLines albumLines_;  // the album's lines, formatted at the first search
    bool watchingTrackList_ = false;
};
