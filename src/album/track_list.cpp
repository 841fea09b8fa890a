#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "album/track_list_model.h"
#include "logic/date_words.h"
#include "logic/notes.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "search/search_page.h"
#include "search/search_results_model.h"
#include "form/twips.h"
#include "form/text_codec.h"
#include "logic/text.h"

namespace {

const char* const kListEmpty = "List empty";
const char* const kNoAlbum =
    "The track list is empty. Use the Load New Album button on the Options tab to find a new track list.";
const char* const kNoDetails = "Details not available";

}  // namespace

void Form1::FillTrackList()
{
    // Search results keep the lines of the album they were found in.
    fmSearch->searchLines->keepLines();
    m.Album.close();
    if (m.AlbumPath.empty() || !m.Album.open(m.AlbumPath)) {
        m.Album.close();
        trackLines->showMessage(QString::fromLatin1(kListEmpty));
        setDetailsMessage(QString::fromLatin1(kNoAlbum));
        return;
    }
    fmSearch->cbCode->clear();
    fmSearch->cbCode->addItem(QStringLiteral("ANY"));
    fmSearch->cbCode->setCurrentIndex(0);
    // The record buffer and the date words end as they would after formatting every line
    // in order; a last line without a month takes the scan's last month when it ends.
    const std::string monthBefore = m.Date.monthText;
    const int32_t count = m.Album.recordCount();
    if (m.Album.read(count, m.TrackRec)) FormatTrackDate();
    dateAwaitingScan_ = m.Date;
    trackLines->showAlbum(monthBefore);
    m.CurrentRecord = 1;
    // A remembered line that no longer exists (a shorter album, or none saved) selects the first.
    const int32_t line = m.TrackListIndex >= 0 && m.TrackListIndex < count ? m.TrackListIndex : 0;
    lstTracks->setListIndex(line);
    if (line >= 2) lstTracks->setTopIndex(line - 2);
}

void Form1::addAlbumCodes(int first)
{
    const std::vector<std::string>& codes = trackLines->scan().codes;
    QStringList added;
    for (size_t i = size_t(first); i < codes.size(); ++i)
        if (codes[i] != "ANY") added.append(toDisplay(codes[i]));
    fmSearch->cbCode->addItems(added);
}

void Form1::albumScanEnded()
{
    const int lastMonth = trackLines->scan().lastMonth;
    // A track formatted since the list was filled has already moved the date words on.
    const DateWords& d = dateAwaitingScan_;
    if (lastMonth > 0 && m.Date.dayText == d.dayText && m.Date.monthText == d.monthText && m.Date.yearText == d.yearText)
        m.Date.monthText = monthName(lastMonth);
    // Lines are laid out as wide as the widest, which only the whole scan knows.
    lstTracks->relayout();
}

void Form1::FormatTrackDate()
{
    formatTrackDate(m.TrackRec.TrackDate, m.Date);
}

void Form1::ShowTrackNotes()
{
    txtDetails->clear();
    if (!m.Album.read(m.CurrentRecord, m.TrackRec)) {
        setDetailsMessage(QString::fromLatin1(kNoDetails));
        return;
    }
    const auto entry = readNotesEntry(notesPath(m.DetailsFolder, m.TrackRec), noteNumber(m.TrackRec.NoteNo));
    if (entry)
        setDetailsText(*entry);
    else
        setDetailsMessage(QString::fromLatin1(kNoDetails));
}

void Form1::showNotesPane(std::optional<int32_t> record)
{
    for (QWidget* w : std::initializer_list<QWidget*>{fmSeNotes, txtSENotes, btnSeNotesX}) w->show();
    fmSeNotes->raise();
    if (!record) {
        session->showStoppedStatus();  // the mode is left as it is
        return;
    }
    m.CurrentRecord = *record;
    lstTracks->setListIndex(*record - 1);
    ShowTrackNotes();
    txtSENotes->setPlainText(txtDetails->toPlainText());
}

void Form1::setDetailsText(std::string_view bytes)
{
    QString text = toDisplay(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtDetails->setPlainText(text);
}

void Form1::setDetailsMessage(const QString& text)
{
    txtDetails->setPlainText(text);
}

void Form1::lstTracks_Click()
{
    m.CurrentRecord = lstTracks->listIndex() + 1;
    ShowTrackNotes();
    offerNextTrack(); // in mode "All" the line after this one plays next
}

void Form1::lstTracks_MouseDown(int button, int, double x, double y)
{
    if (button == kRightButton && session->mode() != Mode::Playlist) {
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

void Form1::VScroll1_Change()
{
    const int h = VScroll1->value();
    setHeightTwips(lstTracks, h);
    setTopTwips(txtDetails, h + 280);
    setHeightTwips(txtDetails, 5875 - h);
    const int p = lstTracks->listIndex();
    if (p >= 2) lstTracks->setTopIndex(p - 2);
}

void Form1::txtCurAlb_MouseMove()
{
    txtCurAlb->setToolTip(txtCurAlb->text());
}

void Form1::connectTrackList()
{
    trackLines = new TrackListModel(m.Album, this);
    lstTracks->setLineModel(trackLines);
    connect(trackLines, &TrackListModel::linesScanned, lstTracks->viewport(), qOverload<>(&QWidget::update));
    connect(trackLines, &TrackListModel::codesFound, this, &Form1::addAlbumCodes);
    connect(trackLines, &TrackListModel::scanEnded, this, &Form1::albumScanEnded);
    connect(lstTracks, &ListBox::click, this, &Form1::lstTracks_Click);
    connect(lstTracks, &ListBox::mouseDown, this, &Form1::lstTracks_MouseDown);
    connect(VScroll1, &QScrollBar::valueChanged, this, &Form1::VScroll1_Change);
    onMouseMove(txtCurAlb, [this] { txtCurAlb_MouseMove(); });
}
