// The album file and its records, the date words and track line, notes lookup, the
// Track List page that shows them, and other albums loaded and albums merged.
#include <QtTest>
#include <QtWidgets>

#include "support/table.h"
#include "album/album_files_frame.h"
#include "album/track_list_model.h"
#include "logic/album_merge.h"
#include "logic/album_scan.h"
#include "logic/date_words.h"
#include "logic/notes.h"
#include "logic/search_lines.h"
#include "logic/text.h"
#include "logic/track_record.h"
#include "platform/file_ops.h"
#include "support/album_builder.h"
#include "support/playback_fixture.h"

using fixture::makeTrack;
using fixture::readFile;

namespace {

// A record as it comes back from disk: every text field blank padded.
TrackRecord stored(const TrackRecord& t)
{
    return parseRecord(fixture::recordBytes(t));
}

// n records, each 131 copies of its own letter from `first` on.
QByteArray recs(int n, char first)
{
    QByteArray out;
    while (n--) out += QByteArray(131, first++);
    return out;
}
// Every file of a folder with its size and, unless sparse, its bytes.
QStringList folderState(const std::string& folder)
{
    QStringList state;
    for (const QFileInfo& file : QDir(q(folder)).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        state << file.fileName() + " " + QString::number(file.size()) + " "
                     + (file.size() < 1000000 ? QString::fromLatin1(readFile(file.filePath().toStdString())) : "sparse");
    return state;
}

// What stops a merge once it has made progress.
using MergeStop = std::function<void(FormFixture&, AlbumFilesFrame&)>;

// Months out of range in several ways, and codes in two cases, padded, blank and repeated.
std::vector<TrackRecord> monthsAndCodes()
{
    const auto track = [](std::string_view title, const char* date, const char* code, const char* time = "01:00",
                          int16_t lineside = 0) { return makeTrack(title, date, time, lineside, "t", "f", code); };
    return {track("a", "01131990", "AB"),   track("b", "02031990", "ab"),
            track("c", "03991990", "AB  "), track("d", "04001990", ""),
            track("e", "05  1990", ""),     track(std::string(60, 'W'), "05051975", "ANY", "03:41", -1),
            track("g", "07.51975", "CD")};
}

const std::vector<std::string> kSixLineNotes = {"Class 4 on a stopping train",
                                                "#Recorded from the third coach",
                                                "Double-headed freight",
                                                "#Two engines",
                                                "#Uphill",
                                                "End"};

}  // namespace

Q_DECLARE_METATYPE(TrackRecord)
Q_DECLARE_METATYPE(MergeStop)

class AlbumTest : public QObject {
    Q_OBJECT

private slots:
    // More records than a 16-bit count holds and more than one read block; a partial last record is no record.
    void forEachVisitsEveryRecordInOrder()
    {
        constexpr int kTracks = 33000;
        fixture::AlbumDir dir;
        std::vector<TrackRecord> list;
        for (int i = 1; i <= kTracks; ++i) list.push_back(makeTrack(std::to_string(i)));
        AlbumFile album;
        QVERIFY(album.open(dir.writeAlbum("big.qdb", list, "partial")));
        QCOMPARE(album.recordCount(), kTracks);
        int32_t expected = 1;
        album.forEach([&](int32_t n, const RecordView& view) {
            expected += n == expected && std::stoi(view.record().Title) == n;
        });
        QCOMPARE(expected, kTracks + 1);
        TrackRecord rec;
        QVERIFY(album.read(32768, rec));
        QCOMPARE(bytes(rec.Title).trimmed(), QByteArray("32768"));
    }

    // Lineside -2 has two different bytes, so their order matters; paths trim the fields both sides.
    void fieldsAtTheirOffsets()
    {
        const TrackRecord r = stored(
            makeTrack(std::string(61, 'T'), "05051975", "03:41", -2, " chuff01", " steam", "STM", "12", "spare text"));
        QCOMPARE((QByteArrayList{bytes(r.TrackDate), bytes(r.NoteNo), bytes(r.PlayTime), bytes(r.Title),
                                 bytes(r.Mp3Name), bytes(r.Folder), bytes(r.Code), bytes(r.Spare)}),
                 (QByteArrayList{"05051975  ", "12 ", "03:41  ", QByteArray(60, 'T'), " chuff01  ", " steam    ",
                                 "STM ", QByteArray("spare text").leftJustified(25)}));
        QCOMPARE(r.Lineside, int16_t(-2));
        QCOMPARE(bytes(mp3Path("/album/", r)), QByteArray("/album/steam/chuff01.mp3"));
        QCOMPARE(bytes(notesPath("/album/", r)), QByteArray("/album/steam/details.qvt"));
    }

    // The date words are the line's middle, so the line shows them too.
    void displayLine_data()
    {
        const auto row = columns<TrackRecord, QByteArray>({"track", "line"});
        row("11th", makeTrack("T", "11111911", "03:41"), "T - 11th November 1911 (03:41)");
        row("23rd", makeTrack("T", "23091923", "03:41"), "T - 23rd September 1923 (03:41)");
        row("negative year", makeTrack("T", "0101-123", "03:41"), "T - 1st January-123 (03:41)");
        row("four digits, lineside 1", makeTrack("Horn", " 2101     ", "03:41", 1),
            "Horn - 21st January 2101 (03:41) [LS]");
        row("blank title on train", makeTrack(std::string(60, ' '), "05051975", "03:41", 0), " - 5th May 1975 (03:41)");
        row("blank title lineside", makeTrack(std::string(60, ' '), "05051975", "03:41", -1),
            "- 5th May 1975 (03:41) [LS]");
        row("longest day and year", makeTrack("T", ".109.001", "03:41", 1), "T - 0.1th September 0.001 (03:41) [LS]");
        row("month carried", makeTrack("T", ".17081962", "03:41", 1), "T - 0.1th September 1962 (03:41) [LS]");
        row("digits: day 0, month 0", makeTrack("T", "00001999", "03:41"), "T - 0th September 1999 (03:41)");
        row("digits: one", makeTrack("T", "1", "03:41"), "T - 1st September 1 (03:41)");
        row("digits: three", makeTrack("T", " 123", "03:41"), "T - 12th March 123 (03:41)");
    }
    // A search measures the same line straight from the stored record (one dated in digits).
    void displayLine()
    {
        QFETCH(TrackRecord, track);
        DateWords dw{"", "September", ""};  // the month carried from a line before
        const QByteArray line = bytes(trackDisplayLine(stored(track), dw));
        QTEST(line, "line");
        const std::string record = fixture::recordBytes(track);
        const RecordView view(record);
        if (const std::optional<DateNumbers> date = dateDigits(view.TrackDate()))
            QCOMPARE(DisplayLineWriter("September").measure(view, *date, qtext::trim(view.Title()).size()),
                     size_t(line.size()));
    }

    // Scanned in pieces of any size an album gives what one pass gives: a run of lines
    // without a month goes on across pieces, codes come once each in the order first met
    // (blank-padded, or all NUL bytes as in a sparse file, as written), and the widest line
    // and the last month are the whole album's.
    void scanInPieces_data()
    {
        // carried: each line's carried month, -1 when its own is in range
        const auto row = columns<QByteArray, int, QList<int>, QByteArrayList, int, int>(
            {"records", "perPiece", "carried", "codes", "lastMonth", "runs"});
        QByteArray mixed;
        for (const TrackRecord& t : monthsAndCodes()) mixed += bytes(fixture::recordBytes(t));
        const QList<int> mixedCarried{0, -1, 3, 3, 3, -1, 5};
        const QByteArrayList mixedCodes{"AB", "ab", "ANY", "CD"};
        row("pieces of 2", mixed, 2, mixedCarried, mixedCodes, 5, 3);
        row("NUL records", QByteArray(9 * kRecordSize, '\0'), 4, QList<int>(9, 0), {QByteArray(4, '\0')}, 0, 1);
    }
    void scanInPieces()
    {
        auto [records, perPiece, carried] = fetch<QByteArray, int, QList<int>>({"records", "perPiece", "carried"});
        AlbumScanner scanner;
        AlbumScan scan;
        for (qsizetype at = 0; at < records.size(); at += perPiece * kRecordSize)
            scan.append(scanner.scan(std::string_view(records.constData(), size_t(records.size()))
                                         .substr(size_t(at), size_t(perPiece * kRecordSize))));
        QCOMPARE(scan.records, carried.size());
        QList<int> months;
        for (int32_t line = 0; line < scan.records; ++line) months << scan.carriedMonth(line);
        QCOMPARE(months, carried);
        QTEST(int(scan.carriedMonths.size()), "runs");  // one per stretch of lines without a month, however long
        QByteArrayList codes;
        for (const std::string& code : scan.codes) codes << bytes(code);
        QTEST(codes, "codes");
        QTEST(scan.lastMonth, "lastMonth");
    }

    void notesEntry_data()
    {
        // closed: a line after the entry closes it, so reading stops there
        const auto row = columns<QByteArray, int, bool, QByteArray, bool>(
            {"content", "noteNo", "found", "text", "closed"});
        const QByteArray six = bytes(fixture::joinLines(kSixLineNotes));
        const QByteArray freight = "Double-headed freight\r\nTwo engines\r\nUphill";
        row("middle entry", six, 2, true, freight, true);
        row("last entry at end of file", six, 3, true, "End", false);
        row("beyond the entries", six, 4, false, QByteArray(), false);
        row("CR lines", bytes(fixture::joinLines(kSixLineNotes, "\r")), 2, true, freight, true);
        row("no final line break", "A\r\n#b", 1, true, "A\r\nb", false);
        row("empty line is an entry", "A\r\n\r\n#x\r\nB\r\n", 2, true, "\r\nx", true);
        row("0: opening continuations", "#one\r\n#two\r\nHead\r\n", 0, true, "\r\none\r\ntwo", true);
        row("opening continuations belong to none", "#one\r\nHead\r\n#more\r\n", 1, true, "Head\r\nmore", false);
        row("# further on in a head", "Loco #5 # ok\r\n#more\r\nX\r\n", 1, true, "Loco #5 # ok\r\nmore", true);
        // Long entries are cut where they stop being worth showing, never inside a character.
        const QByteArray cap(int(kNotesShownMax), 'x');
        const QByteArray leftOut = "\r\n" + QByteArray::fromStdString(std::string(kNotesLeftOut));
        row("long head cut", cap + "yz\r\nB\r\n", 1, true, cap + leftOut, true);
        row("long continuation cut", "A\r\n#" + cap, 1, true, "A\r\n" + cap.left(cap.size() - 3) + leftOut, true);
        row("cut before a split UTF-8 character", "a" + QByteArray("\xC3\xA9").repeated(cap.size() / 2), 1, true,
            "a" + QByteArray("\xC3\xA9").repeated(cap.size() / 2 - 1) + leftOut, true);
        row("long line passed over", "#" + cap + cap + "\r\nB\r\n#c", 1, true, "B\r\nc", false);
    }
    void notesEntry()
    {
        auto [content, noteNo, found] = fetch<QByteArray, int, bool>({"content", "noteNo", "found"});
        const std::optional<std::string> entry = ::notesEntry(content.toStdString(), noteNo);
        QCOMPARE(entry.has_value(), found);
        if (found) QTEST(bytes(*entry), "text");
        // Read in small pieces, as from a file: line ends split between pieces change nothing.
        NotesEntryScanner scanner(noteNo);
        bool done = false;
        for (qsizetype at = 0; at < content.size() && !done; at += 3)
            done = scanner.feed(
                std::string_view(content.constData() + at, size_t(std::min<qsizetype>(3, content.size() - at))));
        QTEST(done, "closed");
    }

    void noteNumberRoundsHalfToEven()
    {
        QCOMPARE(std::pair(::noteNumber("1.5"), ::noteNumber("2.5")), std::pair(2L, 2L));
    }

    // Lines are formatted only when shown, yet read as if the whole list had been formatted
    // in order: a month out of range repeats the month of the line before it. Codes are
    // offered once each, in the order first met, exactly as written. The scan that finds
    // them runs after the list shows, in pieces of any size; an album loaded while
    // another's scan runs never gets that scan's results, and a search need not wait for it.
    void linesCarryMonthsAndAreNeverCutShort_data()
    {
        const auto row = columns<int>({"perPiece"});
        row("one piece", 8192);
        row("pieces of 2", 2);
    }
    void linesCarryMonthsAndAreNeverCutShort()
    {
        auto [perPiece] = fetch<int>({"perPiece"});
        const auto restore = qScopeGuard([] { AlbumScanThread::pieceRecords = 8192; });
        AlbumScanThread::pieceRecords = perPiece;
        FormFixture f;
        Form1& w = f.start();
        TrackListPage& page = *w.fmTrackList;
        const std::string path = f.album.writeAlbum("lines.qdb", monthsAndCodes());
        // Records of NUL bytes only, as a sparse file reads: no month, one code of NULs.
        w.m.AlbumPath = f.album.writeFile("sparse.qdb", std::string(3000 * kRecordSize, '\0'));
        page.FillTrackList();
        QVERIFY(page.trackLines->scanning());
        w.m.AlbumPath = path;
        w.m.TrackListIndex = 3;
        page.FillTrackList();
        page.lstTracks->doItemsLayout();  // the window lays the list out before the scan ends
        w.fmSearch->btnSearch->click();   // every line, found while the scan runs
        QTRY_VERIFY(!page.trackLines->scanning());
        QTRY_COMPARE(lines(w.fmSearch->lstSearchRes), lines(page.lstTracks));
        const QString longLine = QString(60, 'W') + " - 5th May 1975 (03:41) [LS]";
        QCOMPARE(lines(page.lstTracks),
                 (QStringList{"a - 1st  1990 (01:00)", "b - 2nd March 1990 (01:00)", "c - 3rd March 1990 (01:00)",
                              "d - 4th March 1990 (01:00)", "e - 5th March 1990 (01:00)", longLine,
                              "g - 7th May 1975 (01:00)"}));
        const QModelIndex last = page.lstTracks->model()->index(5, 0);
        QCOMPARE(last.data(Qt::ToolTipRole).toString(), longLine);
        QCOMPARE(page.lstTracks->textElideMode(), Qt::ElideNone);
        QTRY_VERIFY(page.lstTracks->visualRect(last).width() >= page.lstTracks->fontMetrics().horizontalAdvance(longLine));
        QStringList codes;
        for (int i = 0; i < w.fmSearch->cbCode->count(); ++i) codes << w.fmSearch->cbCode->itemText(i);
        QCOMPARE(codes, (QStringList{"ANY", "AB", "ab", "CD"}));
        QCOMPARE(w.fmSearch->cbCode->currentText(), QStringLiteral("ANY"));
        QCOMPARE(page.lstTracks->listIndex(), 3);
        // The date words end as after formatting every line in order: the last line carries May.
        QCOMPARE(QString::fromStdString(w.m.Date.monthText), QStringLiteral("May"));
    }

    // A left click shows the line's notes and hides the pop-up a right click shows, except while the playlist plays.
    void clickingALineShowsItsNotesOrThePopUp()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(4));
        TrackListPage& page = *w.fmTrackList;
        clickRow(page.lstTracks, 1, Qt::RightButton);
        QVERIFY(page.btnAddPL->isVisible() && page.btnClearSel->isVisible());
        QCOMPARE(page.lstTracks->listIndex(), 0);
        clickRow(page.lstTracks, 2);
        QVERIFY(!page.btnAddPL->isVisible() && !page.btnClearSel->isVisible());
        QCOMPARE(w.session->currentRecord(), 3);
        QCOMPARE(page.txtDetails->toPlainText(), QStringLiteral("Notes of Track 3"));
        QTest::keyClick(page.lstTracks, Qt::Key_Down);
        QCOMPARE(page.txtDetails->toPlainText(), QStringLiteral("Notes of Track 4"));
        w.session->setMode(Mode::Playlist);
        clickRow(page.lstTracks, 1, Qt::RightButton);
        QVERIFY(!page.btnAddPL->isVisible());
    }
    // Load New Album with the dialog's answer: another album, a missing name, or a cancel.
    void loadAlbum_data()
    {
        // lines: -1: nothing changed
        const auto row = columns<QString, int>({"answer", "lines"});
        row("another album", "other.qdb", 3);
        row("typed name of no file", "none.qdb", 1);
        row("cancel", "", -1);
        row("line break in the name, refused", "a\nb.qdb", -1);
    }
    void loadAlbum()
    {
        auto [answer, lines] = fetch<QString, int>({"answer", "lines"});
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(2));
        f.album.writeAlbum("other.qdb", {fixture::makeTrack("A"), fixture::makeTrack("B"), fixture::makeTrack("C")});
        f.writeAppFile("temp.$$$", album + "\r\n 1 \r\n");
        Form1& w = f.start();
        w.lblTabOptions_Click();
        const std::string chosen = answer.isEmpty() ? album : f.album.folder() + answer.toStdString();
        if (!answer.isEmpty()) f.dialogs.fileAnswers = {q(chosen)};
        w.fmOptions->btnLoad->click();
        QCOMPARE(f.messages.shown.value(0).prompt.contains("\r" + q(chosen) + "\rwas not loaded"), answer.contains('\n'));
        const std::string loaded = lines < 0 ? album : chosen;
        QCOMPARE(w.fmOptions->txtCurAlb->text(), q(loaded));
        QCOMPARE(q(w.m.DetailsFolder), q(f.album.folder()));
        QCOMPARE(w.fmTrackList->lstTracks->listCount(), lines < 0 ? 2 : lines);
        if (lines == 1)
            QCOMPARE(w.fmTrackList->lstTracks->model()->index(0, 0).data().toString(), QString("List empty"));
        else QCOMPARE(w.fmTrackList->lstTracks->listIndex(), 0);
        QCOMPARE(q(f.readAppFile("temp.$$$")), lines < 0 ? q(album + "\r\n 1 \r\n") : QString());
    }
    // Two albums picked with "+" and merged into the answer of the save dialog; no temporary is
    // left behind. The window goes on during a merge of a big sparse input, and a Cancel or the
    // window's end stops it and leaves every file as it was.
    void merge_data()
    {
        // answers: first, second, output; "-" leaves a box unpicked
        // failing: the file a box names; "" no box
        // stop: done once the merge has made progress, or nothing to let it end
        const auto row = columns<QStringList, QByteArray, QString, MergeStop>({"answers", "output", "failing", "stop"});
        const MergeStop cancel = [](FormFixture&, AlbumFilesFrame& frame) {
            QSignalSpy ended(&frame, &AlbumFilesFrame::mergeEnded);
            frame.btnCancelMerge->click();
            QVERIFY(ended.wait());
            QVERIFY(frame.barMerge->isHidden() && frame.btnMerge->isEnabled());
        };
        const MergeStop close = [](FormFixture& f, AlbumFilesFrame&) { f.close(), f.form.reset(); };
        row("empty second", {"a.qdb", "e.qdb", "new.qdb"}, recs(3, 'a'), "", {});
        row("into the first", {"a.qdb", "b.qdb", "a.qdb"}, recs(3, 'a') + recs(2, 'x'), "", {});
        row("missing input", {"a.qdb", "gone.qdb", "new.qdb"}, "<missing>", "gone.qdb", {});
        row("unwritable output", {"a.qdb", "b.qdb", "no/new.qdb"}, "<missing>", "no/new.qdb", {});
        row("second unpicked", {"a.qdb", "-", "new.qdb"}, "<missing>", "", {});
        row("save cancelled", {"a.qdb", "b.qdb", ""}, "<missing>", "", {});
        row("Cancel clicked", {"huge.qdb", "b.qdb", "a.qdb"}, recs(3, 'a'), "", cancel);
        row("window closed", {"huge.qdb", "b.qdb", "a.qdb"}, recs(3, 'a'), "", close);
    }
    void merge()
    {
        auto [answers, output, failing,
              stop] = fetch<QStringList, QByteArray, QString, MergeStop>({"answers", "output", "failing", "stop"});
        FormFixture f;
        writeAlbum(f, numbered(1));
        for (const auto& [name, data] :
             {std::pair<std::string, QByteArray>{"a.qdb", recs(3, 'a')}, {"b.qdb", recs(2, 'x')}, {"e.qdb", {}}})
            f.album.writeFile(name, data.toStdString());
        QFile huge(q(f.album.filePath("huge.qdb")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(131) << 24));  // sparse
        huge.close();
        QStringList files = QDir(q(f.album.folder())).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        AlbumFilesFrame& frame = *f.start().fmOptions->Frame4;
        QStringList paths;
        for (const QString& a : answers) paths << (a.isEmpty() || a == "-" ? a : q(f.album.folder()) + a);
        (f.dialogs.fileAnswers = paths).removeAll("-");
        if (answers[0] != "-") frame.btnAdd1->click();
        if (answers[1] != "-") frame.btnAdd2->click();
        QSignalSpy progressed(&frame, &AlbumFilesFrame::mergeProgressed), ended(&frame, &AlbumFilesFrame::mergeEnded);
        frame.btnMerge->click();
        if (stop) {
            QVERIFY(progressed.wait());
            QVERIFY(frame.isMerging() && !frame.barMerge->isHidden() && !frame.btnMerge->isEnabled());
            stop(f, frame);
        } else if (frame.isMerging()) QVERIFY(ended.wait());
        QCOMPARE(f.dialogs.asked.size(), answers[1] == "-" ? 1 : 3);
        const std::string written = answers[2].isEmpty() ? "new.qdb" : answers[2].toStdString();
        QCOMPARE(bytes(readFile(f.album.folder() + written)), output);
        QCOMPARE(f.messages.shown.size(), failing.isEmpty() ? 0 : 1);
        if (!failing.isEmpty()) QVERIFY(f.messages.shown[0].prompt.contains(q(f.album.folder()) + failing));
        if (output != "<missing>" && !files.contains(q(written))) (files << q(written)).sort();
        QCOMPARE(QDir(q(f.album.folder())).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
    }
    // A merge cancelled after some blocks, or while the new file goes to the disk, leaves
    // every file as it was and no temporary behind.
    void mergeCancelled_data()
    {
        // blocks: blocks copied before the cancel, of 6
        const auto row = columns<int>({"blocks"});
        row("in the first", 0);
        row("in the second", 2);
        row("in the old output's tail", 4);
        row("while flushed", 6);
    }
    void mergeCancelled()
    {
        QFETCH(int, blocks);
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/", a = folder + "a.qdb", b = folder + "b.qdb",
                          out = folder + "out.qdb";
        for (const auto& [path, size] : {std::pair{a, 131 * 100000}, {b, 131 * 100000}, {out, 131 * 300000}}) {
            QFile file(q(path));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(recs(3, 'a')) && file.resize(size));
        }
        const QStringList before = folderState(folder);
        int copied = 0, asked = 0;
        const MergeHooks hooks{[&](uint64_t, uint64_t) { ++copied; }, [&] { return ++asked > blocks; }};
        MergeOutcome outcome;
        QCOMPARE(writeFileAtomicTo(out,
                                   [&](int fd) { return (outcome = mergeAlbumsInto(fd, a, b, out, hooks)).verdict(); }),
                 FileError::Cancelled);
        QVERIFY(outcome.cancelled);
        QCOMPARE(copied, std::min(blocks + 1, 6));
        QCOMPARE(folderState(folder), before);
    }
};

QTEST_MAIN(AlbumTest)
#include "album_test.moc"
