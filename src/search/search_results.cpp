// What can be done with the search results: the right-click pop-ups, adding them to
// the working playlist, their notes, playing one, and clearing them. A line whose
// record number the results file does not hold (a file changed from outside) is
// left out of what the handlers do.
#include <QPlainTextEdit>
#include <algorithm>
#include <QPushButton>

#include "form/form1.h"
#include "form/notes_pane.h"
#include "playback/player_session.h"
#include "form/text_codec.h"
#include "form/twips.h"
#include "logic/search.h"
#include "platform/file_ops.h"
#include "search/search_page.h"
#include "search/search_results_model.h"

void SearchPage::lstSearchRes_MouseDown(int button, int, double x, double y)
{
    form.fmSeNotes->hideNotes();
    emit listPressed();
    if (button != kRightButton || form.session->mode() == Mode::Playlist) {
        hidePopups();
        return;
    }
    const QRect add = twipsRect(btnSearchAddtoPlayList), notes = twipsRect(btnSeDetails);
    placeTwips(btnSearchAddtoPlayList, int(x), int(y + 1100), add.width(), add.height());
    placeTwips(btnSeDetails, int(x), int(y + 1340), notes.width(), notes.height());
    for (QPushButton* b : {btnSearchAddtoPlayList, btnSeDetails}) {
        b->show();
        b->raise();
    }
    setTopTwips(form.fmSeNotes, y > 3690 ? 5690 : int(y + 2000));
}

void SearchPage::btnSearchAddtoPlayList_Click()
{
    const std::vector<std::optional<int32_t>> numbers = readResults();
    const int lines = std::min(lstSearchRes->listCount(), int(numbers.size()));
    std::vector<int32_t> records;
    std::optional<int32_t> lastRead;
    for (int p = 0; p < lines; ++p) {
        const std::optional<int32_t> record = numbers[size_t(p)];
        if (!isTrack(record)) continue;
        lastRead = record;
        if (lstSearchRes->isSelected(p)) records.push_back(*record);
    }
    emit addToPlaylist(records, lastRead);
    hidePopups();
}

void SearchPage::btnCopyToPlayList_Click()
{
    btnSearchAddtoPlayList->hide();
    const std::vector<std::optional<int32_t>> numbers = readResults();
    std::vector<int32_t> records;
    // The first line that cannot be read ends the copy; the entries before it are added.
    for (int p = 0; p < lstSearchRes->listCount() && size_t(p) < numbers.size() && isTrack(numbers[size_t(p)]); ++p)
        records.push_back(*numbers[size_t(p)]);
    emit addToPlaylist(records, records.empty() ? std::nullopt : std::optional<int32_t>(records.back()));
    form.lblTabPlaylist_Click();
}

void SearchPage::btnSeDetails_Click()
{
    form.fmSeNotes->showNotes(resultRecord(lstSearchRes->listIndex()));
    hidePopups();
}

void SearchPage::lstSearchRes_DblClick()
{
    form.session->setMode(Mode::SearchOne);
    const std::optional<int32_t> record = resultRecord(lstSearchRes->listIndex());
    if (!record) {
        stopWithFailure();
        return;
    }
    emit playAsked(*record);
}

void SearchPage::btnSearchClear_Click()
{
    stopSearches();
    // The file first: when it cannot be emptied, the list keeps the results it names.
    const FileError error = writeFileAtomic(resultsPath(), std::string_view());
    if (error != FileError::None) {
        reportNotSaved(failureText(error));
        return;
    }
    searchLines->clear();
    rememberWritten();
    lblFound->setText(toDisplay(foundCaption(0)));
}
