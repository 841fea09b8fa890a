#include "album/track_list_page.h"

#include <algorithm>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "album/track_list_model.h"
#include "logic/date_words.h"
#include "logic/notes.h"
#include "form/drag_data.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "form/layout_helpers.h"
#include "form/twips.h"
#include "form/text_codec.h"
#include "logic/text.h"

namespace {

const char* const kListEmpty = "List empty";
const char* const kNoAlbum =
    "The track list is empty. Use the Load New Album button on the Options tab to find a new track list.";
const char* const kNoDetails = "Details not available";

}  // namespace

TrackListPage::TrackListPage(Form1& owner) : Page(owner, "fmTrackList", 6315)
{
    show();
    lstTracks = fixedPitchList(this, "lstTracks", "Track list", true);
    placeTwips(lstTracks, 120, 240, 9555, 2500);
    txtDetails = named(placed(new QPlainTextEdit(this), "txtDetails", 120, 2710, 9555, 3375), "Track notes");
    txtDetails->setReadOnly(true);
    txtDetails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDetails->setFont(QFont(QStringLiteral("Liberation Sans")));
    VScroll1 = named(placed(new QScrollBar(Qt::Vertical, this), "VScroll1", 9720, 240, 255, 5875), "Splitter");
    VScroll1->setRange(500, 5500);
    VScroll1->setSingleStep(10);
    VScroll1->setPageStep(100);
    VScroll1->setValue(500);
    btnAddPL = placed(new QPushButton(QStringLiteral("Add to Playlist"), this), "btnAddPL", 120, 240, 1455, 255);
    btnClearSel = placed(new QPushButton(QStringLiteral("Clear Selected"), this), "btnClearSel", 120, 480, 1455, 255);
    btnAddPL->hide();
    btnClearSel->hide();

    trackLines = new TrackListModel(form.m.Album, this);
    lstTracks->setLineModel(trackLines);
    connect(trackLines, &TrackListModel::linesScanned, lstTracks->viewport(), qOverload<>(&QWidget::update));
    connect(trackLines, &TrackListModel::codesFound, this, &TrackListPage::addAlbumCodes);
    connect(trackLines, &TrackListModel::scanEnded, this, &TrackListPage::albumScanEnded);
    connect(lstTracks, &ListBox::click, this, &TrackListPage::lstTracks_Click);
    connect(lstTracks, &ListBox::mouseDown, this, &TrackListPage::lstTracks_MouseDown);
    // Line p shows record p + 1; the "List empty" line of no album is no track.
    lstTracks->setDragSource([this](const QList<int>& rows) -> QMimeData* {
        if (!form.m.Album.isOpen()) return nullptr;
        std::vector<int32_t> records;
        for (const int row : rows) records.push_back(row + 1);
        return trackDragData(records);
    });
    connect(VScroll1, &QScrollBar::valueChanged, this, &TrackListPage::VScroll1_Change);
    connect(btnAddPL, &QPushButton::clicked, this, &TrackListPage::btnAddPL_Click);
    connect(btnClearSel, &QPushButton::clicked, this, &TrackListPage::btnClearSel_Click);
}

void TrackListPage::FillTrackList()
{
    emit refilling();
    Module1& m = form.m;
    m.Album.close();
    if (m.AlbumPath.empty() || !m.Album.open(m.AlbumPath)) {
        m.Album.close();
        trackLines->showMessage(QString::fromLatin1(kListEmpty));
        setDetailsMessage(QString::fromLatin1(kNoAlbum));
        return;
    }
    emit codesReset();
    // The record buffer and the date words end as they would after formatting every line
    // in order; a last line without a month takes the scan's last month when it ends.
    const std::string monthBefore = m.Date.monthText;
    const int32_t count = m.Album.recordCount();
    TrackRecord lastRecord;
    if (m.Album.read(count, lastRecord)) {
        form.session->recordRead(lastRecord);
        formatTrackDate(lastRecord.TrackDate, m.Date);
    }
    dateAwaitingScan_ = m.Date;
    trackLines->showAlbum(monthBefore);
    form.session->setCurrentRecord(1);
    // A remembered line that no longer exists (a shorter album, or none saved) selects the first.
    const int32_t line = m.TrackListIndex >= 0 && m.TrackListIndex < count ? m.TrackListIndex : 0;
    lstTracks->setListIndex(line);
    if (line >= 2) lstTracks->setTopIndex(line - 2);
}

void TrackListPage::fillAtStart()
{
    const int listHeight = std::clamp(twipsRect(lstTracks).height(), VScroll1->minimum(), VScroll1->maximum());
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(listHeight);
    }
    VScroll1_Change();
    FillTrackList();
    setHeightTwips(txtDetails, 5875 - twipsRect(lstTracks).height());
}

int TrackListPage::lineCount() const
{
    return lstTracks->listCount();
}

void TrackListPage::addAlbumCodes(int first)
{
    const std::vector<std::string>& codes = trackLines->scan().codes;
    QStringList added;
    for (size_t i = size_t(first); i < codes.size(); ++i)
        if (codes[i] != "ANY") added.append(toDisplay(codes[i]));
    emit codesFound(added);
}

void TrackListPage::albumScanEnded()
{
    Module1& m = form.m;
    const int lastMonth = trackLines->scan().lastMonth;
    // A track formatted since the list was filled has already moved the date words on.
    const DateWords& d = dateAwaitingScan_;
    if (lastMonth > 0 && m.Date.dayText == d.dayText && m.Date.monthText == d.monthText && m.Date.yearText == d.yearText)
        m.Date.monthText = monthName(lastMonth);
    // Lines are laid out as wide as the widest, which only the whole scan knows.
    lstTracks->relayout();
}

void TrackListPage::ShowTrackNotes()
{
    Module1& m = form.m;
    txtDetails->clear();
    TrackRecord record;
    if (!m.Album.read(form.session->currentRecord(), record)) {
        setDetailsMessage(QString::fromLatin1(kNoDetails));
        return;
    }
    form.session->recordRead(record);
    const auto entry = readNotesEntry(notesPath(m.DetailsFolder, record), noteNumber(record.NoteNo));
    if (entry) setDetailsText(*entry);
    else setDetailsMessage(QString::fromLatin1(kNoDetails));
}

void TrackListPage::showRecord(int32_t record)
{
    form.session->setCurrentRecord(record);
    lstTracks->setListIndex(record - 1);
    ShowTrackNotes();
}

void TrackListPage::setDetailsText(std::string_view bytes)
{
    QString text = toDisplay(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtDetails->setPlainText(text);
}

void TrackListPage::setDetailsMessage(const QString& text)
{
    txtDetails->setPlainText(text);
}

void TrackListPage::lstTracks_Click()
{
    form.session->setCurrentRecord(lstTracks->listIndex() + 1);
    ShowTrackNotes();
    emit trackChosen();
}

void TrackListPage::lstTracks_MouseDown(int button, int, double x, double y)
{
    if (button == kRightButton && form.session->mode() != Mode::Playlist) {
        placeTwips(btnAddPL, int(x), int(y + 200), twipsRect(btnAddPL).width(), twipsRect(btnAddPL).height());
        placeTwips(btnClearSel, int(x), int(y + 440), twipsRect(btnClearSel).width(), twipsRect(btnClearSel).height());
        for (QPushButton* b : {btnAddPL, btnClearSel}) {
            b->show();
            b->raise();
        }
        return;
    }
    btnAddPL->hide();
    btnClearSel->hide();
}

void TrackListPage::VScroll1_Change()
{
    setHeightTwips(lstTracks, VScroll1->value());
    fitDetailsToList();
    const int p = lstTracks->listIndex();
    if (p >= 2) lstTracks->setTopIndex(p - 2);
}

void TrackListPage::fitDetailsToList()
{
    const int listHeight = twipsRect(lstTracks).height();
    setTopTwips(txtDetails, listHeight + 280);
    setHeightTwips(txtDetails, 5875 - listHeight);
}

void TrackListPage::btnAddPL_Click()
{
    btnAddPL->hide();
    btnClearSel->hide();
    // Ascending, whatever the order of clicks; the "List empty" line of no album is no track.
    const QList<int> rows = form.m.Album.isOpen() ? lstTracks->selectedRows() : QList<int>();
    std::vector<int32_t> records;
    records.reserve(size_t(rows.size()));
    for (const int row : rows) records.push_back(row + 1);
    emit addToPlaylist(records, records.empty() ? std::nullopt : std::optional<int32_t>(records.back()));
}

void TrackListPage::btnClearSel_Click()
{
    // One change of the selection, not one per line: a large selection clears at once.
    const int keep = form.session->currentRecord() - 1;
    const bool kept = lstTracks->isSelected(keep);
    lstTracks->selectionModel()->clearSelection();
    if (kept) lstTracks->selectionModel()->select(lstTracks->model()->index(keep, 0), QItemSelectionModel::Select);
    btnAddPL->hide();
    btnClearSel->hide();
}
