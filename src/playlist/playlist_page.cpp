#include "playlist/playlist_page.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "form/notes_pane.h"
#include "form/layout_helpers.h"
#include "form/looks.h"
#include "form/text_codec.h"
#include "logic/date_words.h"
#include "logic/playlist.h"
#include "logic/text.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "playback/player_session.h"

namespace {

const char* const kPlaylistEmpty = "The Playlist is empty";

}  // namespace

PlaylistPage::PlaylistPage(Form1& owner) : Page(owner, "fmPlaylist", 6313)
{
    lblPlaylist = placed(new QLabel(this), "lblPlaylist", 120, 180, 9000, 255);
    lstPlayList = fixedPitchList(this, "lstPlayList", "Playlist", true);
    placeTwips(lstPlayList, 120, 480, 5200, 5640);
    setLook(lstPlayList, kTrackListLook);
    btnPListPlay = placed(new QPushButton(QStringLiteral("Play Playlist"), this), "btnPListPlay", 5460, 480, 1455, 375);
    btnClearPL = placed(new QPushButton(QStringLiteral("Clear List"), this), "btnClearPL", 7020, 480, 1455, 375);
    btnSavePL = placed(new QPushButton(QStringLiteral("Save"), this), "btnSavePL", 5460, 870, 1455, 375);
    btnPLLoad = placed(new QPushButton(QStringLiteral("Load"), this), "btnPLLoad", 7020, 870, 1455, 375);
    btnPlDelete = placed(new QPushButton(QStringLiteral("Delete"), this), "btnPlDelete", 120, 480, 855, 255);
    btnPLNotes = placed(new QPushButton(QStringLiteral("Notes"), this), "btnPLNotes", 120, 735, 855, 255);
    btnPLMoveUp = placed(new QPushButton(QStringLiteral("Move Up"), this), "btnPLMoveUp", 120, 990, 1095, 255);
    btnPLMoveDown = placed(new QPushButton(QStringLiteral("Move Down"), this), "btnPLMoveDown", 120, 1245, 1095, 255);
    btnPLUndo = placed(new QPushButton(QStringLiteral("Undo"), this), "btnPLUndo", 120, 1500, 1095, 255);
    hidePopups();

    connect(lstPlayList, &ListBox::click, this, &PlaylistPage::lstPlayList_Click);
    connect(lstPlayList, &ListBox::dblClick, this, &PlaylistPage::lstPlayList_DblClick);
    connect(lstPlayList, &ListBox::mouseDown, this, &PlaylistPage::lstPlayList_MouseDown);
    connect(btnPlDelete, &QPushButton::clicked, this, &PlaylistPage::btnPlDelete_Click);
    connect(btnClearPL, &QPushButton::clicked, this, &PlaylistPage::btnClearPL_Click);
    connect(btnPListPlay, &QPushButton::clicked, this, &PlaylistPage::btnPListPlay_Click);
    connect(btnPLNotes, &QPushButton::clicked, this, &PlaylistPage::btnPLNotes_Click);
    connect(btnSavePL, &QPushButton::clicked, this, &PlaylistPage::btnSavePL_Click);
    connect(btnPLLoad, &QPushButton::clicked, this, &PlaylistPage::btnPLLoad_Click);
    connect(btnPLMoveUp, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(btnPLMoveDown, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(btnPLUndo, &QPushButton::clicked, this, &PlaylistPage::undo);
    acceptDrops();
    connectPlayback();
}

std::string PlaylistPage::playlistPath() const
{
    return std::string(qtext::trim(form.m.AppFolder)) + "temp.$$$";
}

void PlaylistPage::showEmpty()
{
    lstPlayList->setItems({QString::fromLatin1(kPlaylistEmpty)});
    lblPlaylist->setText(QString::fromLatin1(kPlaylistEmpty));
    empty_ = true;
}

void PlaylistPage::showNotFilled()
{
    lblPlaylist->setText(QStringLiteral("The playlist is empty"));
    empty_ = true;
}

void PlaylistPage::FillPlaylist()
{
    lstPlayList->clear();
    Module1& m = form.m;
    const FileRead file = readRegularFile(playlistPath(), kMaxPlaylistBytes);
    TrackRecord first;
    if (!file.ok() || file.truncated || !m.Album.read(1, first)) {
        showEmpty();
        return;
    }
    form.session->recordRead(first);
    const int32_t records = m.Album.recordCount();
    const std::vector<PlaylistEntry> entries = parsePlaylist(file.bytes);
    std::vector<int32_t> numbers;
    numbers.reserve(entries.size());
    for (const PlaylistEntry& entry : entries) numbers.push_back(recordNumberOf(entry).value_or(0));
    const std::vector<std::string> stored = readRecords(m.Album, numbers);
    QStringList lines;
    lines.reserve(qsizetype(entries.size()));
    long long total = 0;
    const std::string* last = nullptr;
    for (size_t i = 0; i < entries.size(); ++i) {
        // One line per entry, so lines and entries keep the same positions; an entry
        // that names no track of this album shows as such and counts no time.
        if (numbers[i] < 1 || numbers[i] > records || stored[i].empty()) {
            lines.append(toDisplay(unavailableEntryLine(entries[i])));
            continue;
        }
        const RecordView record(stored[i]);
        lines.append(toDisplay(trackDisplayLine(record, m.Date)));
        total += playTimeSeconds(record.PlayTime());
        last = &stored[i];
    }
    if (last) form.session->recordRead(parseRecord(*last));
    lstPlayList->setItems(lines);
    lblPlaylist->setText(toDisplay(playlistSummary(size_t(lines.size()), total)));
    empty_ = false;
    if (lines.isEmpty()) showEmpty();
    if (!empty_) lstPlayList->setListIndex(0);
}

void PlaylistPage::showPage()
{
    // Rebuilding selects the first line, which records it; the page brings back the
    // entry remembered before, as the user left it or as it plays.
    PlayerSession& session = *form.session;
    const int remembered = session.playlistPosition();
    FillPlaylist();
    session.rememberPlaylistPosition(remembered);
    if (session.mode() == Mode::Playlist) {
        lstPlayList->setListIndex(remembered);  // its click only records the line while playing
        return;
    }
    if (empty_) return;
    lstPlayList->setListIndex(remembered);
    showEntry(remembered);
}

std::optional<int32_t> PlaylistPage::lookUpEntry(int line) const
{
    if (line < 0) return std::nullopt;
    const FileRead file = readRegularFile(playlistPath(), kMaxPlaylistBytes);
    if (!file.ok() || file.truncated) return std::nullopt;
    const std::optional<PlaylistEntry> entry = playlistEntryAt(file.bytes, size_t(line));
    if (!entry) return std::nullopt;
    const std::optional<int32_t> record = recordNumberOf(*entry);
    if (!record || *record < 1 || *record > form.fmTrackList->lineCount() || *record > form.m.Album.recordCount())
        return std::nullopt;
    return record;
}

bool PlaylistPage::showEntry(int line)
{
    const std::optional<int32_t> record = lookUpEntry(line);
    if (!record) {
        stopWithFailure();
        return false;
    }
    form.fmTrackList->showRecord(*record);
    return true;
}

void PlaylistPage::stopWithFailure()
{
    form.session->markStopped();
}

void PlaylistPage::hidePopups()
{
    for (QPushButton* b : {btnPlDelete, btnPLNotes, btnPLMoveUp, btnPLMoveDown, btnPLUndo}) b->hide();
}

void PlaylistPage::lstPlayList_MouseDown(int button, int, double x, double y)
{
    hidePopups();
    form.fmSeNotes->hideNotes();
    if (button != kRightButton) return;
    placeTwips(btnPlDelete, int(x), int(y + 200), twipsRect(btnPlDelete).width(), twipsRect(btnPlDelete).height());
    placeTwips(btnPLNotes, int(x), int(y + 455), twipsRect(btnPLNotes).width(), twipsRect(btnPLNotes).height());
    int top = int(y + 710);
    for (QPushButton* b : {btnPLMoveUp, btnPLMoveDown, btnPLUndo}) {
        placeTwips(b, int(x), top, twipsRect(b).width(), twipsRect(b).height());
        top += 255;
    }
    btnPLUndo->setEnabled(history.canUndo());
    for (QPushButton* b : {btnPlDelete, btnPLNotes, btnPLMoveUp, btnPLMoveDown, btnPLUndo}) {
        b->show();
        b->raise();
    }
    setTopTwips(form.fmSeNotes, y > 4400 ? 5500 : int(y + 1100));
}

std::optional<std::string> PlaylistPage::readForChange() const
{
    const std::string path = playlistPath();
    FileRead file = readRegularFile(path, kMaxPlaylistBytes);
    // Whatever stands in the file's place is replaced by the first write, which says why when it cannot be.
    if (file.error == FileError::NotFound || file.error == FileError::NotRegular) return std::string();
    if (file.ok() && !file.truncated) return std::move(file.bytes);
    const std::string_view reason = file.ok() ? std::string_view("the file is too large") : failureText(file.error);
    form.os.messages->show(toDisplay(playlistNotReadMessage(path, reason)), QStringLiteral("Problem"),
                           MsgIcon::Exclamation, MsgButtons::Ok);
    return std::nullopt;
}

bool PlaylistPage::storePlaylist(const std::string& bytes)
{
    const std::string path = playlistPath();
    const FileError error = replaceViaScratch(std::string(qtext::trim(form.m.AppFolder)) + "temp.pl$", path, bytes);
    if (error == FileError::None) return true;
    form.os.messages->show(toDisplay(playlistNotSavedMessage(path, failureText(error))), QStringLiteral("Problem"),
                           MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

bool PlaylistPage::writePlaylist(const std::string& bytes, const PlaylistOrder& order)
{
    if (!history.started()) {
        // The playlist as the session found it is the first state to go back to.
        const FileRead file = readRegularFile(playlistPath(), kMaxPlaylistBytes);
        if (file.error == FileError::NotFound) history.start({});
        if (file.ok() && !file.truncated) history.start(file.bytes);
    }
    if (!storePlaylist(bytes)) return false;
    history.record(bytes, order);
    followPosition([&order](int32_t p) { return positionAfter(order, p); });
    return true;
}

void PlaylistPage::followPosition(const std::function<int32_t(int32_t)>& follow)
{
    PlayerSession& session = *form.session;
    session.rememberPlaylistPosition(follow(session.playlistPosition()));
    form.offerNextTrack();  // the entry after the playing one may have changed
}

bool PlaylistPage::appendEntries(const std::vector<int32_t>& records)
{
    const std::optional<std::string> before = readForChange();
    if (!before) return false;
    if (records.empty()) return readRegularFile(playlistPath(), 0).ok() || writePlaylist({});
    std::string bytes = appendablePlaylist(*before);
    bytes.reserve(bytes.size() + records.size() * (form.m.AlbumPath.size() + 16));
    for (const int32_t record : records) bytes += playlistEntryText(form.m.AlbumPath, record);
    return writePlaylist(bytes);
}

void PlaylistPage::addTracks(const std::vector<int32_t>& records, std::optional<int32_t> current)
{
    if (appendEntries(records) && current) form.session->setCurrentRecord(*current);
}

void PlaylistPage::btnClearPL_Click()
{
    if (!writePlaylist({})) return;
    showEmpty();
    form.session->rememberPlaylistPosition(0);
}

void PlaylistPage::btnPlDelete_Click()
{
    hidePopups();
    const int line = lstPlayList->listIndex();
    if (line < 0) return;
    if (!empty_) {
        const std::optional<std::string> before = readForChange();
        if (!before) return;
        std::vector<PlaylistEntry> entries = parsePlaylist(*before);
        if (size_t(line) < entries.size()) {
            entries.erase(entries.begin() + line);
            writePlaylist(serializePlaylist(entries));
        }
    }
    FillPlaylist();
}
