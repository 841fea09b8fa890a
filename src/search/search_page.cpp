#include "search/search_page.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "form/drag_data.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "form/layout_helpers.h"
#include "form/looks.h"
#include "form/text_codec.h"
#include "logic/search.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "search/search_results_model.h"

namespace {

// A results file larger than this is not read (some 6 million results).
constexpr size_t kMaxResultsBytes = size_t(64) << 20;

QRadioButton* option(QWidget* parent, const char* caption, const char* name, int left)
{
    return placed(new QRadioButton(QString::fromLatin1(caption), parent), name, left, 180, 1500, 255);
}

}  // namespace

SearchPage::SearchPage(Form1& owner, TrackLines trackLines)
    : Page(owner, "fmSearch", 6313), trackLines_(std::move(trackLines))
{
    txtSearch = named(placed(new QLineEdit(this), "txtSearch", 120, 150, 4935, 315), "Search text");
    Label7 = placed(new QLabel(QStringLiteral("With Code"), this), "Label7", 5160, 195, 1020, 255);
    cbCode = named(placed(new QComboBox(this), "cbCode", 6240, 150, 1455, 315), "Category code");
    btnSearch = placed(new QPushButton(QStringLiteral("Search"), this), "btnSearch", 8400, 120, 1215, 375);

    // Each group of option buttons has its own frame, so one of each stays on.
    fmFindMode = placed(new Frame(this), "fmFindMode", 120, 540, 4860, 495);
    opFindAny = option(fmFindMode, "Any word", "opFindAny", 120);
    opFindAll = option(fmFindMode, "All words", "opFindAll", 1680);
    opFindPhrase = option(fmFindMode, "Exact Phrase", "opFindPhrase", 3240);
    fmFindKind = placed(new Frame(this), "fmFindKind", 5100, 540, 4875, 495);
    opSearchOT = option(fmFindKind, "On train Only", "opSearchOT", 120);
    opSearchLS = option(fmFindKind, "Lineside Only", "opSearchLS", 1680);
    opSearchBoth = option(fmFindKind, "Both", "opSearchBoth", 3240);
    opFindAny->setChecked(true);
    opSearchBoth->setChecked(true);
    setCaptionWhite({Label7, opFindAny, opFindAll, opFindPhrase, opSearchOT, opSearchLS, opSearchBoth});

    lstSearchRes = fixedPitchList(this, "lstSearchRes", "Search results", true);
    // The results show the track list's own line of each record found.
    searchLines = new SearchResultsModel(trackLines_.addLines, this);
    lstSearchRes->setLineModel(searchLines);
    placeTwips(lstSearchRes, 120, 1100, 9855, 4620);
    setLook(lstSearchRes, kTrackListLook);

    lblFound = placed(new QLabel(QStringLiteral("Found: 0"), this), "lblFound", 120, 5860, 1455, 255);
    lblSearchNote = placed(new QLabel(this), "lblSearchNote", 1620, 5860, 4500, 255);
    setCaptionWhite({lblFound, lblSearchNote});
    btnCopyToPlayList = placed(new QPushButton(QStringLiteral("Copy all to Playlist"), this), "btnCopyToPlayList", 6240,
                               5800, 1815, 375);
    btnSearchClear = placed(new QPushButton(QStringLiteral("Clear List"), this), "btnSearchClear", 8160, 5800, 1455, 375);
    btnSearchAddtoPlayList = placed(new QPushButton(QStringLiteral("Add to Playlist"), this), "btnSearchAddtoPlayList",
                                    120, 1100, 1455, 240);
    btnSeDetails = placed(new QPushButton(QStringLiteral("View Notes"), this), "btnSeDetails", 120, 1340, 1455, 240);
    hidePopups();
    goOn_ = new QTimer(this);
    goOn_->setSingleShot(true);
    goOn_->setInterval(0);
    connect(goOn_, &QTimer::timeout, this, &SearchPage::runSearches);

    connect(btnSearch, &QPushButton::clicked, this, &SearchPage::btnSearch_Click);
    connect(lstSearchRes, &ListBox::mouseDown, this, &SearchPage::lstSearchRes_MouseDown);
    connect(lstSearchRes, &ListBox::dblClick, this, &SearchPage::lstSearchRes_DblClick);
    // Dragged results carry the tracks they name, in list order.
    lstSearchRes->setDragSource([this](const QList<int>& rows) -> QMimeData* {
        const std::vector<std::optional<int32_t>> numbers = readResults();
        std::vector<int32_t> records;
        for (const int row : rows)
            if (size_t(row) < numbers.size() && row < lstSearchRes->listCount() && isTrack(numbers[size_t(row)]))
                records.push_back(*numbers[size_t(row)]);
        return records.empty() ? nullptr : trackDragData(records);
    });
    connect(btnSearchAddtoPlayList, &QPushButton::clicked, this, &SearchPage::btnSearchAddtoPlayList_Click);
    connect(btnCopyToPlayList, &QPushButton::clicked, this, &SearchPage::btnCopyToPlayList_Click);
    connect(btnSeDetails, &QPushButton::clicked, this, &SearchPage::btnSeDetails_Click);
    connect(btnSearchClear, &QPushButton::clicked, this, &SearchPage::btnSearchClear_Click);
    form.installEventFilter(this);
}

// A plain window has no default button of its own: Enter that no control took
// presses the button marked default, while it can be seen.
bool SearchPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &form || event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !btnSearch->isDefault() || !btnSearch->isVisible()
        || !btnSearch->isEnabled())
        return false;
    btnSearch->click();
    return true;
}

void SearchPage::resetCodes()
{
    cbCode->clear();
    cbCode->addItem(QStringLiteral("ANY"));
    cbCode->setCurrentIndex(0);
}

void SearchPage::addCodes(const QStringList& codes)
{
    cbCode->addItems(codes);
}

std::string SearchPage::resultsPath() const
{
    return form.m.AppFolder + "search.$$$";
}

void SearchPage::btnSearch_Click()
{
    Module1& m = form.m;
    // The search reads and formats the album itself, so it need not wait for the scan.
    const int lines = m.Album.isOpen() ? std::min(trackLines_.count(), int(m.Album.recordCount())) : 0;
    if (lines == 0) return;
    const std::string typed = toStored(txtSearch->text());
    txtSearch->setText(toDisplay(normaliseSearchText(typed)));

    const MatchMode mode = opFindAll->isChecked()      ? MatchMode::AllWords
                           : opFindPhrase->isChecked() ? MatchMode::ExactPhrase
                                                       : MatchMode::AnyWord;
    const KindFilter kind = opSearchLS->isChecked()   ? KindFilter::LinesideOnly
                            : opSearchOT->isChecked() ? KindFilter::OnTrainOnly
                                                      : KindFilter::Both;
    const std::string code = cbCode->currentIndex() < 0 ? std::string("ANY") : toStored(cbCode->currentText());
    size_t dropped = 0;
    SearchQuery query = makeSearchQuery(typed, mode, kind, code, &dropped);
    lblSearchNote->setText(dropped ? toDisplay(droppedWordsNote(dropped)) : QString());

    // The lines are formatted as they are searched, in list order with the date words
    // carried from line to line exactly as the track list formats them. Another album,
    // or the same one filled again, ends the searches still running.
    searches_.push_back(std::make_unique<SearchRun>(std::move(query), lines, trackLines_.monthBefore()));
    if (searches_.size() == 1) {
        sinceDelivery_.start();
        runSearches();
    }
}

void SearchPage::runSearches()
{
    if (inRun_) return;  // a message about the results file is being shown
    inRun_ = true;
    QElapsedTimer clock;
    clock.start();
    const auto keepOn = [&] { return clock.elapsed() < sliceMs_; };
    while (!searches_.empty()) {
        SearchRun& search = *searches_.front();
        search.run(form.m.Album, keepOn, pendingRecords_, pendingWidest_);
        if (search.ended()) searches_.pop_front();
        if (!keepOn()) break;
    }
    if ((searches_.empty() || sinceDelivery_.elapsed() >= deliveryMs_) && !deliver()) searches_.clear();
    if (!searches_.empty()) goOn_->start();
    inRun_ = false;
}

bool SearchPage::deliver()
{
    std::vector<int32_t> records;
    std::swap(records, pendingRecords_);
    sinceDelivery_.start();
    return addResults(std::move(records), std::exchange(pendingWidest_, 0));
}

void SearchPage::stopSearches()
{
    searches_.clear();
    pendingRecords_.clear();
    pendingWidest_ = 0;
    goOn_->stop();
}

void SearchPage::trackListRefilled()
{
    if (!searches_.empty() && !inRun_) deliver();
    stopSearches();
}

bool SearchPage::addResults(std::vector<int32_t>&& records, size_t widest)
{
    // A results file changed or removed from outside no longer names the listed lines:
    // the file and the list then start again with these results.
    long long count = foundCount(toStored(lblFound->text()));
    const bool inStep = resultsInStep();
    if (!records.empty() || !inStep) {
        if (!saveResults(records, inStep)) return false;
        if (!inStep) {
            searchLines->clear();
            count = 0;
        }
        count += (long long)records.size();
        searchLines->append(std::move(records), widest);
        rememberWritten();
    }
    lblFound->setText(toDisplay(foundCaption(count)));
    return true;
}

bool SearchPage::resultsInStep() const
{
    const size_t listed = size_t(searchLines->rowCount());
    if (written_ && listed == writtenListed_ && fileStamp(resultsPath()) == written_) return true;
    const FileRead file = readRegularFile(resultsPath(), kMaxResultsBytes);
    if (file.error == FileError::NotFound) return listed == 0;
    return file.ok() && !file.truncated && resultsFileInStep(file.bytes, listed);
}

void SearchPage::rememberWritten()
{
    written_ = fileStamp(resultsPath());
    writtenListed_ = size_t(searchLines->rowCount());
}

bool SearchPage::saveResults(const std::vector<int32_t>& records, bool append)
{
    // Appending all of one search's lines in one write keeps a search's cost apart from
    // the results already listed.
    const std::string lines = searchResultLines(records);
    const FileError error = append ? appendToFile(resultsPath(), lines) : writeFileAtomic(resultsPath(), lines);
    if (error == FileError::None) return true;
    reportNotSaved(failureText(error));
    return false;
}

void SearchPage::reportNotSaved(std::string_view reason)
{
    form.os.messages->show(toDisplay(searchNotSavedMessage(resultsPath(), reason)), QStringLiteral("Problem"),
                           MsgIcon::Exclamation, MsgButtons::Ok);
}

std::vector<std::optional<int32_t>> SearchPage::readResults() const
{
    const FileRead file = readRegularFile(resultsPath(), kMaxResultsBytes);
    if (!file.ok()) return {};
    return parseSearchResults(file.bytes);
}

bool SearchPage::isTrack(std::optional<int32_t> record) const
{
    return record && *record <= trackLines_.count() && *record <= form.m.Album.recordCount();
}

std::optional<int32_t> SearchPage::resultRecord(int line) const
{
    if (line < 0) return std::nullopt;
    const std::vector<std::optional<int32_t>> numbers = readResults();
    if (size_t(line) >= numbers.size() || !isTrack(numbers[size_t(line)])) return std::nullopt;
    return numbers[size_t(line)];
}

void SearchPage::hidePopups()
{
    btnSearchAddtoPlayList->hide();
    btnSeDetails->hide();
}

void SearchPage::stopWithFailure()
{
    form.session->markStopped();
}
